#pragma once

#include "../ui/Layer.h"

#include <QDialog>
#include <optional>

class QGroupBox;
class QPushButton;
class QTreeWidget;
struct AppContext;

// "章节练习": lists the chapters of the class with their question counts; the learner picks
// one to practise in order or at random.
class frmPart : public QDialog {
    Q_OBJECT
  public:
    frmPart(AppContext& session, QWidget* parent);

    struct Choice {
        QString chapter;
        QString caption; // "1、道路交通安全法律、法规和规章(25)题"
        bool shuffled = false;
    };
    const std::optional<Choice>& choice() const { return choice_; }

  private:
    void Form_Load();
    void start(bool shuffled);

    AppContext& s;
    std::optional<Choice> choice_;
    QGroupBox* Frame1;
    QTreeWidget* LvPart;
    QPushButton* BtnSequence;
    QPushButton* BtnRandom;
};
