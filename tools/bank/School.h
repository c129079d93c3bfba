#pragma once

#include "Database.h"

#include <QStringList>

// `bank school ACTION OPTIONS`: sets up a driving school's PostgreSQL database and its people.
// `out` takes what the command made (a learner's join details), `err` problems and warnings.
// Returns the exit status: 0 done, 1 refused or failed, 2 wrong usage.
int schoolCommand(const QStringList& arguments, const Say& out, const Say& err);

// The usage lines of `bank school`.
QString schoolUsage(const QString& toolName);
