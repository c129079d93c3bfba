#include "Schedule.h"

#include "../store/Bank.h"
#include "../store/Module1.h"
#include "../store/ReviewStatements.h"
#include "PracticeSession.h"

#include <QSqlQuery>

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

int DueCount(PracticeSession& s, const QDate& today) {
    if (!s.Conn.hasReviewTables()) return 0;
    PullBackFarReviews(s.Conn, today);
    return GetQuestionSum(s.Conn, Sql::dueCount(s.CarTypeCode, today.toString(Qt::ISODate)));
}

bool IsFavourite(PracticeSession& s, qint64 id) {
    return s.Conn.hasReviewTables() && GetQuestionSum(s.Conn, Sql::isFavourite(id)) > 0;
}

void SetFavourite(PracticeSession& s, qint64 id, bool on) {
    if (!s.Conn.hasReviewTables()) return;
    s.Conn.execute(on ? Sql::addFavourite(id) : Sql::removeFavourite(id));
}

QList<TopicCount> ReadTopicCounts(PracticeSession& s) {
    QList<TaggedQuestion> questions;
    s.Conn.forEachRow(
        Sql::classTagsWithAnswers(s.CarTypeCode, s.Conn.hasHistory()), [&](const QSqlQuery& row) {
            questions.append({row.value(0).toString(), row.value(1).toInt(), row.value(2).toInt()});
        });
    return CountTopics(questions);
}
