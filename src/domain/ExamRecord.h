#pragma once

#include "QuestionSet.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// One judged answer as the history and the review schedule take it.
struct AnsweredQuestion {
    qint64 id = 0;
    QString carType;
    QuestionSet::Mode mode = QuestionSet::Mode::Sequential;
    QString answer; // as given: "A"–"D", "对"/"错"
    bool right = false;
    int seconds = 0;
    bool answerShown = false; // the right answer was on screen before it was given
    QDateTime at;             // local wall-clock time; its day is the schedule's today
};

// A judged answer as the bank takes it: the resume point, the wrong mark and, for the first
// answer of a practice visit, its history row and review step.
struct AnswerWrite {
    qint64 id = 0;
    bool right = false;
    bool keepsResumePoint = false;
    bool removeRightFromWrong = false;
    std::optional<AnsweredQuestion> recorded;
};

// A finished mock exam as the bank keeps it, with its final answers for the history.
struct ExamRecord {
    int score = 0;
    QString carType;       // "C", "B" or "A"
    int seconds = 0;       // exam time used
    QString chapterRights; // right answers per chapter: "1:23,2:18,…"
    bool hall = false;     // sat in the exam-hall mode
    QDateTime earned = QDateTime::currentDateTime();
    QList<AnsweredQuestion> answers;
};
