#include "Schema.h"

#include "../core/Domain.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

QString UpgradeSchema(QSqlDatabase& db) {
    QSqlQuery q(db);
    auto run = [&](const QString& sql) { return q.exec(sql) ? QString() : q.lastError().text(); };
    bool hasTags = false;
    if (!q.exec(QStringLiteral("pragma table_info(Paper)"))) return q.lastError().text();
    while (q.next())
        hasTags = hasTags || q.value(1).toString() == QLatin1String("Tags");
    if (!hasTags)
        if (QString e = run(QStringLiteral("alter table Paper add column Tags text")); !e.isEmpty())
            return e;
    // Every judged answer: what was asked, in which class and mode, what was given.
    for (const char* sql :
         {"create table if not exists History (ID integer primary key autoincrement, "
          "QuestionID integer not null, CarType text, Mode text, Answer text, Right integer, "
          "Seconds integer, AnsweredAt text default (datetime('now','localtime')))",
          "create index if not exists HistoryByQuestion on History(QuestionID)"})
        if (QString e = run(QString::fromLatin1(sql)); !e.isEmpty()) return e;
    // The settings rows of newer features; a learner's missing older row stays missing.
    const QStringList newer = {Key::StudyMode, Key::WindowGeometry, Key::FontStep, Key::AutoRead};
    for (const auto& [key, value] : ShippedSettings()) {
        if (!newer.contains(key)) continue;
        q.prepare(QStringLiteral("insert or ignore into Param(ParamID, ParamValue) values(?, ?)"));
        q.addBindValue(key);
        q.addBindValue(value);
        if (!q.exec()) return q.lastError().text();
    }
    return {};
}
