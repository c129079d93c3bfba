#include "Practice.h"

#include "../domain/Learner.h"
#include "../domain/Review.h"
#include "../store/DatabaseError.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/Statements.h"
#include "PracticeSession.h"
#include "Schedule.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

std::optional<QuestionData> ReadQuestion(PracticeSession& s, const QString& id) {
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

QuestionHistory ReadHistory(PracticeSession& s, qint64 id) {
    QuestionHistory h;
    if (!s.Conn.hasHistory()) return h;
    s.Conn.forEachRow(Sql::questionHistory(id), [&](const QSqlQuery& row) {
        h.answered = row.value(0).toInt();
        h.wrong = row.value(1).toInt();
    });
    return h;
}

SetLoad LoadPracticeSet(PracticeSession& s, const Statement& countSql, const Statement& idSql,
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

QList<ChapterCount> ClassChapters(Bank& bank, const QString& carType) {
    QList<ChapterCount> chapters;
    bank.forEachRow(Sql::classChapterCounts(carType), [&](const QSqlQuery& row) {
        chapters.append({row.value(0).toString().trimmed(), row.value(1).toString().trimmed(),
                         row.value(2).toInt()});
    });
    return chapters;
}

PracticeRequest WholeClass(const QString& carType) {
    return {
        Sql::classCount(carType), Sql::classIds(carType), QuestionSet::Mode::Sequential, false, {}};
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

Verdict AnswerQuestion(PracticeSession& s, const QString& answer, bool removeRightFromWrong,
                       qint64 nowMs) {
    if (!s.acceptsAnswers()) return {};
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
    // The question left the bank under the window (another start refreshed it): nothing to
    // judge, nothing to mark.
    if (first) return {};
    const Kind kind = KindOf(type);
    const bool right = IsRight(kind, key, answer);
    const int seconds = s.set.secondsOnCurrent(nowMs);
    AnswerWrite write{n, right, s.set.keepsResumePoint(), removeRightFromWrong, std::nullopt};
    // Practice learns from the first answer of each visit; an exam from each question's final
    // answer at hand-in (SaveExamRecord).
    if (!s.set.isExam() && !s.set.judgedThisVisit())
        write.recorded = AnsweredQuestion{n,
                                          s.CarTypeCode,
                                          s.set.mode(),
                                          answer,
                                          right,
                                          seconds,
                                          s.set.sawAnswerThisVisit(),
                                          QDateTime::fromMSecsSinceEpoch(nowMs)};
    Verdict verdict{true, right};
    // Answers wait behind each other, so the bank gets them in the order they were given.
    if (!s.waitingAnswers.isEmpty()) {
        s.waitingAnswers.append(write);
        verdict.waiting = true;
    } else {
        try {
            WriteAnswer(s.Conn, write);
        } catch (const DatabaseError& e) {
            // Held by another program or out of room: the answer stands and waits.
            if (!e.mayPassSoon()) throw;
            s.waitingAnswers.append(write);
            verdict.waiting = true;
        }
    }
    s.set.answer(AnswerCode(kind, answer), right, seconds);
    return verdict;
}

void LoadPolicies(PracticeSession& s) {
    PracticeSession::Policies& p = s.policies;
    p.studyMode = ReadSetting(s.Conn, Key::StudyMode) == QLatin1String("1");
    p.autoAdvance = wholePartOf(ReadSetting(s.Conn, Key::AutoSkip), Key::AutoSkip) == 1;
    p.idNumbers = ReadSetting(s.Conn, Key::NumberMode) == QLatin1String("0");
}

bool RemovesRightFromWrong(PracticeSession& s) {
    return s.IsWrongQuestionPractice &&
           wholePartOf(ReadSetting(s.Conn, Key::AutoRemove), Key::AutoRemove) == 1;
}

void SetStudyMode(PracticeSession& s, bool on) {
    s.policies.studyMode = on;
    WriteSetting(s.Conn, Key::StudyMode, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void SetAutoAdvance(PracticeSession& s, bool on) {
    s.policies.autoAdvance = on;
    WriteSwitch(s.Conn, Key::AutoSkip, on ? 1 : 0);
}

void MarkCurrentWrong(PracticeSession& s) {
    s.Conn.execute(Sql::setWrongMark(wholeNumber(s.set.currentId())));
}

void ClearAllWrongMarks(Bank& bank) {
    bank.execute(Sql::clearAllWrongMarks());
}

void WriteAnswer(Bank& bank, const AnswerWrite& a) {
    const qint64 n = a.id;
    // The mark, the resume point and the history row land together or not at all.
    bank.transaction([&] {
        if (a.keepsResumePoint)
            bank.execute(Sql::writeSetting(Key::ResumePoint, QString::number(n)));
        if (a.right) {
            if (a.removeRightFromWrong) bank.execute(Sql::clearWrongMark(n));
        } else if (!bank.firstValue(Sql::wrongMark(n), QStringLiteral("ErrPaper")).toBool()) {
            bank.execute(Sql::setWrongMark(n));
        }
        if (a.recorded) RecordAnswer(bank, *a.recorded);
    });
}

bool QuestionsChanged(PracticeSession& s) {
    try {
        const qint64 version =
            s.Conn.firstValue(QStringLiteral("pragma data_version"), QStringLiteral("data_version"))
                .toLongLong();
        if (version == s.seenDataVersion) return false;
        // Another program wrote: answers of a second copy change nothing of the questions.
        QString stamp;
        s.Conn.forEachRow(
            QStringLiteral("select count(*), total(ID), total(length(Question)), "
                           "total(ID * coalesce(unicode(AnswerTrue), 0)), "
                           "total(length(LicenseType) + length(Chap) + length(Type)) from Paper"),
            [&](const QSqlQuery& row) {
                for (int i = 0; i < 5; ++i)
                    stamp += row.value(i).toString() + QLatin1Char('|');
            });
        s.seenDataVersion = version;
        const bool changed = !s.seenQuestions.isEmpty() && stamp != s.seenQuestions;
        s.seenQuestions = stamp;
        return changed;
    } catch (const DatabaseError&) {
        // A bank held by another program is looked at again on the next move.
        return false;
    }
}

QList<AnsweredQuestion> FinalAnswers(PracticeSession& s, const QDateTime& at) {
    QList<AnsweredQuestion> answers;
    for (int p = 0; p < s.set.size(); ++p) {
        const AnswerState& state = s.set.state(p);
        if (!state.answered || state.answer == 0) continue;
        const qint64 n = wholeNumber(s.set.ids()[p]);
        // A question that left the bank during the exam (another start refreshed it) keeps
        // its point but has no history to join.
        QString type;
        s.Conn.forEachRow(Sql::typeAndAnswer(n), [&](const QSqlQuery& row) {
            type = row.value(QStringLiteral("Type")).toString();
        });
        if (type.isEmpty()) continue;
        answers.append({n, s.CarTypeCode, s.set.mode(),
                        AnswerText(KindOf(type), QString::number(state.answer)), state.right,
                        state.seconds, false, at});
    }
    return answers;
}
