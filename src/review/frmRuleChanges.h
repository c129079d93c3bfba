#pragma once

#include "../ui/Layer.h"

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;
class QTreeWidget;
struct AppContext;

// "法规变化": the rule changes since 2021 with the day each came in force and the number of the
// class's questions that follow it; the learner picks one to practise those questions.
class frmRuleChanges : public QDialog {
    Q_OBJECT
  public:
    frmRuleChanges(AppContext& session, QWidget* parent);

    struct Choice {
        QString rule;  // its key
        QString title; // a few words of the change, for the set's caption
        bool shuffled = false;
    };
    const std::optional<Choice>& choice() const { return choice_; }

  private:
    void fill();
    void start(bool shuffled);

    AppContext& s;
    std::optional<Choice> choice_;
    QTreeWidget* LvRuleChanges;
    QLabel* LblRuleDetail;
    QPushButton* BtnSequence;
    QPushButton* BtnRandom;
};
