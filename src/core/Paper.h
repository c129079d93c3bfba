#pragma once

#include "Domain.h"

#include <QStringList>
#include <random>

// A mock-exam paper: from each chapter of `quotas` (in order) its quota of ids drawn from
// `chapterIds` (the same order). Distinct while a chapter has enough; a short chapter gives
// every question it has before any repeats. Empty when a chapter has no questions.
QStringList ComposePaper(const ChapterQuotas& quotas, std::vector<QStringList> chapterIds,
                         std::mt19937& random);
