#pragma once

#include <QDateTime>
#include <QString>

struct Session;

// An exam's score saved in the bank. When the bank cannot take it now (held by another
// program, disk full), the score waits in the session and the reason comes back; it is
// saved, with the time it was earned, at the next chance.
// The record keeps the class, the seconds used and the right answers per chapter; the
// history gains each question's final answer and the review schedule its step, with it.
QString SaveExamRecord(Session& session, int score,
                       const QDateTime& earned = QDateTime::currentDateTime());
// Tries the waiting scores again, oldest first; true when none is left waiting.
bool SaveWaitingRecords(Session& session);
