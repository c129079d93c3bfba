#pragma once

#include "../ui/Layer.h"

#include "../domain/QuestionSet.h"
#include "AnswerCardModel.h"

#include <QTableView>

// The answer card on screen. One whole notch of the wheel pages the card; anything else the
// wheel reports (fractions of a notch, a modifier or button held) leaves it where it is.
class AnswerCardView : public QTableView {
    Q_OBJECT
  public:
    explicit AnswerCardView(QWidget* parent = nullptr);

    AnswerCardModel* card() const { return model_; }
    // Makes the cell of `position` the current one and scrolls it into view.
    void selectPosition(int position);
    // The cell of `position` as the set's answer there stands: white, answered, and bold red
    // when wrong (an exam hides that until its review).
    void paintAnswer(const QuestionSet& set, int position);
    // The review after an exam: every wrong answer marked.
    void markWrongAnswers(const QuestionSet& set);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool viewportEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    AnswerCardModel* model_;
};

// The card with its colour legend beneath ("CardPanel"); the card itself goes to `view`.
QWidget* buildCardPanel(AnswerCardView** view);
// The card and its legend in the night colours, or back in the day's.
void setCardNight(QWidget* cardPanel, bool night);
