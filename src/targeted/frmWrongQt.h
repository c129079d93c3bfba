#pragma once

#include "../ui/Layer.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
struct AppContext;

// "错题练习-试题组成": explains where wrong questions come from, keeps the removal switch,
// resets the marks, and starts wrong-question practice in order or at random.
class frmWrongQt : public QDialog {
    Q_OBJECT
  public:
    frmWrongQt(AppContext& session, QWidget* parent);

    // In order or at random, once the learner has started.
    const std::optional<bool>& shuffled() const { return shuffled_; }

  private:
    void Check1_Click();
    void BtnAgainSet_Click();

    AppContext& s;
    std::optional<bool> shuffled_;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QGroupBox* Frame1;
    QCheckBox* Check1;
    QPushButton* BtnSequence;
    QPushButton* BtnRandom;
    QPushButton* BtnAgainSet;
};
