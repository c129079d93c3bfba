#pragma once

#include "Layer.h"

#include "Bank.h"

#include <QString>

// The statements of scheduled review, favourites, topic drills and unseen-first practice.
// Days are stored as ISO dates ("2026-12-07"), so text order is day order.
namespace Sql {

Statement scheduleOf(qint64 id);
Statement putSchedule(qint64 id, int step, const QString& due);
Statement leaveSchedule(qint64 id);
Statement dueCount(const QString& code, const QString& today);
Statement dueIds(const QString& code, const QString& today);
// The first day after `today` that questions of the class are due on, and how many.
Statement nextDue(const QString& code, const QString& today);
// Entries due after `latest`, and moving them to it.
Statement farDueCount(const QString& latest);
Statement pullBackDue(const QString& latest);

Statement isFavourite(qint64 id);
Statement addFavourite(qint64 id);
Statement removeFavourite(qint64 id);
Statement favouriteCount(const QString& code);
Statement favouriteIds(const QString& code);

// Each question of the class with its tags, and its answers and right answers.
Statement classTagsWithAnswers(const QString& code, bool withHistory);
Statement topicCount(const QString& code, const QString& topic);
Statement topicIds(const QString& code, const QString& topic);

// The class's ids, never-answered ones first; the second column groups them for the shuffle.
Statement classIdsUnseenFirst(const QString& code, bool withHistory);

} // namespace Sql
