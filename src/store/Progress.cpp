#include "Progress.h"

#include "../domain/Judge.h"
#include "Bank.h"
#include "Module1.h"
#include "Statements.h"

#include <QHash>
#include <cmath>

QList<QuestionEvidence> ReadEvidence(Bank& bank, const QString& code, const QDateTime& now) {
    QList<QuestionEvidence> questions;
    QHash<qint64, qsizetype> byId;
    bank.forEachRow(Sql::classKinds(code), [&](const QSqlQuery& row) {
        byId.insert(row.value(0).toLongLong(), questions.size());
        QuestionEvidence q;
        q.chapter = row.value(1).toString().trimmed();
        q.guess = KindOf(row.value(2).toString()) == Kind::TrueFalse ? 0.5 : 0.25;
        questions.append(q);
    });
    // A read-only bank from before the history has none.
    if (!bank.hasHistory()) return questions;
    bool withCue = false;
    bank.forEachRow(QStringLiteral("pragma table_info(History)"), [&](const QSqlQuery& row) {
        withCue = withCue || row.value(1).toString().compare("Cue", Qt::CaseInsensitive) == 0;
    });
    // Times are stored as local "yyyy-MM-dd HH:mm:ss": reckoned as SQLite's julianday() reads
    // them, in C++, rather than parsed twice a row in SQL.
    const double nowDay =
        double(now.date().toJulianDay()) - 0.5 + now.time().msecsSinceStartOfDay() / 86400000.0;
    // Rows from before answers kept their cue: a repeat of a wrong answer is told by its day.
    QHash<qint64, qint64> lastWrongDay;
    bank.forEachRow(Sql::answersForModel(withCue), [&](const QSqlQuery& row) {
        const qint64 id = row.value(0).toLongLong();
        const auto at = byId.constFind(id);
        const bool right = row.value(1).toInt() != 0;
        const QVariant when = row.value(4);
        const double age = when.isNull() ? 0.0 : nowDay - when.toDouble();
        const qint64 day = when.isNull() ? 0 : qint64(std::floor(when.toDouble() + 0.5));
        const QVariant kept = row.value(2);
        const AnswerCue cue = kept.isNull() ? CueOf(false, lastWrongDay.value(id, -1) == day)
                                            : AnswerCue(qBound(0, kept.toInt(), 2));
        if (!right) lastWrongDay.insert(id, day);
        if (at == byId.constEnd()) return;
        questions[*at].answers.append(
            {qMax(0.0, age), right, cue, cue == AnswerCue::FirstTry && row.value(3).toInt() != 0});
    });
    // Newest answers were read last; the model takes them oldest first as read.
    return questions;
}

Progress ReadProgress(Bank& bank, const QString& code, const QDateTime& now) {
    Progress p;
    p.passScore = GetPassScore(bank);
    const QList<QuestionEvidence> questions = ReadEvidence(bank, code, now);
    for (const QuestionEvidence& q : questions)
        p.anyHistory = p.anyHistory || !q.answers.isEmpty();
    bank.forEachRow(Sql::scoreTrend(code, now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
                    [&](const QSqlQuery& row) {
                        p.scores.append({row.value(1).toString(), row.value(0).toInt(),
                                         row.value(2).toDouble(), row.value(3).toBool()});
                    });
    QList<RecentScore> recent;
    for (const ScorePoint& s : p.scores)
        recent.append({s.ageDays, s.score});
    p.estimate = EstimateReadiness(questions, QuotasOf(code), p.passScore, recent);
    p.next = NextStepOf(p.estimate);
    if (bank.hasHistory())
        bank.forEachRow(Sql::oftenWrong(code), [&](const QSqlQuery& row) {
            p.oftenWrong.append({row.value(0).toLongLong(), row.value(3).toString(),
                                 row.value(1).toInt(), row.value(2).toInt()});
        });
    return p;
}
