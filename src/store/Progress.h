#pragma once

#include "Layer.h"

#include "../domain/Readiness.h"

#include <QList>
#include <QString>

class Bank;

// A question the learner often gets wrong.
struct OftenWrongQuestion {
    qint64 id = 0;
    QString text;
    int answered = 0;
    int wrong = 0;
};

// One mock exam on the score trend.
struct ScorePoint {
    QString when; // as stored: "yyyy-MM-dd HH:mm:ss"
    int score = 0;
};

// Where the learner stands in a class: every chapter of its paper (in the paper's order), the
// chance of passing a paper now, the questions to drill and the exam scores so far.
struct Progress {
    QList<ChapterStanding> chapters;
    int passScore = 0;
    double passChance = 0.0;
    QList<OftenWrongQuestion> oftenWrong;
    QList<ScorePoint> scores;
};
Progress ReadProgress(Bank& bank, const QString& classCode);
