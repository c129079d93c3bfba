#include "Practice.h"

#include "Learner.h"
#include "Review.h"

#include "../store/DatabaseError.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/Session.h"
#include "../store/Statements.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

std::optional<QuestionData> ReadQuestion(Session& s, const QString& id) {
    bool ok = false;
    id.trimmed().toDouble(&ok);
    if (!ok) return std::nullopt;
    const qint64 n = wholeNumber(id);
    QuestionData q;
    q.id = n;
    // One read gives the kind and everything shown.
    const QSqlRecord row = s.Conn.firstRecord(Sql::question(n));
    q.kind = KindOf(row.value(QStringLiteral("Type")).toString());
    if (q.kind == Kind::Unknown) return std::nullopt;
    // A text past the import's limit came from elsewhere: its first part shows.
    auto text = [&](const char* name) -> std::optional<QString> {
        const QVariant value = row.value(QString::fromLatin1(name));
        if (value.isNull()) return std::nullopt;
        const QString t = value.toString();
        return t.size() <= MaxCellChars ? t : t.left(MaxCellChars) + QStringLiteral("……");
    };
    const auto wording = text("Question");
    if (!wording) return std::nullopt;
    q.text = *wording;
    if (q.kind == Kind::Choice)
        for (const char* column : {"An1", "An2", "An3", "An4"}) {
            const auto option = text(column);
            if (!option) return std::nullopt;
            q.options.append(*option);
        }
    q.image = row.value(QStringLiteral("ImageUrl")).toString();
    q.rightAnswer = AnswerText(q.kind, row.value(QStringLiteral("AnswerTrue")).toString());
    q.explain = text("Explain").value_or(QString()).trimmed();
    q.favourite = IsFavourite(s, n);
    return q;
}

QuestionHistory ReadHistory(Session& s, qint64 id) {
    QuestionHistory h;
    if (!s.Conn.hasHistory()) return h;
    s.Conn.forEachRow(Sql::questionHistory(id), [&](const QSqlQuery& row) {
        h.answered = row.value(0).toInt();
        h.wrong = row.value(1).toInt();
    });
    return h;
}

void Shuffle(QStringList& ids, std::mt19937& random) {
    for (qsizetype last = ids.size() - 1; last > 0; --last) {
        std::uniform_int_distribution<qsizetype> pick(0, last);
        ids.swapItemsAt(pick(random), last);
    }
}

SetLoad LoadPracticeSet(Session& s, const Statement& countSql, const Statement& idSql,
                        QuestionSet::Mode mode, bool shuffled, int* count) {
    const int n = GetQuestionSum(s.Conn, countSql);
    if (count) *count = n;
    if (n <= 0) return SetLoad::Empty;
    if (n > MaxInt16) return SetLoad::TooMany;
    QStringList ids;
    ids.reserve(n);
    QList<qsizetype> runStarts;
    QVariant run;
    s.Conn.forEachRow(idSql, [&](const QSqlQuery& row) {
        if (ids.size() >= n) return;
        if (ids.isEmpty() ? row.record().count() > 1 : !run.isNull()) {
            if (!ids.isEmpty() && row.value(1) != run) runStarts.append(ids.size());
            run = row.value(1);
        }
        ids.append(row.value(0).toString());
    });
    if (ids.isEmpty()) return SetLoad::Empty;
    if (shuffled) {
        static std::mt19937 random(std::random_device{}() ^
                                   static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));
        ShuffleRuns(ids, runStarts, random);
    }
    s.set.load(ids, mode);
    return SetLoad::Loaded;
}

void RecordAnswer(Bank& bank, const AnsweredQuestion& a) {
    if (bank.hasReviewTables())
        UpdateSchedule(bank, a.id, a.right, a.mode == QuestionSet::Mode::Review, a.at.date());
    if (!bank.hasHistory()) return;
    const bool wrongToday =
        GetQuestionSum(bank, Sql::wrongSince(a.id, a.at.date().toString(Qt::ISODate))) > 0;
    bank.execute(Sql::insertHistory(a.id, a.carType, QuestionSet::modeName(a.mode), a.answer,
                                    a.right, a.seconds, int(CueOf(a.answerShown, wrongToday)),
                                    a.at));
}

Verdict AnswerQuestion(Session& s, const QString& answer, bool removeRightFromWrong, qint64 nowMs) {
    if (!s.set.acceptsAnswers()) return {};
    const QString id = s.set.currentId();
    const qint64 n = wholeNumber(id);
    QString type, key;
    bool first = true;
    s.Conn.forEachRow(Sql::typeAndAnswer(n), [&](const QSqlQuery& row) {
        if (!first) return;
        first = false;
        type = row.value(QStringLiteral("Type")).toString();
        key = row.value(QStringLiteral("AnswerTrue")).toString();
    });
    const Kind kind = KindOf(type);
    const bool right = IsRight(kind, key, answer);
    const int seconds = s.set.secondsOnCurrent(nowMs);
    // Practice learns from the first answer of each visit; an exam from each question's final
    // answer at hand-in (SaveExamRecord).
    const bool recorded = !s.set.isExam() && !s.set.judgedThisVisit();
    // The mark, the resume point and the history row land together or not at all.
    s.Conn.transaction([&] {
        if (s.set.keepsResumePoint()) s.Conn.execute(Sql::writeSetting(Key::ResumePoint, id));
        if (right) {
            if (removeRightFromWrong) s.Conn.execute(Sql::clearWrongMark(n));
        } else if (!s.Conn.firstValue(Sql::wrongMark(n), QStringLiteral("ErrPaper")).toBool()) {
            s.Conn.execute(Sql::setWrongMark(n));
        }
        if (recorded)
            RecordAnswer(s.Conn,
                         {n, s.CarTypeCode, s.set.mode(), answer, right, seconds,
                          s.set.sawAnswerThisVisit(), QDateTime::fromMSecsSinceEpoch(nowMs)});
    });
    s.set.answer(AnswerCode(kind, answer), right, seconds);
    return {true, right};
}

QList<AnsweredQuestion> FinalAnswers(Session& s, const QDateTime& at) {
    QList<AnsweredQuestion> answers;
    for (int p = 0; p < s.set.size(); ++p) {
        const AnswerState& state = s.set.state(p);
        if (!state.answered || state.answer == 0) continue;
        const qint64 n = wholeNumber(s.set.ids()[p]);
        const QString type =
            s.Conn.firstValue(Sql::typeAndAnswer(n), QStringLiteral("Type")).toString();
        answers.append({n, s.CarTypeCode, s.set.mode(),
                        AnswerText(KindOf(type), QString::number(state.answer)), state.right,
                        state.seconds, false, at});
    }
    return answers;
}
