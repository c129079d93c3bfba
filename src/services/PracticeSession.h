#pragma once

#include "Layer.h"

#include "../domain/ExamRecord.h"
#include "../domain/QuestionSet.h"

#include <QList>
#include <QString>

class Bank;

// What the learner is doing: the class, the set with every answer given to it, and the
// running exam's clock. The windows ask it and paint; the services change it.
struct PracticeSession {
    explicit PracticeSession(Bank& bank) : Conn(bank) {}

    Bank& Conn;
    QString CarTypeCode;
    // The set being practised or examined, with every answer given to it.
    QuestionSet set;
    bool IsWrongQuestionPractice = false;
    int ExamSeconds = 0;
    // The seconds the running exam started with.
    int ExamLength = 0;
    // Exam scores the bank could not take yet (see Records.h).
    QList<ExamRecord> waitingRecords;
    // Answers the bank could not take yet, in the order given (see Practice.h).
    QList<AnswerWrite> waitingAnswers;

    // What QuestionsChanged saw last.
    qint64 seenDataVersion = -1;
    QString seenQuestions;
};
