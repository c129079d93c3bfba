#pragma once

#include "Layer.h"

#include <QList>
#include <QString>
#include <QVariant>

class Bank;

// What the bank hands to a driving school the learner has joined: the answers and exam records
// after the last one the school's server has taken, each with the bank's own row id.

struct SharedAnswer {
    qint64 rowId = 0; // History.ID
    qint64 questionId = 0;
    QVariant carType, mode, answer, right, seconds, answeredAt, cue; // as the bank holds them
};

struct SharedRecord {
    qint64 rowId = 0; // Record.ID
    int score = 0;
    QVariant takenAt, carType, seconds, chapterRights, hall;
};

// At most `limit` rows with an id above `after`, oldest first.
QList<SharedAnswer> AnswersAfter(Bank& bank, qint64 after, int limit);
QList<SharedRecord> RecordsAfter(Bank& bank, qint64 after, int limit);
// The newest ids, 0 when there are none: whether anything waits to be sent.
qint64 LastAnswerId(Bank& bank);
qint64 LastRecordId(Bank& bank);

// Settings the school link keeps in the bank's Param table; an absent row reads as empty.
QString ReadLinkSetting(Bank& bank, const QString& key);
// Writes the row, adding it when absent; an empty value removes it.
void WriteLinkSetting(Bank& bank, const QString& key, const QString& value);
