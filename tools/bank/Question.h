#pragma once

#include "store/BankContent.h"

#include <QList>
#include <QString>
#include <QStringList>

struct SourceProblem {
    QString file;
    int line = 0;
    QString message;
};

// Reads every data/questions/*.txt; problems are collected, not thrown.
QList<Question> readSource(const QString& questionsDir, QList<SourceProblem>& problems);
QList<Question> readSourceFile(const QString& file, QList<SourceProblem>& problems);
