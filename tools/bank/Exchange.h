#pragma once

#include "Database.h"

#include <QString>
#include <QStringList>

// What a command did: problems (one line each, nothing changed) or a summary.
struct Outcome {
    QStringList problems;
    QStringList warnings; // done, but something for the person to know
    QString summary;
    bool locked = false; // another program held the bank all the while
    bool ok() const { return problems.isEmpty(); }
};

// Adds and updates questions from a spreadsheet file in one transaction: every bad row is
// reported ("FILE:LINE: column X: what is wrong") and then nothing changes. Questions not in
// the file stay; the learner's marks, settings and records are never touched. Pictures the
// rows name come from `picturesDir`, or must already be beside the bank.
Outcome importCsv(const QString& bankFile, const QString& csvFile, const QString& picturesDir = {},
                  const Say& say = {});

// Every question, ordered by ID, as UTF-8 CSV with a byte order mark (what Excel opens).
Outcome exportCsv(const QString& bankFile, const QString& csvFile);

// The learner's answer history, oldest first, as a spreadsheet file.
Outcome exportHistory(const QString& bankFile, const QString& csvFile);

// The learner's own data: wrong-question marks, settings, exam records, answer history, review
// schedule and favourites.
Outcome backupLearner(const QString& bankFile, const QString& backupFile);
// Puts a backup's data back in one transaction, after checking the file is an undamaged backup.
Outcome restoreLearner(const QString& bankFile, const QString& backupFile, const Say& say = {});
