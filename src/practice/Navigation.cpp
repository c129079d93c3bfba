// Whole-class practice sets, the resume question, and moving through a set.
#include "../platform/Platform.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/Statements.h"
#include "AnswerCardView.h"
#include "frmMain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QStringList ClassCodes = {QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("A")};
}

// The caption and class of a whole-class set follow the chooser; with nothing chosen
// neither changes.
void frmMain::showWholeClassCaption(const QString& prefix, const QString& ending) {
    const int index = CombolCarType->currentIndex();
    if (index < 0 || index > 2) return;
    s.CarTypeCode = ClassCodes[index];
    const int n = GetQuestionSum(s.Conn, QuestionSumSql);
    FrameQuestion->setTitle(prefix + QString::number(n) + QStringLiteral("题—") + ending);
}

void frmMain::BtnSequence_Click() {
    collapseCarChooser();
    s.IsWrongQuestionPractice = false;
    IsSequencePractice = true;
    if (!FillMSHFlexGridSequence()) {
        s.SkipResumePrompt = false;
        return;
    }
    ShowFirstQuestion();

    showWholeClassCaption(QStringLiteral("顺序练习—共"), classSuffix());

    const QString last = ReadSetting(s.Conn, Key::ResumePoint);
    if (!s.SkipResumePrompt && last != QLatin1String("1") &&
        s.platform.askYesNo(this, QStringLiteral("提示"),
                            QStringLiteral("上次已经练习到第") + last +
                                QStringLiteral("题，要继续吗?"))) {
        // A resume point from another class is not in this set: stay on the first question.
        const QString position = GetQuestionPosition(last);
        if (!position.isEmpty()) {
            MSHFlexGrid1->selectPosition(0);
            MSHFlexGrid1->card()->setBackground(0, AnswerCardModel::White);
            txtCurrentArrayNum->setText(position);
            CurrentPosition = static_cast<int>(wholeNumber(position));
            GetQuestion(last);
        }
    }
    s.SkipResumePrompt = false;
}

void frmMain::BtnRandom_Click() {
    collapseCarChooser();
    s.IsWrongQuestionPractice = false;
    IsSequencePractice = false;
    if (!FillMSHFlexGridRandom()) return;
    ShowFirstQuestion();

    // The small-car caption ends with the whole list entry.
    showWholeClassCaption(QStringLiteral("随机练习—共"), CombolCarType->currentIndex() == 0
                                                             ? CombolCarType->itemText(0)
                                                             : classSuffix());
}

void frmMain::ShowFirstQuestion() {
    if (s.QuestionIds.isEmpty()) return;
    txtCurrentArrayNum->setText(QStringLiteral("0"));
    CurrentPosition = 0;
    GetQuestion(s.QuestionIds.first());
}

void frmMain::BtnNextQuestion_Click() {
    LblCorrectAn->clear();
    setVerdict({});
    MoveToNextQuestion();
    collapseCarChooser();
}

void frmMain::BtnPreQuestion_Click() {
    LblCorrectAn->clear();
    setVerdict({});
    MoveToPreviousQuestion();
    collapseCarChooser();
}

void frmMain::MoveToNextQuestion() {
    txtPreArrayNum->setText(txtCurrentArrayNum->text());
    const qint64 c = wholeNumber(txtCurrentArrayNum->text());
    if (c >= s.QuestionIds.size() - 1) return;
    txtCurrentArrayNum->setText(QString::number(c + 1));
    CurrentPosition = static_cast<int>(c + 1);
    GetQuestion(s.QuestionIds[CurrentPosition]);
}

void frmMain::MoveToPreviousQuestion() {
    txtPreArrayNum->setText(txtCurrentArrayNum->text());
    if (txtCurrentArrayNum->text() == QLatin1String("0")) return;
    const qint64 c = wholeNumber(txtCurrentArrayNum->text()) - 1;
    txtCurrentArrayNum->setText(QString::number(c));
    CurrentPosition = static_cast<int>(c);
    if (c >= 0 && c < s.QuestionIds.size()) GetQuestion(s.QuestionIds[CurrentPosition]);
}

QString frmMain::GetQuestionPosition(const QString& id) {
    const qsizetype p = s.QuestionIds.indexOf(id);
    return p < 0 ? QString() : QString::number(p);
}

QString frmMain::GetCurrentQuestionPosition() {
    const QString k = LblNum->text().chopped(LblNum->text().isEmpty() ? 0 : 1);
    if (QuestionNumberMode == QLatin1String("0")) return GetQuestionPosition(k);
    if (QuestionNumberMode == QLatin1String("1")) return QString::number(wholeNumber(k) - 1);
    return {};
}
