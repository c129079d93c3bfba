#pragma once

#include "../ui/Layer.h"

#include "../services/Practice.h"

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

    // The chapter's set, in order or shuffled, once the learner picked one.
    const std::optional<PracticeRequest>& choice() const { return choice_; }

  private:
    void Form_Load();
    void start(bool shuffled);

    AppContext& s;
    std::optional<PracticeRequest> choice_;
    QStringList chapters_; // the chapter of each row
    QGroupBox* Frame1;
    QTreeWidget* LvPart;
    QPushButton* BtnSequence;
    QPushButton* BtnRandom;
};
