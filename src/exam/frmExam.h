#pragma once

#include "../ui/Layer.h"

#include "../services/ExamHall.h"
#include "ExamStart.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct AppContext;

// "考试说明": the exam briefing. 开始考试 draws a paper; the caller starts the exam with it,
// in the exam hall's own window when 考场模式 is chosen (the choice and its settings are kept).
class frmExam : public QDialog {
    Q_OBJECT
  public:
    frmExam(AppContext& session, QWidget* parent);
    // The accepted paper, once the learner has started.
    const std::optional<ExamStart>& started() const { return started_; }
    // Started in the exam-hall mode, with these rules and details.
    bool inHall() const { return hall_.hall; }
    const HallChoices& hallChoices() const { return hall_; }

  private:
    void Form_Load();
    void BtnStart_Click();

    AppContext& s;
    std::optional<ExamStart> started_;
    HallChoices hall_;
    QGroupBox* Frame1;
    QLabel* LblCount;
    QLabel* LblTime;
    QLabel* LblContent;
    QLabel* LblOrganizeWay;
    QLabel* LblPassStandard;
    QCheckBox* ChkExamHall;
    QGroupBox* FrameHall;
    QLineEdit* TxtName;
    QLineEdit* TxtIdNumber;
    QComboBox* CboHallOrder;
    QComboBox* CboHallTooManyWrong;
    QCheckBox* ChkHallMovesOn;
    QCheckBox* ChkHallChangeable;
    QPushButton* BtnStart;
};
