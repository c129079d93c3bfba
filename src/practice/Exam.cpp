// The mock exam as the main window runs it: start, countdown, hand-in, score and review.
#include "../exam/frmExam.h"
#include "../exam/frmExamHall.h"
#include "../exam/frmScore.h"
#include "../platform/Platform.h"
#include "AnswerCardView.h"
#include "BankKeeper.h"
#include "CommandColumn.h"
#include "QuestionPanel.h"
#include "frmMain.h"

void frmMain::BtnMoNiKaoShi_Click() {
    // Closed without starting, the briefing leaves the exam layout; 交卷 then does nothing.
    panel()->setLook(QuestionPanel::Look::Exam);
    frmExam briefing(s, this);
    s.platform.showModal(&briefing);
    const auto& started = briefing.started();
    if (!started) return;
    if (!briefing.inHall()) return startExam(started->paper, started->minutes, false);
    // The hall runs in its own window; its last paper comes back handed in, for the review.
    frmExamHall::run(s, this, *started, briefing.hallChoices(), *keeper_);
    Timer3->stop();
    card()->card()->load(s.practice.set.ids(), s.practice.policies.idNumbers);
    GetQuestion();
    review();
}

void frmMain::startExam(const QStringList& paper, int minutes, bool retake) {
    if (retake)
        s.practice.set.restart();
    else
        s.practice.set.load(paper, QuestionSet::Mode::Exam);
    panel()->setLook(QuestionPanel::Look::Exam);
    panel()->showVerdict({}, std::nullopt);
    card()->card()->load(s.practice.set.ids(), s.practice.policies.idNumbers);
    GetQuestion();
    s.practice.startExam(minutes * 60);
    Timer3->stop();
    Timer4->start();
    if (!retake) setTitle(QStringLiteral("模拟考试共100题"));
}

bool frmMain::confirmLeavingExam() {
    if (!s.practice.examRunning()) return true;
    return s.platform.askYesNo(this, QStringLiteral("提示"),
                               QStringLiteral("正在考试，确定放弃本次考试吗?"));
}

void frmMain::BtnJiaoJuan_Click() {
    // Only a running paper can be handed in.
    if (!s.practice.examRunning()) return;
    const int unanswered = s.practice.set.unansweredCount();
    if (unanswered > 0 &&
        !s.platform.askYesNo(this, QStringLiteral("提示"),
                             QStringLiteral("还有 %1 题未答，确定交卷吗?").arg(unanswered)))
        return;
    // The clock may have run out while the learner was deciding: that ended the exam.
    if (!s.practice.handIn()) return;
    Timer4->stop();
    showScore();
}

void frmMain::CountDownExamTime() {
    if (!s.practice.examRunning()) return Timer4->stop();
    if (s.practice.tick()) {
        Timer4->stop();
        showScore();
    }
    commands_->setClock(s.practice.ExamSeconds);
}

void frmMain::showScore() {
    keeper_->saveExamRecord(s.practice.set.rightCount());
    frmScore score(s, this, s.practice.set.rightCount());
    if (!score.loaded()) return;
    s.platform.showModal(&score);
    review();
    if (score.choice() == frmScore::Choice::Retake) startExam({}, score.retakeMinutes(), true);
    if (score.choice() != frmScore::Choice::NewPaper) return;
    if (const auto started = DrawExam(s, this); started && !started->paper.isEmpty())
        startExam(started->paper, started->minutes, false);
}

// After an exam: every answer shown, the wrong ones marked on the card.
void frmMain::review() {
    s.practice.review();
    panel()->setLook(QuestionPanel::Look::Review);
    card()->markWrongAnswers(s.practice.set);
    updateExplanation();
}
