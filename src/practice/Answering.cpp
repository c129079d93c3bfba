// Answering, moving through the set, the answer card's clicks, the answer and the wrong mark.
#include "../platform/Platform.h"
#include "../review/ReviewDrills.h"
#include "../store/DatabaseError.h"
#include "BankKeeper.h"
#include "CommandColumn.h"
#include "QuestionPanel.h"
#include "frmMain.h"

#include <QDateTime>

void frmMain::JudgeAnswer(const QString& answer) {
    commands_->collapseChooser();
    // Study mode shows the answer; nothing is judged, counted or recorded.
    if (!s.practice.judges()) return;
    if (followChangedQuestions()) return;
    try {
        const Verdict verdict =
            AnswerQuestion(s.practice, answer, RemovesRightFromWrong(s.practice),
                           QDateTime::currentMSecsSinceEpoch());
        if (!verdict.taken) return;
        panel_->showVerdict(answer, verdict.right);
        if (verdict.waiting) keeper_->answerWaits();
        // An exam moves on after every answer; practice after a right one, when asked to. At
        // the last question there is nowhere to go: the answer stays in view, as in practice.
        const bool movesOn = s.practice.movesOnAfter(verdict.right);
        if (movesOn && move(true, false))
            panel_->clearVerdictSoon();
        else
            updateExplanation();
        panel_->showCounts(s.practice.set.rightCount(), s.practice.set.answeredCount());
        drills_->afterAnswer();
    } catch (const DatabaseError& e) {
        s.platform.information(this, QStringLiteral("错误提示"),
                               errorText(e.number(), e.description()));
    }
}

// The learner's own move clears the verdict; the move after an answer leaves it a moment.
bool frmMain::move(bool forward, bool byLearner) {
    commands_->collapseChooser();
    if (byLearner) panel_->showVerdict({}, std::nullopt);
    if (followChangedQuestions()) return true;
    if (s.practice.set.isEmpty() || !(forward ? s.practice.set.next() : s.practice.set.back()))
        return false;
    GetQuestion();
    return true;
}

// A cell beyond the set, or the question already on screen, changes nothing.
void frmMain::MSHFlexGrid1_Click(int position) {
    commands_->collapseChooser();
    if (followChangedQuestions()) return;
    if (!s.practice.set.goTo(position)) return;
    panel_->showVerdict({}, std::nullopt);
    GetQuestion();
}

void frmMain::BtnShowAnswer_Click() {
    commands_->collapseChooser();
    // Before any question is on screen there is nothing to show.
    if (!panel_->isVisibleTo(this) || s.practice.set.isEmpty()) return;
    panel_->toggleAnswer();
    updateExplanation();
}

void frmMain::BtnSetWrongQuestion_Click() {
    commands_->collapseChooser();
    if (!panel_->isVisibleTo(this) || s.practice.set.isEmpty()) return;
    MarkCurrentWrong(s.practice);
    panel_->flashWrongPrompt();
}
