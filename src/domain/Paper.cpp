#include "Paper.h"

QStringList ComposePaper(const ChapterQuotas& quotas, std::vector<QStringList> chapterIds,
                         std::mt19937& random) {
    QStringList paper;
    if (chapterIds.size() != static_cast<size_t>(quotas.size())) return {};
    for (qsizetype c = 0; c < quotas.size(); ++c) {
        QStringList& ids = chapterIds[static_cast<size_t>(c)];
        const int n = static_cast<int>(ids.size());
        if (n == 0) return {};
        // A partial Fisher–Yates per round: each round draws without repeats.
        for (int i = 0; i < quotas[c].second; ++i) {
            const int round = i % n;
            std::uniform_int_distribution<int> pick(round, n - 1);
            ids.swapItemsAt(round, pick(random));
            paper.append(ids[round]);
        }
    }
    return paper;
}

QString ChapterRights(const ChapterQuotas& quotas, const QuestionSet& paper) {
    int size = 0;
    for (const auto& chapter : quotas)
        size += chapter.second;
    if (quotas.isEmpty() || size != paper.size()) return {};
    QStringList parts;
    int position = 0;
    for (const auto& [chapter, quota] : quotas) {
        int right = 0;
        for (int end = position + quota; position < end; ++position)
            right += paper.state(position).right ? 1 : 0;
        parts.append(chapter + QLatin1Char(':') + QString::number(right));
    }
    return parts.join(QLatin1Char(','));
}
