#pragma once

#include "store/BankLocation.h"

#include <QString>
#include <QStringList>

// What the command line asks for, settled before any window opens, so that --help and
// --version work without a display.
struct StartPlan {
    int exitStatus = -1; // 0 or more: print `out` and `err`, then stop with this status
    QString out;
    QString err;
    BankPlace place;         // where to practise, when the program goes on
    bool instructor = false; // the driving school's view instead of practice
};

// `arguments` without the program name. Exit statuses: 0 done, 1 the bank cannot be used,
// 2 wrong usage.
StartPlan planStart(const QStringList& arguments, const QString& executableFolder,
                    const QString& userFolder);

QString helpText();
QString versionText();
