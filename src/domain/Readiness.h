#pragma once

#include "Domain.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

// A question never answered is counted as a coin toss: about what a learner gets from a
// guess between a choice question (one in four) and a judgement (one in two), with some
// common sense.
inline constexpr double UnseenChance = 0.5;

// How far a learner stands in one chapter of a class's paper, from each question's latest
// answer in the history.
struct ChapterStanding {
    QString chapter; // "1"–"9"
    int quota = 0;   // questions a paper draws from it
    int total = 0;   // the class's questions in it
    int seen = 0;    // questions answered at least once
    int right = 0;   // of those, the ones whose latest answer was right

    int unseen() const { return total - seen; }
    // Right share of the latest answers; nothing when none was answered.
    std::optional<double> accuracy() const;
    // The chance a drawn question the learner has answered comes out right: the share of
    // right latest answers, as the page shows it.
    double seenChance() const { return seen > 0 ? double(right) / seen : UnseenChance; }
    // Points a paper is expected to lose here.
    double expectedLoss() const;
};

// The chance of each number of right answers (0 … quota) in the chapter's share of a paper:
// the draw of its questions exactly as a paper is composed (without repeats, every question
// again only when the chapter is shorter than its quota), each drawn question right with its
// chance.
std::vector<double> ChapterScoreChances(const ChapterStanding& chapter);
// The chance of passing a paper made of these chapters with at least `passScore` right.
double PassChance(const QList<ChapterStanding>& chapters, int passScore);

// The plain verdict shown beside the chance.
QString ReadinessVerdict(double passChance);
