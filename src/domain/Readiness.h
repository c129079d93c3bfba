#pragma once

#include "Domain.h"
#include "Learner.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

// One stored answer as the learner model reads it.
struct PastAnswer {
    double ageDays = 0; // how long ago, in days
    bool right = false;
    AnswerCue cue = AnswerCue::FirstTry;
    // A fresh answer to a question the learner did not choose (随机练习, a mock exam): a fair
    // sample of what a paper asks.
    bool sample = false;
};

// A question of the class with every answer given to it, oldest first.
struct QuestionEvidence {
    QString chapter;
    double guess = 0.25; // the chance a blind guess gives: 1/4 for a choice, 1/2 for 对/错
    QList<PastAnswer> answers;
};

// The learner model's tuning, in one place. Evidence of an answer counts with the weight of
// its cue, fading as exp(-age / stability); the stability starts at `firstStability` days and
// grows `spacedGrowth` times with each right first try given on a later day than the last.
struct LearnerTuning {
    double weightShown = 0.1;      // the right answer was in view
    double weightRepeat = 0.25;    // wrong earlier the same day
    double firstStability = 14;    // days
    double spacedGrowth = 2.5;     // per spaced right answer
    double maxStability = 365;     // days
    double priorStrength = 2;      // answers' worth of the chapter's level on each question
    double chapterStrength = 20;   // answers' worth of the class's level on each chapter
    double classStrength = 10;     // answers' worth of a middling learner on the class
    double startKnowledge = 0.5;   // a middling learner: half the way from guessing to knowing
    double forgetting = 0.5;       // share of knowledge lost once it has fully faded
    double knowledgeSlower = 6;    // knowledge fades this many times more slowly than evidence
    double graceDays = 3;          // nothing is forgotten within these days
    double minFresh = 100;         // fewer recent first tries than this: too little to tell
    double sampledChapter = 30;    // sample answers that make a chapter's untried ones known
    double unsampledSpread = 0.10; // how far untried questions may stand from tried ones
    double sampledSpread = 0.015;
    double fastSlower = 3;        // a fast forgetter's knowledge: this many times the evidence's
    double forgettingDoubt = 0.5; // share of a fast forgetter's loss the range may be off by
    double examDays = 30;         // mock exams older than this check nothing
    double examFade = 14;         // days: older mock exams count less
    double examSpread = 0.01;     // how far one day's papers may stand from the next
    double learnedSince = 0.02;   // how far the learner may have moved since the answers
    double modelSpread = 0.012;   // what the model itself may miss
    double z = 1.28;              // the range holds the truth four times in five
    double widestRange = 0.95;    // a wider range than this says nothing
};

// One chapter of the paper as the model sees it.
struct ChapterOutlook {
    QString chapter;
    int quota = 0;
    int total = 0;     // the class's questions in it
    int seen = 0;      // of those, answered at least once
    double chance = 0; // the chance a question drawn from it is answered right now
    // Points a paper is expected to lose here.
    double expectedLoss() const { return quota * (1.0 - chance); }
    int unseen() const { return total - seen; }
};

// The estimate of passing a mock exam now: a range, its middle, and whether the history says
// enough to give one.
struct ReadinessEstimate {
    bool enough = false;
    double low = 0, middle = 0, high = 0; // chances of passing
    double freshAnswers = 0;              // recent first tries, faded by age
    QList<ChapterOutlook> chapters;       // the paper's chapters, then the 不考 ones
};

// A recent mock exam's score for checking the estimate.
struct RecentScore {
    double ageDays = 0;
    int score = 0;
};

// The model: per question the chance of a right answer now, from every answer to it (weighted
// by how it was given and how long ago), an untried question from the learner's first tries in
// its chapter (shrunk toward the class) above the floor a guess gives; then the chance of
// passing a paper drawn as ComposePaper draws it, with a range from the model's uncertainty.
// Recent mock-exam scores move the middle toward their average, all the way when they disagree
// with the answers by more than either allows.
ReadinessEstimate EstimateReadiness(const QList<QuestionEvidence>& questions,
                                    const ChapterQuotas& quotas, int passScore,
                                    const QList<RecentScore>& scores = {},
                                    const LearnerTuning& tuning = {});

// The chance of at least `passScore` right on a paper whose chapters are answered right with
// `chances` (one per entry of `quotas`).
double PaperPassChance(const ChapterQuotas& quotas, const std::vector<double>& chances,
                       int passScore);

// The plain verdict of a range: 可以考试 only when even its low end is high, 还需练习 when its
// middle is well short of even odds.
enum class ReadyVerdict { NotYet, Close, Ready };
ReadyVerdict VerdictOf(const ReadinessEstimate& estimate);
QString VerdictText(ReadyVerdict verdict);
// The estimate in words, as 学习进度 and the instructor's list say it: "约 62%–78%　接近合格",
// or 数据不足.
QString ReadinessText(const ReadinessEstimate& estimate, bool anyHistory);

// What to do next, in words, with the practice it starts.
struct NextStep {
    enum class Action { MockExam, ChapterRandom };
    Action action = Action::MockExam;
    QString chapter; // for ChapterRandom
    QString text;
};
// Too little evidence or a range that already says 可以考试: a mock exam. Otherwise the chapter
// that loses most points on a paper: its untried questions first, in random order.
NextStep NextStepOf(const ReadinessEstimate& estimate);
