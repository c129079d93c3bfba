#pragma once

#include "Layer.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// How a bank file was opened.
struct BankOpening {
    QSqlError error; // invalid when open
    // The bank has a write-ahead log SQLite cannot read where it lies (its index is gone and
    // the folder cannot be written): what it holds, the latest practice, is not seen.
    bool logUnread = false;
};

// Opens `db` on a bank file with the driver's `options`, read-only when asked or when its
// folder cannot be written. A read-only bank is read together with the write-ahead log a
// program ended by a signal left beside it; only where SQLite cannot read that log is the
// file read on its own, as an unchanging file, and the opening says so.
BankOpening openBankFile(QSqlDatabase& db, const QString& file, const QString& options,
                         bool readOnly = false);

// Copies a bank, with what its write-ahead log holds, to `to` (replaced) through SQLite's own
// backup, so the copy is one file that needs no log. Returns what went wrong, or empty.
QString copyBankFile(const QString& from, const QString& to);

// True when the folder's disk has too little room left to take practice (and a log) safely.
bool diskFull(const QString& folder);
