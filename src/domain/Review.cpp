#include "Review.h"

#include "Topics.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>

std::optional<ReviewStep> NextReview(const std::optional<ReviewStep>& current, bool right,
                                     bool inReview, const QDate& today) {
    if (!right) return ReviewStep{0, today.addDays(ReviewIntervals[0])};
    // An entry due further ahead than any interval (a clock that ran years fast) comes back
    // after the longest interval.
    std::optional<ReviewStep> held = current;
    if (held && held->due > LatestDue(today)) held->due = LatestDue(today);
    // A question answered right twice in one review moves on once: it is no longer due.
    if (!held || !inReview || held->due > today) return held;
    // A step out of range (an edited backup) counts as the nearest real one.
    const int last = int(ReviewIntervals.size()) - 1;
    const int step = std::clamp(held->step, 0, last) + 1;
    if (step >= int(ReviewIntervals.size())) return std::nullopt;
    return ReviewStep{step, today.addDays(ReviewIntervals[size_t(step)])};
}

QDate LatestDue(const QDate& today) {
    return today.addDays(ReviewIntervals.back());
}

QDate LearnerDay(qint64 nowMs) {
    return QDateTime::fromMSecsSinceEpoch(nowMs).date();
}

QList<TopicCount> CountTopics(const QList<TaggedQuestion>& questions) {
    QHash<QString, TopicCount> byTopic;
    for (const TaggedQuestion& q : questions)
        for (const QString& tag : TagsOf(q.tags)) {
            TopicCount& count = byTopic[tag];
            count.topic = tag;
            ++count.questions;
            count.answered += q.answered;
            count.right += q.right;
        }
    QList<TopicCount> topics;
    for (const QString& topic : Topics())
        if (byTopic.contains(topic)) topics.append(byTopic.take(topic));
    QList<TopicCount> others = byTopic.values();
    std::sort(others.begin(), others.end(),
              [](const TopicCount& a, const TopicCount& b) { return a.topic < b.topic; });
    return topics + others;
}

void Shuffle(QStringList& ids, std::mt19937& random) {
    for (qsizetype last = ids.size() - 1; last > 0; --last) {
        std::uniform_int_distribution<qsizetype> pick(0, last);
        ids.swapItemsAt(pick(random), last);
    }
}

void ShuffleRuns(QStringList& ids, const QList<qsizetype>& runStarts, std::mt19937& random) {
    qsizetype begin = 0;
    for (int i = 0; i <= runStarts.size(); ++i) {
        const qsizetype end =
            i < runStarts.size() ? std::min(runStarts[i], ids.size()) : ids.size();
        if (end > begin) {
            QStringList run = ids.mid(begin, end - begin);
            Shuffle(run, random);
            for (qsizetype k = 0; k < run.size(); ++k)
                ids[begin + k] = run[k];
        }
        begin = std::max(begin, end);
    }
}
