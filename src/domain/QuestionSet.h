#pragma once

#include <QStringList>
#include <vector>

// What the learner did at one position of a set.
struct AnswerState {
    bool answered = false;
    bool right = false;
    int answer = 0;  // answer code: 1–4 for A–D, 1/2 for 对/错; 0 before any answer
    int seconds = 0; // on the question when the last answer was given
};

// The question set being practised or examined: its ids in presentation order, the current
// position, each position's answer and the running counts. The windows show it; nothing
// about it lives in a caption.
class QuestionSet {
  public:
    // How the set was made; the answer history records it.
    enum class Mode {
        Sequential,
        Random,
        Chapter,
        WrongQuestions,
        Exam,
        Review,
        Favourites,
        Topic,
        OftenWrong
    };
    static QString modeName(Mode mode);
    // True for the name of one of the modes (a value the answer history may hold).
    static bool isModeName(const QString& name);

    // A new set: every position unanswered, the first one current, the counts at zero.
    void load(const QStringList& ids, Mode mode);
    // The same ids again, answers and counts cleared (a retaken paper).
    void restart();

    const QStringList& ids() const { return ids_; }
    int size() const { return static_cast<int>(ids_.size()); }
    bool isEmpty() const { return ids_.isEmpty(); }
    Mode mode() const { return mode_; }
    bool isExam() const { return mode_ == Mode::Exam; }
    // Whole-class sequential practice remembers where the learner got to.
    bool keepsResumePoint() const { return mode_ == Mode::Sequential; }
    // -1 for an id not in the set.
    int positionOf(const QString& id) const;

    int position() const { return position_; }
    // The position shown before the last move; -1 when none since the set was loaded.
    int previous() const { return previous_; }
    QString currentId() const { return isEmpty() ? QString() : ids_[position_]; }
    const AnswerState& state(int position) const { return states_[position]; }
    const AnswerState& current() const { return states_[position_]; }

    // Moves; each returns whether the position changed (not past either end). The question on
    // screen takes answers whatever the last move did: a learner's answer is never dropped.
    bool next();
    bool back();
    // Jumping to the position on screen changes nothing.
    bool goTo(int position);
    bool acceptsAnswers() const { return !isEmpty(); }

    // Records an answer at the current position and counts it: in practice a position
    // counts as right once; in an exam its last answer decides. False when not taken.
    bool answer(int code, bool right, int seconds = 0);

    // A visit is the stay at one position, from the move there to the next move. Only its
    // first judged answer tells what the learner knew; the presses after it are corrections.
    bool judgedThisVisit() const { return visitJudged_; }
    // The right answer was on screen during this visit (shown, or a study look).
    void sawAnswer() { visitSawAnswer_ = true; }
    bool sawAnswerThisVisit() const { return visitSawAnswer_; }

    // When the current question went on screen (milliseconds of any steady clock), so an
    // answer knows the seconds spent on it.
    void shownAt(qint64 ms) { shownAt_ = ms; }
    int secondsOnCurrent(qint64 nowMs) const {
        return int(qMax<qint64>(0, nowMs - shownAt_) / 1000);
    }

    int answeredCount() const { return answered_; }
    int rightCount() const { return right_; }
    int unansweredCount() const { return size() - answered_; }

  private:
    bool moveTo(int position);

    QStringList ids_;
    Mode mode_ = Mode::Sequential;
    qint64 shownAt_ = 0;
    std::vector<AnswerState> states_;
    std::vector<bool> countedRight_;
    int position_ = 0;
    int previous_ = -1;
    int answered_ = 0;
    int right_ = 0;
    bool visitJudged_ = false;
    bool visitSawAnswer_ = false;
};
