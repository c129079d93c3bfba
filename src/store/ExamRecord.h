#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// A finished mock exam as the bank keeps it.
struct ExamRecord {
    int score = 0;
    QString carType;       // "C", "B" or "A"
    int seconds = 0;       // exam time used
    QString chapterRights; // right answers per chapter: "1:23,2:18,…"
    QDateTime earned = QDateTime::currentDateTime();
};

// A judged answer as the bank keeps it: the wrong mark, the resume point, the review step
// and the history row it gives, written together (see WriteAnswer).
struct AnswerWrite {
    qint64 id = 0;
    QString carType;
    QString mode;   // QuestionSet::modeName
    QString answer; // "A"–"D", "对", "错"
    bool right = false;
    int seconds = 0;
    bool keepsResumePoint = false;
    bool removeRightFromWrong = false;
    bool inReview = false;
    QDate day; // the learner's day it was given on
};
