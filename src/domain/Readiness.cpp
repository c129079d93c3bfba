#include "Readiness.h"

#include <cmath>

std::optional<double> ChapterStanding::accuracy() const {
    if (seen <= 0) return std::nullopt;
    return double(right) / seen;
}

double ChapterStanding::expectedLoss() const {
    if (total <= 0) return quota;
    const double seenShare = double(seen) / total;
    return quota * (1.0 - (seenShare * seenChance() + (1.0 - seenShare) * UnseenChance));
}

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

double logChoose(int n, int k) {
    return std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
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

} // namespace

std::vector<double> ChapterScoreChances(const ChapterStanding& c) {
    const int k = qMax(0, c.quota);
    std::vector<double> chances(size_t(k) + 1, 0.0);
    if (c.total <= 0 || k == 0) {
        // No paper can be composed from an empty chapter: nothing is earned here.
        chances[0] = 1.0;
        return chances;
    }
    const int n = c.total;
    const int seen = qBound(0, c.seen, n);
    // A chapter shorter than its quota gives every question per full round, then the rest
    // without repeats.
    const int rounds = k / n;
    const int rest = k % n;
    const double ps = c.seenChance();
    for (int h = qMax(0, rest - (n - seen)); h <= qMin(rest, seen); ++h) {
        // Hypergeometric: h of the rest drawn from the seen questions.
        const double draw =
            std::exp(logChoose(seen, h) + logChoose(n - seen, rest - h) - logChoose(n, rest));
        const int seenDrawn = rounds * seen + h;
        const auto rights =
            convolve(binomial(seenDrawn, ps), binomial(k - seenDrawn, UnseenChance));
        for (size_t r = 0; r < rights.size(); ++r)
            chances[r] += draw * rights[r];
    }
    return chances;
}

double PassChance(const QList<ChapterStanding>& chapters, int passScore) {
    if (chapters.isEmpty()) return 0.0;
    std::vector<double> paper{1.0};
    for (const ChapterStanding& c : chapters)
        paper = convolve(paper, ChapterScoreChances(c));
    double pass = 0.0;
    for (size_t score = size_t(qMax(0, passScore)); score < paper.size(); ++score)
        pass += paper[score];
    return qBound(0.0, pass, 1.0);
}

QString ReadinessVerdict(double passChance) {
    if (passChance >= 0.9) return QStringLiteral("可以考试");
    if (passChance >= 0.5) return QStringLiteral("接近合格");
    return QStringLiteral("还需练习");
}
