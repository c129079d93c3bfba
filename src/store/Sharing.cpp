#include "Sharing.h"

#include "Bank.h"

#include <QSqlQuery>

QList<SharedAnswer> AnswersAfter(Bank& bank, qint64 after, int limit) {
    QList<SharedAnswer> rows;
    if (!bank.hasHistory()) return rows;
    bank.forEachRow({QStringLiteral("select ID, QuestionID, CarType, Mode, Answer, Right, Seconds, "
                                    "AnsweredAt, Cue from History where ID>? order by ID limit ?"),
                     {after, limit}},
                    [&](const QSqlQuery& q) {
                        rows.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2),
                                     q.value(3), q.value(4), q.value(5), q.value(6), q.value(7),
                                     q.value(8)});
                    });
    return rows;
}

QList<SharedRecord> RecordsAfter(Bank& bank, qint64 after, int limit) {
    QList<SharedRecord> rows;
    bank.forEachRow(
        {QStringLiteral("select ID, score, RecordTime, CarType, Seconds, ChapterRights, "
                        "Hall from Record where ID>? order by ID limit ?"),
         {after, limit}},
        [&](const QSqlQuery& q) {
            rows.append({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2), q.value(3),
                         q.value(4), q.value(5), q.value(6)});
        });
    return rows;
}

qint64 LastAnswerId(Bank& bank) {
    if (!bank.hasHistory()) return 0;
    return bank
        .firstValue(QStringLiteral("select coalesce(max(ID), 0) as n from History"),
                    QStringLiteral("n"))
        .toLongLong();
}

qint64 LastRecordId(Bank& bank) {
    return bank
        .firstValue(QStringLiteral("select coalesce(max(ID), 0) as n from Record"),
                    QStringLiteral("n"))
        .toLongLong();
}

QString ReadLinkSetting(Bank& bank, const QString& key) {
    QString value;
    bank.forEachRow({QStringLiteral("select ParamValue from Param where ParamID=?"), {key}},
                    [&](const QSqlQuery& q) { value = q.value(0).toString(); });
    return value;
}

void WriteLinkSetting(Bank& bank, const QString& key, const QString& value) {
    if (value.isEmpty())
        bank.execute({QStringLiteral("delete from Param where ParamID=?"), {key}});
    else
        bank.execute({QStringLiteral("insert or replace into Param(ParamID, ParamValue) "
                                     "values(?, ?)"),
                      {key, value}});
}
