#include "RuleChanges.h"

#include "Statements.h"

#include <QSqlQuery>

namespace Sql {

Statement ruleCount(const QString& code, const QString& rule) {
    return {"select count(0) as QuestionSum from Paper where " + inClass() + " and Rule=?",
            {code, rule}};
}

Statement ruleIds(const QString& code, const QString& rule) {
    return {"select ID from Paper where " + inClass() + " and Rule=? order by ID", {code, rule}};
}

} // namespace Sql

QList<RuleChangeCount> ReadRuleChanges(Bank& bank, const QString& classCode) {
    QList<RuleChangeCount> changes;
    // A read-only bank from an older build has neither the table nor the column.
    const int parts =
        bank.firstValue(QStringLiteral("select (select count(*) from sqlite_master where "
                                       "type='table' and name='RuleChange') + (select count(*) "
                                       "from pragma_table_info('Paper') where name='Rule') as n"),
                        QStringLiteral("n"))
            .toInt();
    if (parts != 2) return changes;
    bank.forEachRow(
        {"select r.RuleKey, r.Since, r.Source, r.Change, (select count(0) from Paper where " +
             Sql::inClass() +
             " and Paper.Rule=r.RuleKey) from RuleChange r order by r.Since, r.RuleKey",
         {classCode}},
        [&](const QSqlQuery& row) {
            changes.append({row.value(0).toString(), row.value(1).toString(),
                            row.value(2).toString(), row.value(3).toString(),
                            row.value(4).toInt()});
        });
    return changes;
}
