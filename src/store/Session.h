#pragma once

#include "../core/Clock.h"
#include "../core/QuestionSet.h"
#include "Bank.h"
#include "ExamRecord.h"
#include "Module1.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class Platform;

// The process-wide state the windows share. One object per run (and per test), so every
// window sees who it depends on.
struct Session {
    Session(Platform& platform, QString programFolder)
        : platform(platform), programFolder(std::move(programFolder)) {}

    Platform& platform;
    QString programFolder;
    // The bank practised on: beside the program, or the learner's own (see BankLocation.h).
    QString bankFile = BankFile(programFolder);
    // The shipped bank `bankFile` was copied from, when it is the learner's own copy.
    QString shippedBank;
    // A portable copy that changed banks since its last start (see BankPlace).
    QString switchNotice;
    QString previousBank;
    // Practise on it without saving anything (there is nowhere to save).
    bool bankReadOnly = false;

    Bank Conn;
    // Where the windows get their clocks; tests put clocks they advance by hand.
    ClockFactory makeClock = RealClocks();
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

    QString path(const QString& relative) const { return programFolder + relative; }
};
