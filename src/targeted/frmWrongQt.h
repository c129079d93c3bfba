#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class frmMain;

// "错题练习-试题组成": practice over the marked questions of the class, the switch that
// removes questions answered right, and the reset of all marks.
class frmWrongQt : public QDialog {
    Q_OBJECT
  public:
    explicit frmWrongQt(frmMain& main);

    void Check1_Click();
    void BtnAgainSet_Click();
    void BtnSequence_Click();
    void BtnRandom_Click();
    // Reads the removal switch from the bank again (each time the window is opened).
    void LoadAutoRemoveSetting();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QGroupBox* Frame1;
    QCheckBox* Check1;
    QPushButton* BtnSequence;
    QPushButton* BtnRandom;
    QPushButton* BtnAgainSet;

  private:
    void start(bool shuffled);

    frmMain& main_;
    QString QuestionSumSql;
    QString QuestionIdSql;
    QString QuestionSum;
};
