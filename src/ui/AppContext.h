#pragma once

#include "Layer.h"

#include "../domain/Clock.h"
#include "../services/PracticeSession.h"
#include "../store/Bank.h"
#include "../store/Module1.h"

#include <QString>

class Platform;

// What the windows of one run share: the platform, the program's folders, the bank, the
// clocks and the practice session. One object per run (and per test), so every window sees
// who it depends on.
struct AppContext {
    AppContext(Platform& platform, QString programFolder)
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
    PracticeSession practice{Conn};

    QString path(const QString& relative) const { return programFolder + relative; }
};
