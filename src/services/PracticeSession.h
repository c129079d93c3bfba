#pragma once

#include "Layer.h"

#include "../domain/ExamRecord.h"
#include "../domain/QuestionSet.h"

#include <QList>
#include <QString>

class Bank;

// What the learner is doing: the class, the set with every answer given to it, the phase
// (practising, an exam running, handed in, its review), the policies that decide what an
// answer does, and the running exam's countdown. The windows ask it and paint; their clocks
// only tick it. (Auto-remove is read from the bank as each answer is judged: Practice.h.)
//
//   Empty ──load a set──▶ Practising ◀──load a set── (any phase)
//     │
//     └──startExam──▶ ExamRunning ──handIn / time out──▶ HandedIn ──review──▶ Reviewing
//                          ▲                                                     │
//                          └──────────────startExam (retake or new paper)────────┘
struct PracticeSession {
    explicit PracticeSession(Bank& bank) : Conn(bank) {}

    enum class Phase { Empty, Practising, ExamRunning, HandedIn, Reviewing };
    // What decides an answer's fate, as the learner set them (kept in the bank's settings).
    struct Policies {
        bool studyMode = false;   // practice shows the answer and judges nothing
        bool autoAdvance = false; // a right answer in practice moves on
        bool idNumbers = false;   // questions numbered by their id, not their position
    };

    Bank& Conn;
    QString CarTypeCode;
    // The set being practised or examined, with every answer given to it.
    QuestionSet set;
    bool IsWrongQuestionPractice = false;
    Policies policies;
    // The running exam's countdown: seconds left, and the seconds it started with.
    int ExamSeconds = 0;
    int ExamLength = 0;
    // Exam scores the bank could not take yet (see Records.h).
    QList<ExamRecord> waitingRecords;
    // Answers the bank could not take yet, in the order given (see Practice.h).
    QList<AnswerWrite> waitingAnswers;

    // What QuestionsChanged saw last.
    qint64 seenDataVersion = -1;
    QString seenQuestions;

    Phase phase() const;
    bool examRunning() const { return phase() == Phase::ExamRunning; }
    // Practice and a running exam take answers; a handed-in paper and its review do not.
    bool acceptsAnswers() const;
    // Study mode shows practice answers without judging them; an exam always judges.
    bool judges() const { return set.isExam() || !policies.studyMode; }
    // After an answer: an exam moves on after every one, practice after a right one when asked.
    bool movesOnAfter(bool right) const { return set.isExam() || (right && policies.autoAdvance); }

    // The exam paper in `set` starts (again) with `seconds` on the clock.
    void startExam(int seconds);
    // One second of a running exam. True when the time had run out: the paper is handed in.
    bool tick();
    // A running exam is handed in; false (nothing changes) in any other phase.
    bool handIn();
    // A handed-in paper is opened for review.
    void review();

  private:
    // Where the exam paper in `set` stands; read only while `set` is an exam.
    Phase examPhase_ = Phase::HandedIn;
};
