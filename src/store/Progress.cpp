#include "Progress.h"

#include "../core/Judge.h"
#include "Bank.h"
#include "Module1.h"
#include "Statements.h"

#include <QHash>

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
    // Rows from before answers kept their cue: a repeat of a wrong answer is told by its day.
    QHash<qint64, int> lastWrongDay;
    bank.forEachRow(
        Sql::answersForModel(now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), withCue),
        [&](const QSqlQuery& row) {
            const qint64 id = row.value(0).toLongLong();
            const auto at = byId.constFind(id);
            const bool right = row.value(1).toInt() != 0;
            const int day = row.value(5).toInt();
            AnswerCue cue;
            if (!row.value(2).isNull())
                cue = AnswerCue(qBound(0, row.value(2).toInt(), 2));
            else
                cue = CueOf(false, lastWrongDay.value(id, -1) == day);
            if (!right) lastWrongDay.insert(id, day);
            if (at == byId.constEnd()) return;
            const QString mode = row.value(3).toString();
            questions[*at].answers.append(
                {qMax(0.0, row.value(4).toDouble()), right, cue,
                 cue == AnswerCue::FirstTry &&
                     (mode == QLatin1String("random") || mode == QLatin1String("exam"))});
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
                                         row.value(2).toDouble()});
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
