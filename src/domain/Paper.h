#pragma once

#include "Domain.h"

#include "QuestionSet.h"

#include <QStringList>
#include <random>

// A mock-exam paper: from each chapter of `quotas` (in order) its quota of ids drawn from
// `chapterIds` (the same order). Distinct while a chapter has enough; a short chapter gives
// every question it has before any repeats. Empty when a chapter has no questions.
QStringList ComposePaper(const ChapterQuotas& quotas, std::vector<QStringList> chapterIds,
                         std::mt19937& random);

// The right answers of a finished paper per chapter, "1:23,2:18,…", its positions taken in
// the quota table's order; empty for a set that is not a whole paper of these quotas.
QString ChapterRights(const ChapterQuotas& quotas, const QuestionSet& paper);
