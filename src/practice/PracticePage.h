#pragma once

#include "../ui/Layer.h"

#include <QObject>

class AnswerCardView;
class QBoxLayout;
class QFrame;
class QuestionPanel;
class QuestionSet;
class QWidget;
struct AppContext;

// The practice page and the answer card beside it, built the first time they are asked for
// or once the window has painted, whichever comes first: the welcome page is all the first
// paint needs, and the learner's first click finds the page ready.
class PracticePage : public QObject {
    Q_OBJECT
  public:
    // The panel goes at the end of `pages`, the line and the card at the end of `row`.
    PracticePage(AppContext& session, QBoxLayout* pages, QBoxLayout* row, QWidget* window);

    bool built() const { return panel_ != nullptr; }
    QuestionPanel* panel();
    AnswerCardView* card();
    QWidget* cardPanel();
    // The practice look, no counts or verdict, and the card of a set just loaded; nothing
    // while the page is not built, which starts from the set when it is.
    void showNewSet(const QuestionSet& set, bool idNumbers);
    // Shown beside the card, or hidden; hiding what was never built builds nothing.
    void setShown(bool shown);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // Once, as the page starts to be built, before any of it exists.
    void building();
    // Once, right after the page was built and before it is used.
    void builtNow();

  private:
    void build();

    AppContext& s;
    QBoxLayout* pages_;
    QBoxLayout* row_;
    QWidget* window_;
    QuestionPanel* panel_ = nullptr;
    QFrame* Line1 = nullptr;
    QWidget* CardPanel = nullptr;
    AnswerCardView* MSHFlexGrid1 = nullptr;
};
