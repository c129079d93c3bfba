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
          "create index if not exists HistoryByQuestion on History(QuestionID)",
          // The review schedule (Review.h) and the favourites: learner data, by question.
          "create table if not exists ReviewSchedule (QuestionID integer primary key, "
          "Step integer not null, Due text not null)",
          "create table if not exists Favourite (QuestionID integer primary key, "
          "AddedAt text default (datetime('now','localtime')))"})
        if (QString e = run(QString::fromLatin1(sql)); !e.isEmpty()) return e;
    // The settings rows of newer features; a learner's missing older row stays missing.
    for (const QString& key : {Key::StudyMode, Key::UnseenFirst}) {
        q.prepare(
            QStringLiteral("insert or ignore into Param(ParamID, ParamValue) values(?, '0')"));
        q.addBindValue(key);
        if (!q.exec()) return q.lastError().text();
    }
    return {};
}
