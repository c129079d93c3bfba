#pragma once

#include "Layer.h"

#include "../domain/ExamRecord.h"
#include "../domain/Judge.h"
#include "../domain/QuestionSet.h"
#include "../store/Bank.h"

#include <QDateTime>
#include <QStringList>
#include <optional>
#include <random>

struct PracticeSession;

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
QuestionHistory ReadHistory(PracticeSession& session, qint64 id);

// Question `id` from the bank; nothing when the bank has no readable question of a known
// kind under it. A database failure is a DatabaseError.
std::optional<QuestionData> ReadQuestion(PracticeSession& session, const QString& id);

// Loads a practice set from the bank into the session: the ids of `idSql` (as many as
// `countSql` counts), shuffled when asked. When `idSql` gives a second column, the shuffle
// keeps each run of equal values in it together and the runs in query order (unseen
// questions first). An empty or oversized set is refused and the session keeps the set it had.
enum class SetLoad { Loaded, Empty, TooMany };
SetLoad LoadPracticeSet(PracticeSession& session, const Statement& countSql, const Statement& idSql,
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

// The chapters of a class with their titles and question counts, in chapter order.
struct ChapterCount {
    QString chapter;
    QString title;
    int questions = 0;
};
QList<ChapterCount> ClassChapters(Bank& bank, const QString& carType);

// The whole class in order, as a class starts and 顺序练习 gives it.
PracticeRequest WholeClass(const QString& carType);

// The answer's history row and review step; the caller's transaction holds them.
void RecordAnswer(Bank& bank, const AnsweredQuestion& answer);
// The final answer of each answered position of the session's set (an exam at hand-in).
QList<AnsweredQuestion> FinalAnswers(PracticeSession& session, const QDateTime& at);

// The learner's answer (its text: "A"–"D", "对"/"错") to the current question, judged and
// stored in one transaction: the question's wrong mark is set on a wrong answer and, with
// `removeRightFromWrong`, cleared on a right one; whole-class sequential practice keeps its
// resume point. The first answer of a visit in practice (QuestionSet::judgedThisVisit) also
// gains a history row and a review step (RecordAnswer); an exam's answers wait for hand-in. Not
// taken when the set does not accept answers now. `nowMs` is the wall clock (milliseconds since the
// epoch) the set's shownAt was read from; its local day is the schedule's today. An answer the
// bank cannot take at the moment (held by another program, disk full) is still taken: it waits
// in the session (`Verdict::waiting`) and SaveWaitingRecords (Records.h) writes it later.
struct Verdict {
    bool taken = false;
    bool right = false;
    bool waiting = false;
};
Verdict AnswerQuestion(PracticeSession& session, const QString& answer, bool removeRightFromWrong,
                       qint64 nowMs);

// The session's policies as the bank's settings keep them.
void LoadPolicies(PracticeSession& session);
// The learner switched study mode or auto-advance: the session follows and the bank keeps it.
void SetStudyMode(PracticeSession& session, bool on);
void SetAutoAdvance(PracticeSession& session, bool on);
// A right answer clears its wrong mark: in wrong-question practice with the stored switch on
// (read as each answer is judged, so a change made elsewhere counts at once).
bool RemovesRightFromWrong(PracticeSession& session);

// The learner marks the question on screen as one to practise again (设为错题).
void MarkCurrentWrong(PracticeSession& session);

// 重置错题: every wrong mark goes.
void ClearAllWrongMarks(Bank& bank);

// Writes one judged answer in one transaction.
void WriteAnswer(Bank& bank, const AnswerWrite& answer);

// True when another program has changed the bank's questions since the last call (another
// start refreshing the bank after an upgrade, an import): the set on screen may hold questions
// that are gone. The first call only takes note. Cheap while nobody else writes.
bool QuestionsChanged(PracticeSession& session);
