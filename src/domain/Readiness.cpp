#include "Readiness.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {

// Binomial(n, p) as a list of chances 0 … n.
std::vector<double> binomial(int n, double p) {
    std::vector<double> chances(size_t(n) + 1, 0.0);
    chances[0] = 1.0;
    for (int i = 1; i <= n; ++i)
        for (int r = i; r >= 0; --r)
            chances[size_t(r)] =
                chances[size_t(r)] * (1.0 - p) + (r > 0 ? chances[size_t(r - 1)] * p : 0.0);
    return chances;
}

// The sum of two independent counts.
std::vector<double> convolve(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> sum(a.size() + b.size() - 1, 0.0);
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != 0.0)
            for (size_t j = 0; j < b.size(); ++j)
                sum[i + j] += a[i] * b[j];
    return sum;
}

double cueWeight(AnswerCue cue, const LearnerTuning& t) {
    switch (cue) {
    case AnswerCue::AnswerShown:
        return t.weightShown;
    case AnswerCue::AfterWrongToday:
        return t.weightRepeat;
    case AnswerCue::FirstTry:
        break;
    }
    return 1.0;
}

// How long evidence about one question lasts: longer with each right first try given on a
// later day than the one before (spaced), as the review schedule's intervals grow.
double stabilityOf(const QList<PastAnswer>& answers, const LearnerTuning& t) {
    int spaced = 0;
    double lastAge = -1;
    for (const PastAnswer& a : answers) {
        if (a.cue != AnswerCue::FirstTry || !a.right) continue;
        if (spaced == 0 || lastAge - a.ageDays >= 1.0) {
            ++spaced;
            lastAge = a.ageDays;
        }
    }
    return std::min(t.maxStability,
                    t.firstStability * std::pow(t.spacedGrowth, qMax(0, spaced - 1)));
}

// The share of what was known about a question that is still known `age` days after it was
// last practised: nothing is lost within a few days, then knowledge fades more slowly than the
// evidence of it, and never all of it.
double retainedAfter(double age, double stability, const LearnerTuning& t) {
    return 1.0 - t.forgetting * (1.0 - std::exp(-qMax(0.0, age - t.graceDays) /
                                                (t.knowledgeSlower * stability)));
}
// The same for a learner who forgets fast: from the first day, and all of it in the end.
double retainedByFastForgetter(double age, double stability, const LearnerTuning& t) {
    return std::exp(-qMax(0.0, age) / (t.fastSlower * stability));
}

struct ChapterSums {
    double weight = 0, knowledge = 0; // faded first tries and their knowledge
    double samples = 0;               // faded sample answers
};

} // namespace

double PaperPassChance(const ChapterQuotas& quotas, const std::vector<double>& chances,
                       int passScore) {
    std::vector<double> paper{1.0};
    for (qsizetype c = 0; c < quotas.size(); ++c)
        paper = convolve(paper,
                         binomial(qMax(0, quotas[c].second), qBound(0.0, chances[size_t(c)], 1.0)));
    double pass = 0.0;
    for (size_t score = size_t(qMax(0, passScore)); score < paper.size(); ++score)
        pass += paper[score];
    return qBound(0.0, pass, 1.0);
}

ReadinessEstimate EstimateReadiness(const QList<QuestionEvidence>& questions,
                                    const ChapterQuotas& quotas, int passScore,
                                    const QList<RecentScore>& scores, const LearnerTuning& t) {
    ReadinessEstimate e;
    // First pass: each question's stability and its own evidence, and the learner's level per
    // chapter from the first answer ever given to each question (a fair first try), faded by age.
    struct Own {
        double stability = 0, weight = 0, right = 0, latest = 1e9;
        double retained = 1, retainedFast = 1; // of what was known, by each forgetting
    };
    std::vector<Own> own(size_t(questions.size()));
    QHash<QString, ChapterSums> chapters;
    QHash<double, ChapterSums> kinds; // by the guess: 对/错 and choice questions
    ChapterSums whole;
    double freshNow = 0, retainedSum = 0, fastSum = 0, practised = 0;
    for (qsizetype i = 0; i < questions.size(); ++i) {
        const QuestionEvidence& q = questions[i];
        Own& o = own[size_t(i)];
        const double s = o.stability = stabilityOf(q.answers, t);
        ChapterSums& c = chapters[q.chapter];
        for (const PastAnswer& a : q.answers) {
            const double fade = std::exp(-a.ageDays / s);
            const double w = cueWeight(a.cue, t) * fade;
            o.weight += w;
            o.right += a.right ? w : 0.0;
            o.latest = std::min(o.latest, a.ageDays);
            if (a.cue != AnswerCue::FirstTry) continue;
            freshNow += fade;
            if (a.sample) {
                c.samples += fade;
                whole.samples += fade;
            }
        }
        if (!q.answers.isEmpty() && q.answers.first().cue == AnswerCue::FirstTry) {
            const PastAnswer& a = q.answers.first();
            // Faded alike whatever came after: a wrong first try that was then practised (and
            // so held longer) must not outweigh a right one left alone.
            const double fade = std::exp(-a.ageDays / t.firstStability);
            const double k = a.right ? 1.0 : 0.0;
            // A right guess is no knowledge: count a right first try above the guess only.
            const double known = (k - q.guess) / (1.0 - q.guess);
            c.weight += fade;
            c.knowledge += fade * known;
            whole.weight += fade;
            whole.knowledge += fade * known;
            kinds[q.guess].weight += fade;
            kinds[q.guess].knowledge += fade * known;
        }
        if (!q.answers.isEmpty()) {
            o.retained = retainedAfter(o.latest, s, t);
            o.retainedFast = retainedByFastForgetter(o.latest, s, t);
            retainedSum += o.retained;
            fastSum += o.retainedFast;
            practised += 1;
        }
    }
    e.freshAnswers = freshNow;
    // An untried question's level comes from study as a whole: it fades as the practised ones do.
    const double keep = practised > 0 ? retainedSum / practised : 1.0;
    const double keepFast = practised > 0 ? fastSum / practised : 1.0;
    const double classKnowledge = qBound(0.0,
                                         (whole.knowledge + t.classStrength * t.startKnowledge) /
                                             (whole.weight + t.classStrength),
                                         1.0);
    // 对/错 and choice questions may stand apart from the class's level in the same way in every
    // chapter (counting above the guess does not make them alike for every learner).
    QHash<double, double> kindOffset;
    for (auto it = kinds.begin(); it != kinds.end(); ++it)
        kindOffset[it.key()] = (it->knowledge + t.chapterStrength * classKnowledge) /
                                   (it->weight + t.chapterStrength) -
                               classKnowledge;
    QHash<QString, double> chapterKnowledge;
    for (auto it = chapters.begin(); it != chapters.end(); ++it)
        chapterKnowledge[it.key()] = qBound(0.0,
                                            (it->knowledge + t.chapterStrength * classKnowledge) /
                                                (it->weight + t.chapterStrength),
                                            1.0);

    // Second pass: each question's chance now, and per chapter the mean chance and the share
    // of it that rests on the chapter's level rather than the question's own answers.
    struct Outlook {
        double chance = 0, unforgotten = 0, fast = 0, guess = 0;
        int total = 0, seen = 0;
    };
    QHash<QString, Outlook> outlook;
    for (qsizetype i = 0; i < questions.size(); ++i) {
        const QuestionEvidence& q = questions[i];
        const Own& mine = own[size_t(i)];
        const double prior =
            q.guess +
            (1.0 - q.guess) *
                qBound(0.0, chapterKnowledge.value(q.chapter) + kindOffset.value(q.guess), 1.0);
        const double unforgotten =
            (mine.right + t.priorStrength * prior) / (mine.weight + t.priorStrength);
        const bool tried = !q.answers.isEmpty();
        const double chance = q.guess + (unforgotten - q.guess) * (tried ? mine.retained : keep);
        const double fast = tried ? mine.retainedFast : keepFast;
        Outlook& o = outlook[q.chapter];
        o.chance += chance;
        o.unforgotten += unforgotten;
        o.fast += q.guess + (unforgotten - q.guess) * fast;
        o.guess += q.guess;
        ++o.total;
        o.seen += q.answers.isEmpty() ? 0 : 1;
    }

    // The middle, and how far the paper's mean chance may stand from it.
    std::vector<double> chances, guesses;
    double statistical = 0, systematic = 0, mean = 0, meanUnforgotten = 0, meanFast = 0;
    int paperSize = 0;
    for (const auto& [chapter, quota] : quotas) {
        const Outlook o = outlook.value(chapter);
        ChapterOutlook c{chapter, quota, o.total, o.seen, o.total > 0 ? o.chance / o.total : 0.0};
        e.chapters.append(c);
        chances.push_back(c.chance);
        guesses.push_back(o.total > 0 ? o.guess / o.total : 0.0);
        paperSize += quota;
    }
    for (qsizetype c = 0; c < quotas.size(); ++c) {
        const double share = double(quotas[c].second) / qMax(1, paperSize);
        const Outlook o = outlook.value(quotas[c].first);
        const ChapterSums sums = chapters.value(quotas[c].first);
        const double p = chances[size_t(c)];
        statistical += share * share * p * (1.0 - p) / (sums.weight + 2.0);
        // Untried questions rest on the level of the tried ones.
        const double onPrior = o.total > 0 ? 1.0 - double(o.seen) / o.total : 1.0;
        const double spread =
            sums.samples >= t.sampledChapter ? t.sampledSpread : t.unsampledSpread;
        systematic += share * onPrior * spread;
        mean += share * p;
        if (o.total > 0) {
            meanUnforgotten += share * o.unforgotten / o.total;
            meanFast += share * o.fast / o.total;
        }
    }
    // How fast this learner forgets is not known: the range reaches from forgetting nothing
    // toward forgetting fast.
    const double aged = t.forgettingDoubt * qMax(0.0, meanUnforgotten - meanFast);
    double variance =
        statistical + systematic * systematic + aged * aged + t.modelSpread * t.modelSpread;
    // Recent mock exams are samples of the paper itself: they move the middle toward their
    // average as far as their number and age make them worth. Where they disagree with the
    // answers by more than both allow, the answers were the ones off: the exams take over.
    double shift = 0, examWeight = 0, examSum = 0;
    for (const RecentScore& r : scores)
        if (r.ageDays <= t.examDays && paperSize > 0) {
            const double w = std::exp(-qMax(0.0, r.ageDays) / t.examFade);
            examWeight += w;
            examSum += w * qBound(0, r.score, paperSize) / double(paperSize);
        }
    if (examWeight > 0) {
        const double examMean = examSum / examWeight;
        const double examVariance =
            qMax(0.01, examMean * (1.0 - examMean)) / (paperSize * examWeight) +
            t.examSpread * t.examSpread;
        const double gap = examMean - mean;
        // Answers older than the exams may no longer be what the learner knows.
        const double modelVariance =
            std::max(variance + t.learnedSince * t.learnedSince, gap * gap - examVariance);
        const double toExams = modelVariance / (modelVariance + examVariance);
        shift = toExams * gap;
        // The exams' answers are in the history too: agreeing is no second sample, so the
        // range is no narrower than the surer of the two alone.
        variance = std::max((1.0 - toExams) * modelVariance, std::min(variance, examVariance));
    }
    const double sigma = std::sqrt(variance);
    auto passWith = [&](double by) {
        std::vector<double> moved = chances;
        for (size_t c = 0; c < moved.size(); ++c)
            moved[c] = qBound(guesses[c], moved[c] + shift + by, 1.0);
        return PaperPassChance(quotas, moved, passScore);
    };
    e.middle = passWith(0);
    e.low = passWith(-t.z * sigma);
    e.high = passWith(t.z * sigma);
    // The chapters show what the middle rests on.
    for (qsizetype c = 0; c < e.chapters.size(); ++c)
        e.chapters[c].chance = qBound(guesses[size_t(c)], e.chapters[c].chance + shift, 1.0);
    e.enough = freshNow >= t.minFresh && e.high - e.low <= t.widestRange;

    // Chapters of the class that its paper never draws from still show what was practised.
    QStringList others;
    for (auto it = outlook.begin(); it != outlook.end(); ++it)
        if (std::none_of(quotas.begin(), quotas.end(),
                         [&](const auto& q) { return q.first == it.key(); }))
            others.append(it.key());
    std::sort(others.begin(), others.end(),
              [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    for (const QString& chapter : others) {
        const Outlook o = outlook.value(chapter);
        e.chapters.append({chapter, 0, o.total, o.seen, o.total > 0 ? o.chance / o.total : 0.0});
    }
    return e;
}

ReadyVerdict VerdictOf(const ReadinessEstimate& e) {
    if (e.low >= 0.8) return ReadyVerdict::Ready;
    if (e.middle < 0.4) return ReadyVerdict::NotYet;
    return ReadyVerdict::Close;
}

QString VerdictText(ReadyVerdict verdict) {
    switch (verdict) {
    case ReadyVerdict::Ready:
        return QStringLiteral("可以考试");
    case ReadyVerdict::Close:
        return QStringLiteral("接近合格");
    case ReadyVerdict::NotYet:
        break;
    }
    return QStringLiteral("还需练习");
}

QString ReadinessText(const ReadinessEstimate& e, bool anyHistory) {
    if (!anyHistory) return QStringLiteral("数据不足（还没有作答记录）");
    if (!e.enough) return QStringLiteral("数据不足");
    const auto percent = [](double share) {
        return QString::number(std::lround(share * 100)) + QLatin1Char('%');
    };
    const QString low = percent(e.low), high = percent(e.high);
    return (low == high ? QStringLiteral("约 %1").arg(low)
                        : QStringLiteral("约 %1–%2").arg(low, high)) +
           QStringLiteral("　") + VerdictText(VerdictOf(e));
}

NextStep NextStepOf(const ReadinessEstimate& e) {
    // Points that rest on untried questions are the cheapest to make sure of; then the chapter
    // that loses most.
    const ChapterOutlook* untried = nullptr;
    const ChapterOutlook* weakest = nullptr;
    auto untriedPoints = [](const ChapterOutlook& c) {
        return double(c.quota) * c.unseen() / c.total;
    };
    for (const ChapterOutlook& c : e.chapters) {
        if (c.quota <= 0 || c.total <= 0) continue;
        if (!weakest || c.expectedLoss() > weakest->expectedLoss()) weakest = &c;
        if (c.unseen() >= 20 && c.unseen() * 5 >= c.total &&
            (!untried || untriedPoints(c) > untriedPoints(*untried)))
            untried = &c;
    }
    if (!e.enough || !weakest || VerdictOf(e) == ReadyVerdict::Ready)
        return {NextStep::Action::MockExam,
                {},
                e.enough ? QStringLiteral("做一次模拟考试，看看实际成绩")
                         : QStringLiteral("先做一次模拟考试或随机练习 100 题")};
    if (untried)
        return {NextStep::Action::ChapterRandom, untried->chapter,
                QStringLiteral("第%1章还有 %2 题没做过，先做这一章的随机练习")
                    .arg(untried->chapter)
                    .arg(untried->unseen())};
    return {NextStep::Action::ChapterRandom, weakest->chapter,
            QStringLiteral("第%1章每卷预计失分最多（约 %2 分），先做这一章的随机练习")
                .arg(weakest->chapter, QString::number(weakest->expectedLoss(), 'f', 1))};
}
