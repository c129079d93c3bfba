#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <random>

// Scheduled review: a question answered wrong comes back after these many days; each right
// answer when it is due moves it to the next interval, and after the last it leaves.
inline constexpr std::array<int, 6> ReviewIntervals = {1, 2, 4, 7, 15, 30};

// Where a question stands in the schedule: its interval (index into ReviewIntervals) and the
// learner's local calendar day it is due on.
struct ReviewStep {
    int step = 0;
    QDate due;
    bool operator==(const ReviewStep&) const = default;
};

// The schedule rule. A wrong answer (in any mode) puts the question at the first interval;
// a right one in review, on or after its due day, moves it on or (after the last interval)
// out of the schedule (nothing). Anything else leaves it as it is.
std::optional<ReviewStep> NextReview(const std::optional<ReviewStep>& current, bool right,
                                     bool inReview, const QDate& today);

// The furthest day a question can be due on, seen from `today`: a later one (the clock ran
// fast when it was set) counts as this day.
QDate LatestDue(const QDate& today);

// The learner's local calendar day of a wall-clock time (milliseconds since the epoch).
QDate LearnerDay(qint64 nowMs);

// A topic of a class: its questions and the learner's answers to them.
struct TopicCount {
    QString topic;
    int questions = 0;
    int answered = 0;
    int right = 0;
};
// One question's tags column and the learner's answers to it.
struct TaggedQuestion {
    QString tags;
    int answered = 0;
    int right = 0;
};
// The topics the questions carry, the shipped topics first in their order, then any others
// by name; a topic no question carries is left out.
QList<TopicCount> CountTopics(const QList<TaggedQuestion>& questions);
// Every order equally likely (Fisher–Yates from the top).
void Shuffle(QStringList& ids, std::mt19937& random);
// Shuffles each run of ids on its own, the runs staying in order: `runStarts` holds the
// first position of every run after the first (random practice with unseen questions first).
void ShuffleRuns(QStringList& ids, const QList<qsizetype>& runStarts, std::mt19937& random);
