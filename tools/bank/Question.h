#pragma once

#include "store/BankContent.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

struct SourceProblem {
    QString file;
    int line = 0;
    QString message;
};

// Reads every data/questions/*.txt; problems are collected, not thrown. With `ruleKeys`, a
// question whose `rule:` is none of them is a problem.
QList<Question> readSource(const QString& questionsDir, QList<SourceProblem>& problems,
                           const QSet<QString>* ruleKeys = nullptr);
QList<Question> readSourceFile(const QString& file, QList<SourceProblem>& problems,
                               const QSet<QString>* ruleKeys = nullptr);

// Reads data/rules.txt: one block per rule change (`rule`, `date`, `source`, `change`). A
// missing file is no rule changes.
QList<RuleChange> readRules(const QString& file, QList<SourceProblem>& problems);

struct SourceData {
    QList<Question> questions;
    QList<RuleChange> rules;
};

// Everything `bank build` puts in a bank: data/rules.txt and data/questions/*.txt, each
// question's rule checked against the rule changes.
SourceData readData(const QString& dataDir, QList<SourceProblem>& problems);
