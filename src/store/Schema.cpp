#include "Schema.h"

#include "../domain/Domain.h"

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <tuple>

QString UpgradeSchema(QSqlDatabase& db) {
    QSqlQuery q(db);
    auto run = [&](const QString& sql) { return q.exec(sql) ? QString() : q.lastError().text(); };
    // Columns of newer features, added where missing; existing rows keep their values.
    auto addColumn = [&](const QString& table, const QString& column, const QString& type) {
        if (!q.exec(QStringLiteral("pragma table_info(%1)").arg(table)))
            return q.lastError().text();
        while (q.next())
            if (q.value(1).toString().compare(column, Qt::CaseInsensitive) == 0) return QString();
        return run(QStringLiteral("alter table %1 add column %2 %3").arg(table, column, type));
    };
    // An exam record's class, seconds used and right answers per chapter ("1:23,2:18,…");
    // records from before stay without them. Hall: 1 for a sitting in the exam-hall mode.
    for (const auto& [table, column, type] :
         {std::tuple{"Paper", "Explain", "text"}, std::tuple{"Paper", "Tags", "text"},
          std::tuple{"Paper", "Rule", "text"}, std::tuple{"Record", "CarType", "text"},
          std::tuple{"Record", "Seconds", "integer"}, std::tuple{"Record", "ChapterRights", "text"},
          std::tuple{"Record", "Hall", "integer"}})
        if (QString e = addColumn(QString::fromLatin1(table), QString::fromLatin1(column),
                                  QString::fromLatin1(type));
            !e.isEmpty())
            return e;
    // Every judged answer: what was asked, in which class and mode, what was given.
    for (const char* sql :
         {"create table if not exists History (ID integer primary key autoincrement, "
          "QuestionID integer not null, CarType text, Mode text, Answer text, Right integer, "
          "Seconds integer, AnsweredAt text default (datetime('now','localtime')), Cue integer)",
          // Covers the per-question counts and latest answers, so they never touch the rows.
          "create index if not exists HistoryAnswers on History(QuestionID, Right)",
          "drop index if exists HistoryByQuestion",
          // The review schedule (Review.h) and the favourites: learner data, by question.
          "create table if not exists ReviewSchedule (QuestionID integer primary key, "
          "Step integer not null, Due text not null)",
          "create table if not exists Favourite (QuestionID integer primary key, "
          "AddedAt text default (datetime('now','localtime')))",
          // The rule changes since 2021 that questions follow (Paper.Rule names one): content,
          // replaced with the questions.
          "create table if not exists RuleChange (RuleKey text primary key, Since text not null, "
          "Source text, Change text not null)"})
        if (QString e = run(QString::fromLatin1(sql)); !e.isEmpty()) return e;
    // How each answer was given (Learner.h); answers from before stay without it.
    if (QString e =
            addColumn(QStringLiteral("History"), QStringLiteral("Cue"), QStringLiteral("integer"));
        !e.isEmpty())
        return e;
    // The settings rows of newer features; a learner's missing older row stays missing.
    for (const auto& [key, value] : ShippedSettings()) {
        if (!NewerSettingKeys().contains(key)) continue;
        q.prepare(QStringLiteral("insert or ignore into Param(ParamID, ParamValue) values(?, ?)"));
        q.addBindValue(key);
        q.addBindValue(value);
        if (!q.exec()) return q.lastError().text();
    }
    return {};
}

QString MissingBankColumn(const QSqlDatabase& db) {
    static const QList<QPair<QString, QStringList>> needed = {
        {QStringLiteral("Paper"),
         {"ID", "Type", "Question", "An1", "An2", "An3", "An4", "AnswerTrue", "ImageUrl",
          "LicenseType", "chap", "strType", "ErrPaper"}},
        {QStringLiteral("Param"), {"ParamID", "ParamValue"}},
        {QStringLiteral("Record"), {"ID", "score", "RecordTime"}}};
    QSqlQuery q(db);
    for (const auto& [table, columns] : needed) {
        QStringList present;
        q.prepare(QStringLiteral("select name from pragma_table_info(?)"));
        q.addBindValue(table);
        // A bank that cannot be read now (locked) fails in the statements that follow.
        if (!q.exec()) return {};
        while (q.next())
            present.append(q.value(0).toString());
        if (present.isEmpty()) return table;
        for (const QString& column : columns)
            if (!present.contains(column, Qt::CaseInsensitive))
                return table + QLatin1Char('.') + column;
    }
    return {};
}
