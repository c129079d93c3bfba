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

    QString path(const QString& relative) const { return programFolder + relative; }
};
