#pragma once

#include "Layer.h"

#include "Bank.h"

#include <QList>
#include <QString>

// The rule changes since 2021 that questions follow (the bank's RuleChange table, each
// question's key in Paper.Rule), for the 法规变化 page and its drills.
struct RuleChangeCount {
    QString key;
    QString date; // in force from, "2022-04-01"
    QString source;
    QString change;
    int questions = 0; // of the class
};

// The changes, oldest first, with the number of the class's questions each touches; none for
// a bank from before them.
QList<RuleChangeCount> ReadRuleChanges(Bank& bank, const QString& classCode);

namespace Sql {
Statement ruleCount(const QString& code, const QString& rule);
Statement ruleIds(const QString& code, const QString& rule);
} // namespace Sql
