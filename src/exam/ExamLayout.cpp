// Entering a mock exam and the two looks of the question panel around it.
#include "../platform/Platform.h"
#include "../practice/AnswerCardView.h"
#include "../practice/frmMain.h"
#include "../store/Limits.h"
#include "../store/Module1.h"
#include "frmExam.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {
QList<QWidget*> examControls(frmMain& m) {
    return {m.LblAnLabel,         m.LblAn,      m.LblRightRate,        m.LblRate,
            m.LblRightReplyCount, m.LblCorrect, m.BtnSetWrongQuestion, m.BtnShowAnswer,
            m.ChkAutoSkip,        m.BtnJiaoJuan};
}
} // namespace

bool frmMain::examSettingsFit(int minutes) {
    if (minutes < MinExamMinutes || minutes > MaxExamMinutes) {
        s.platform.information(
            this, QStringLiteral("提示"),
            QStringLiteral("考试时间设置为 %1 分钟，无法开始考试：考试时间应在 %2 到 %3 分钟之间。")
                .arg(minutes)
                .arg(MinExamMinutes)
                .arg(MaxExamMinutes));
        return false;
    }
    const int pass = GetPassScore(s.Conn);
    if (pass < MinPassScore || pass > MaxPassScore) {
        s.platform.information(
            this, QStringLiteral("提示"),
            QStringLiteral("合格分数设置为 %1 分，无法开始考试：合格分数应在 %2 到 %3 分之间。")
                .arg(pass)
                .arg(MinPassScore)
                .arg(MaxPassScore));
        return false;
    }
    return true;
}

void frmMain::BtnMoNiKaoShi_Click() {
    collapseCarChooser();
    // A briefing closed without starting gives back the look the window had.
    QList<bool> before;
    for (QWidget* w : examControls(*this))
        before.append(!w->isHidden());
    const int starts = ExamStarts;
    SimulationExam();
    s.platform.showModal(Exam());
    if (ExamStarts == starts) {
        UnloadExam();
        const auto controls = examControls(*this);
        for (int i = 0; i < controls.size(); ++i)
            controls[i]->setVisible(before[i]);
    }
    IsSequencePractice = false;
}

void frmMain::SimulationExam() {
    for (QWidget* w : examControls(*this))
        w->hide();
    BtnJiaoJuan->show();
}

void frmMain::ViewNormalExam() {
    for (QWidget* w : examControls(*this))
        w->show();
    BtnJiaoJuan->hide();
    auto* card = MSHFlexGrid1->card();
    for (int i = 0; i < s.QuestionIds.size() && i < static_cast<int>(QuestionState.size()); ++i) {
        if (QuestionState[i][0] == 1 && QuestionState[i][1] == 0) {
            card->setBackground(i, AnswerCardModel::LightYellow);
            card->setBoldRed(i);
        }
    }
}
