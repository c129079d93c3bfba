#pragma once

#include <QList>
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
};

struct SourceProblem {
    QString file;
    int line = 0;
    QString message;
};

// Reads every data/questions/*.txt; problems are collected, not thrown.
QList<Question> readSource(const QString& questionsDir, QList<SourceProblem>& problems);
QList<Question> readSourceFile(const QString& file, QList<SourceProblem>& problems);
