#pragma once

#include "../store/Bank.h"
#include "Judge.h"
#include "QuestionSet.h"

#include <QDateTime>
#include <QStringList>
#include <optional>
#include <random>

struct Session;

// One question as the learner reads it.
struct QuestionData {
    qint64 id = 0;
    Kind kind = Kind::Unknown;
    QString text;
    QStringList options;    // A–D of a choice question
    QString image;          // a file name under images/mark/, or empty
    QString rightAnswer;    // as the learner reads it: "B", "对"
    QString explain;        // 解析; may be empty
    bool favourite = false; // starred by the learner (收藏)
};

// How often the learner has answered a question, in every mode, and how often wrongly.
struct QuestionHistory {
    int answered = 0;
    int wrong = 0;
};
QuestionHistory ReadHistory(Session& session, qint64 id);

// Question `id` from the bank; nothing when the bank has no readable question of a known
// kind under it. A database failure is a DatabaseError.
std::optional<QuestionData> ReadQuestion(Session& session, const QString& id);

// Loads a practice set from the bank into the session: the ids of `idSql` (as many as
// `countSql` counts), shuffled when asked. When `idSql` gives a second column, the shuffle
// keeps each run of equal values in it together and the runs in query order (unseen
// questions first). An empty or oversized set is refused and the session keeps the set it had.
enum class SetLoad { Loaded, Empty, TooMany };
SetLoad LoadPracticeSet(Session& session, const Statement& countSql, const Statement& idSql,
                        QuestionSet::Mode mode, bool shuffled, int* count = nullptr);

// A set a page asks the main window to practise: what to load and the caption it goes by
// (the class's name is added to it).
struct PracticeRequest {
    Statement count;
    Statement ids;
    QuestionSet::Mode mode = QuestionSet::Mode::Chapter;
    bool shuffled = false;
    QString caption;
};

// Every order equally likely (Fisher–Yates from the top).
void Shuffle(QStringList& ids, std::mt19937& random);

// The learner's answer (its text: "A"–"D", "对"/"错") to the current question, judged and
// stored in one transaction: the question's wrong mark is set on a wrong answer and, with
// `removeRightFromWrong`, cleared on a right one; whole-class sequential practice keeps its
// resume point. The first answer of a visit in practice (QuestionSet::judgedThisVisit) also
// gains a history row and a review step (RecordAnswer); an exam's answers wait for hand-in. Not
// taken when the set does not accept answers now. `nowMs` is the wall clock (milliseconds since the
// epoch) the set's shownAt was read from; its local day is the schedule's today. One judged answer
// as the history and the review schedule take it.
struct AnsweredQuestion {
    qint64 id = 0;
    QString carType;
    QuestionSet::Mode mode = QuestionSet::Mode::Sequential;
    QString answer; // as given: "A"–"D", "对"/"错"
    bool right = false;
    int seconds = 0;
    bool answerShown = false; // the right answer was on screen before it was given
    QDateTime at;             // local wall-clock time; its day is the schedule's today
};
// The answer's history row and review step; the caller's transaction holds them.
void RecordAnswer(Bank& bank, const AnsweredQuestion& answer);
// The final answer of each answered position of the session's set (an exam at hand-in).
QList<AnsweredQuestion> FinalAnswers(Session& session, const QDateTime& at);

struct Verdict {
    bool taken = false;
    bool right = false;
};
Verdict AnswerQuestion(Session& session, const QString& answer, bool removeRightFromWrong,
                       qint64 nowMs);
