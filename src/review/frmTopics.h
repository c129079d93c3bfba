#pragma once

#include "../ui/Layer.h"

#include <QDialog>
#include <optional>

class QPushButton;
class QTreeWidget;
struct AppContext;

// "专项练习": the topics of the class with their question counts and the learner's accuracy
// in each; the learner picks one to practise in order or at random.
class frmTopics : public QDialog {
    Q_OBJECT
  public:
    frmTopics(AppContext& session, QWidget* parent);

    struct Choice {
        QString topic;
        bool shuffled = false;
    };
    const std::optional<Choice>& choice() const { return choice_; }

  private:
    void fill();
    void start(bool shuffled);

    AppContext& s;
    std::optional<Choice> choice_;
    QTreeWidget* LvTopics;
    QPushButton* BtnSequence;
    QPushButton* BtnRandom;
};
