#pragma once

#include "Layer.h"

#include "../domain/Review.h"

#include <QDate>
#include <QList>

class Bank;
struct PracticeSession;

// The review schedule, favourites and topics as the bank keeps them.

// Applies the rule to the question's stored schedule; the caller's transaction holds it.
void UpdateSchedule(Bank& bank, qint64 id, bool right, bool inReview, const QDate& today);
// Stores LatestDue for every entry due later than it.
void PullBackFarReviews(Bank& bank, const QDate& today);
// The questions of the session's class due on `today` (or overdue), far entries pulled back
// first; 0 on a bank without a schedule.
int DueCount(PracticeSession& session, const QDate& today);

// Favourites (收藏).
bool IsFavourite(PracticeSession& session, qint64 id);
void SetFavourite(PracticeSession& session, qint64 id, bool on);

// The topics of the session's class, counted from the bank.
QList<TopicCount> ReadTopicCounts(PracticeSession& session);
