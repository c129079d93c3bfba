#include "QuestionSet.h"

QString QuestionSet::modeName(Mode mode) {
    switch (mode) {
    case Mode::Sequential:
        return QStringLiteral("sequential");
    case Mode::Random:
        return QStringLiteral("random");
    case Mode::Chapter:
        return QStringLiteral("chapter");
    case Mode::WrongQuestions:
        return QStringLiteral("wrong");
    case Mode::Exam:
        return QStringLiteral("exam");
    case Mode::Review:
        return QStringLiteral("review");
    case Mode::Favourites:
        return QStringLiteral("favourites");
    case Mode::Topic:
        return QStringLiteral("topic");
    case Mode::OftenWrong:
        return QStringLiteral("often-wrong");
    }
    return {};
}

bool QuestionSet::isModeName(const QString& name) {
    for (int mode = int(Mode::Sequential); mode <= int(Mode::OftenWrong); ++mode)
        if (modeName(Mode(mode)) == name) return true;
    return false;
}

void QuestionSet::load(const QStringList& ids, Mode mode) {
    ids_ = ids;
    mode_ = mode;
    restart();
}

void QuestionSet::restart() {
    states_.assign(static_cast<size_t>(ids_.size()), {});
    countedRight_.assign(static_cast<size_t>(ids_.size()), false);
    position_ = 0;
    previous_ = -1;
    answered_ = 0;
    right_ = 0;
    visitJudged_ = visitSawAnswer_ = false;
}

int QuestionSet::positionOf(const QString& id) const {
    return static_cast<int>(ids_.indexOf(id));
}

bool QuestionSet::moveTo(int position) {
    previous_ = position_;
    if (position < 0 || position >= size()) return false;
    if (position != position_) visitJudged_ = visitSawAnswer_ = false;
    position_ = position;
    return true;
}

bool QuestionSet::next() {
    return moveTo(position_ + 1);
}

bool QuestionSet::back() {
    return moveTo(position_ - 1);
}

bool QuestionSet::goTo(int position) {
    if (position == position_ || position < 0 || position >= size()) return false;
    return moveTo(position);
}

bool QuestionSet::answer(int code, bool right, int seconds) {
    if (!acceptsAnswers()) return false;
    AnswerState& state = states_[position_];
    if (!state.answered) ++answered_;
    state.answered = true;
    if (code != 0) state.answer = code;
    state.seconds = seconds;
    visitJudged_ = true;
    const bool wasRight = state.right;
    state.right = right;
    if (mode_ == Mode::Exam) {
        right_ += int(right) - int(wasRight);
    } else if (right && !countedRight_[position_]) {
        countedRight_[position_] = true;
        ++right_;
    }
    return true;
}
