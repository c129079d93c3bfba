#include "Review.h"

#include "../store/Bank.h"
#include "../store/Module1.h"
#include "../store/ReviewStatements.h"
#include "../store/Session.h"
#include "../store/Topics.h"
#include "Practice.h"

#include <QDateTime>
#include <QHash>
#include <QSqlQuery>
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

void UpdateSchedule(Bank& bank, qint64 id, bool right, bool inReview, const QDate& today) {
    std::optional<ReviewStep> current;
    bank.forEachRow(Sql::scheduleOf(id), [&](const QSqlQuery& row) {
        current = ReviewStep{row.value(0).toInt(),
                             QDate::fromString(row.value(1).toString(), Qt::ISODate)};
    });
    const auto next = NextReview(current, right, inReview, today);
    if (next == current) return;
    if (next)
        bank.execute(Sql::putSchedule(id, next->step, next->due.toString(Qt::ISODate)));
    else
        bank.execute(Sql::leaveSchedule(id));
}

void PullBackFarReviews(Bank& bank, const QDate& today) {
    if (!bank.hasReviewTables() || bank.readOnly()) return;
    const QString latest = LatestDue(today).toString(Qt::ISODate);
    // Looked for first, so that an ordinary count takes no write lock.
    if (GetQuestionSum(bank, Sql::farDueCount(latest)) > 0) bank.execute(Sql::pullBackDue(latest));
}

int DueCount(Session& s, const QDate& today) {
    if (!s.Conn.hasReviewTables()) return 0;
    PullBackFarReviews(s.Conn, today);
    return GetQuestionSum(s.Conn, Sql::dueCount(s.CarTypeCode, today.toString(Qt::ISODate)));
}

bool IsFavourite(Session& s, qint64 id) {
    return s.Conn.hasReviewTables() && GetQuestionSum(s.Conn, Sql::isFavourite(id)) > 0;
}

void SetFavourite(Session& s, qint64 id, bool on) {
    if (!s.Conn.hasReviewTables()) return;
    s.Conn.execute(on ? Sql::addFavourite(id) : Sql::removeFavourite(id));
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

QList<TopicCount> ReadTopicCounts(Session& s) {
    QList<TaggedQuestion> questions;
    s.Conn.forEachRow(
        Sql::classTagsWithAnswers(s.CarTypeCode, s.Conn.hasHistory()), [&](const QSqlQuery& row) {
            questions.append({row.value(0).toString(), row.value(1).toInt(), row.value(2).toInt()});
        });
    return CountTopics(questions);
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
