#pragma once

#include "Layer.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class Bank;
struct PracticeSession;

// An exam's score saved in the bank. When the bank cannot take it now (held by another
// program, disk full), the score waits in the session and the reason comes back; it is
// saved, with the time it was earned, at the next chance.
// The record keeps the class, the seconds used and the right answers per chapter; the
// history gains each question's final answer and the review schedule its step, with it.
// `hall`: sat in the exam-hall mode.
QString SaveExamRecord(PracticeSession& session, int score,
                       const QDateTime& earned = QDateTime::currentDateTime(), bool hall = false);
// Tries the waiting answers and scores again, oldest first; true when none is left waiting.
bool SaveWaitingRecords(PracticeSession& session);
bool HasWaiting(const PracticeSession& session);

// The ten best exam records, best first (ties: the older first), as 得分情况 lists them.
struct RecordRow {
    qint64 id = 0;
    QString score;
    QString time;
};
QList<RecordRow> TenBestRecords(Bank& bank);
void DeleteRecord(Bank& bank, qint64 id);
void DeleteAllRecords(Bank& bank);

// When the program must end before the bank can take what waits, it is set aside in a small
// file beside the bank (or, where that cannot be written, in the learner's data folder) and
// the next start writes it in. Returns the file written; empty with `error` when neither
// place could take it (nothing is cleared then).
QString SetAsideWaiting(PracticeSession& session, const QString& bankFile, QString* error);

// At start: writes in what an earlier run set aside for this bank and removes the file.
// What the bank cannot take right now joins the session's waiting work instead.
struct FoldedIn {
    int scores = 0;
    int answers = 0;
    QString problem; // a set-aside file that could not be read; it is left where it is
};
FoldedIn FoldInSetAside(PracticeSession& session, const QString& bankFile);

// The places a set-aside file for `bankFile` may be in, the one beside the bank first.
QStringList SetAsideFiles(const QString& bankFile);
