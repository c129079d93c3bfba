#pragma once

#include "Layer.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// One question as the source files and the bank hold it.
struct Question {
    qint64 id = 0;
    QString type; // "1" choice, "2" true/false
    QString question;
    QStringList options; // An1..An4
    QString answerTrue;  // "1".."4" or "1"/"2"
    QString imageUrl;
    QString licenseType;
    QString chap;
    QString strType;
    QString explain;
    QString tags; // topics, ", " between them
    QString rule; // key of the rule change the question follows (data/rules.txt), or empty
};

// A rule changed since 2021 that questions may depend on; the bank's RuleChange table.
struct RuleChange {
    QString key;    // "points-2022"
    QString date;   // in force from, "2022-04-01"
    QString source; // the text that made the change
    QString change; // one line for the learner
};

// Settings rows a new bank starts with.
QList<QPair<QString, QString>> shippedSettings();

// Writes `questions` and the rule changes into the bank at `file`. A missing file becomes a
// new bank with the three tables and the shipped settings; an existing bank gets its question
// content and rule changes replaced in one transaction, and keeps every wrong-question mark,
// setting and record.
// Returns an empty text on success, else what went wrong.
// Shared by the bank tool (build) and the program (a learner's bank after an upgrade).
QString writeBank(const QString& file, const QList<Question>& questions,
                  const QList<QPair<QString, QString>>& settings = shippedSettings(),
                  const QList<RuleChange>& rules = {});

// Every question of an existing bank, ordered by ID; `error` says why not.
QList<Question> readBankQuestions(const QString& file, QString& error);
// The rule changes of an existing bank, oldest first (none in a bank from before them).
QList<RuleChange> readBankRules(const QString& file, QString& error);
