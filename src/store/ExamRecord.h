#pragma once

#include "../core/Practice.h"

#include <QDateTime>
#include <QList>
#include <QString>

// A finished mock exam as the bank keeps it, with its final answers for the history.
struct ExamRecord {
    int score = 0;
    QString carType;       // "C", "B" or "A"
    int seconds = 0;       // exam time used
    QString chapterRights; // right answers per chapter: "1:23,2:18,…"
    QDateTime earned = QDateTime::currentDateTime();
    QList<AnsweredQuestion> answers;
};
