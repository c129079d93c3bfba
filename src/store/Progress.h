#pragma once

#include "Layer.h"

#include "../domain/Readiness.h"

#include <QDateTime>
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
    double ageDays = 0;
    bool hall = false; // sat in the exam-hall mode
};

// Where the learner stands in a class: the estimate of passing a paper now with its range and
// chapters, what to do next, the questions to drill and the exam scores so far.
struct Progress {
    ReadinessEstimate estimate;
    NextStep next;
    int passScore = 0;
    bool anyHistory = false;
    QList<OftenWrongQuestion> oftenWrong;
    QList<ScorePoint> scores;
};
// `now` is the learner's local time the ages are reckoned from.
Progress ReadProgress(Bank& bank, const QString& classCode,
                      const QDateTime& now = QDateTime::currentDateTime());
// Every question of the class with its answers, as the learner model takes them.
QList<QuestionEvidence> ReadEvidence(Bank& bank, const QString& classCode, const QDateTime& now);
