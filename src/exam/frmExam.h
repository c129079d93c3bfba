#pragma once

#include "../ui/Layer.h"

#include "ExamStart.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
struct AppContext;

// "考试说明": the exam briefing. 开始考试 draws a paper; the caller starts the exam with it.
class frmExam : public QDialog {
    Q_OBJECT
  public:
    frmExam(AppContext& session, QWidget* parent);
    // The accepted paper, once the learner has started.
    const std::optional<ExamStart>& started() const { return started_; }

  private:
    void Form_Load();
    void BtnStart_Click();

    AppContext& s;
    std::optional<ExamStart> started_;
    QGroupBox* Frame1;
    QLabel* LblCount;
    QLabel* LblTime;
    QLabel* LblContent;
    QLabel* LblOrganizeWay;
    QLabel* LblPassStandard;
    QPushButton* BtnStart;
};
