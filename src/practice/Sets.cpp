// Loading practice sets, their captions, and showing the current question.
#include "../platform/Platform.h"
#include "../review/ReviewDrills.h"
#include "../store/DatabaseError.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/Statements.h"
#include "../targeted/frmPart.h"
#include "../targeted/frmWrongQt.h"
#include "AnswerCardView.h"
#include "CommandColumn.h"
#include "QuestionPanel.h"
#include "frmMain.h"

#include <QDateTime>
#include <QGroupBox>

// The title of a set: its caption and the class; with no class chosen it stays as it is.
void frmMain::setTitle(const QString& caption) {
    if (commands_->classIndex() >= 0)
        FrameQuestion->setTitle(caption + QStringLiteral("—") + classSuffix());
}

QString frmMain::classSuffix() const {
    const int index = commands_->classIndex();
    return index < 0 ? QString() : VehicleClasses()[index].suffix;
}

// The caption of a whole-class set; with no class chosen it stays as it is.
void frmMain::setCaption(const QString& prefix, const QString& ending) {
    if (commands_->classIndex() < 0) return;
    const int n = GetQuestionSum(s.Conn, Sql::classCount(s.practice.CarTypeCode));
    FrameQuestion->setTitle(prefix + QString::number(n) + QStringLiteral("题—") + ending);
}

void frmMain::BtnSequence_Click(bool offerResume) {
    s.practice.IsWrongQuestionPractice = false;
    if (!loadSet(WholeClass(s.practice.CarTypeCode))) return;
    showSet();
    setCaption(QStringLiteral("顺序练习—共"), classSuffix());
    const QString last = ReadSetting(s.Conn, Key::ResumePoint);
    const int at = s.practice.set.positionOf(last);
    // The stored point is an id; the learner is told the number they saw on that question.
    if (offerResume && last != QLatin1String("1") &&
        s.platform.askYesNo(this, QStringLiteral("提示"),
                            QStringLiteral("上次已经练习到第") +
                                (at >= 0 ? shownNumber(at) : last) +
                                QStringLiteral("题，要继续吗?")))
        // A resume point from another class is not in this set: stay on the first question.
        if (s.practice.set.goTo(at)) GetQuestion();
}

QString frmMain::shownNumber(int position) const {
    return s.practice.policies.idNumbers ? s.practice.set.ids().value(position)
                                         : QString::number(position + 1);
}

void frmMain::BtnRandom_Click() {
    s.practice.IsWrongQuestionPractice = false;
    if (!loadSet({Sql::classCount(s.practice.CarTypeCode),
                  drills_->randomIds(),
                  QuestionSet::Mode::Random,
                  true,
                  {}}))
        return;
    showSet();
    // The small-car caption ends with the whole list entry.
    setCaption(QStringLiteral("随机练习—共"),
               commands_->classIndex() == 0 ? commands_->classText(0) : classSuffix());
}

void frmMain::BtnPart_Click() {
    frmPart part(s, this);
    s.platform.showModal(&part);
    // Chapter practice after wrong-question practice still clears marks answered right.
    if (const auto& choice = part.choice()) practise(*choice, false);
}

void frmMain::BtnWrongQuestion_Click() {
    frmWrongQt window(s, this);
    s.platform.showModal(&window);
    if (!window.shuffled()) return;
    const bool shuffled = *window.shuffled();
    const int n = GetQuestionSum(s.Conn, Sql::wrongCount(s.practice.CarTypeCode));
    if (n == 0) {
        s.platform.information(this, QStringLiteral("提示"),
                               QStringLiteral("暂无错题，请在练习中手工设置练习或者进行练习、模拟"
                                              "考试让系统自动记录错题%1\r\n点击确定进入习题练习%2")
                                   .arg(shuffled ? QStringLiteral(",") : QString(),
                                        shuffled ? QStringLiteral(".") : QString()));
        BtnSequence_Click(false);
        return;
    }
    if (!loadSet({Sql::wrongCount(s.practice.CarTypeCode),
                  Sql::wrongIds(s.practice.CarTypeCode),
                  QuestionSet::Mode::WrongQuestions,
                  shuffled,
                  {}}))
        return;
    showSet();
    s.practice.IsWrongQuestionPractice = true;
    setTitle(QStringLiteral("错题练习共(%1题)").arg(n));
}

void frmMain::practise(const PracticeRequest& r, bool endsWrongQuestions) {
    if (endsWrongQuestions) s.practice.IsWrongQuestionPractice = false;
    if (!loadSet(r)) return;
    showSet();
    setTitle(r.caption);
}

// An empty or oversized set is refused before anything is reset: the learner keeps the set
// they had.
bool frmMain::loadSet(const PracticeRequest& r) {
    int n = 0;
    switch (LoadPracticeSet(s.practice, r.count, r.ids, r.mode, r.shuffled, &n)) {
    case SetLoad::Empty:
        if (!startingUp_)
            s.platform.information(
                this, QStringLiteral("提示"),
                QStringLiteral("所选的范围内没有试题，请选择其他车型或练习方式。"));
        return false;
    case SetLoad::TooMany:
        s.platform.information(
            this, QStringLiteral("提示"),
            QStringLiteral("所选的范围内有 %1 道题，超过了答题卡能容纳的 %2 道。")
                .arg(n)
                .arg(MaxInt16));
        return false;
    case SetLoad::Loaded:
        break;
    }
    setSource_ = r;
    panel_->setLook(QuestionPanel::Look::Practice);
    panel_->showCounts(0, 0);
    panel_->showVerdict({}, std::nullopt);
    MSHFlexGrid1->card()->load(s.practice.set.ids(), s.practice.policies.idNumbers);
    return true;
}

bool frmMain::followChangedQuestions() {
    if (!QuestionsChanged(s.practice) || s.practice.set.isEmpty() || s.practice.set.isExam() ||
        !setSource_)
        return false;
    const QString id = s.practice.set.currentId();
    const int position = s.practice.set.position();
    if (loadSet(PracticeRequest(*setSource_))) {
        const int at = s.practice.set.positionOf(id);
        s.practice.set.goTo(at >= 0 ? at : qMin(position, s.practice.set.size() - 1));
        GetQuestion();
    }
    s.platform.information(this, QStringLiteral("提示"),
                           QStringLiteral("题库里的题目已被更新（可能是本软件的另一次启动刷新了"
                                          "题库），本组练习已按新的题目重新载入。"));
    return true;
}

// A newly loaded set starts at its first question.
void frmMain::showSet() {
    if (!s.practice.set.isEmpty()) GetQuestion();
}

void frmMain::GetQuestion() {
    setWelcomePage(false);
    if (!s.practice.set.isExam()) {
        practiceSeconds_ = 0;
        commands_->setClock(0);
        Timer3->start();
        Timer4->stop();
    }
    try {
        const auto question = ReadQuestion(s.practice, s.practice.set.currentId());
        if (question)
            panel_->showQuestion(*question, shownNumber(s.practice.set.position()),
                                 s.practice.set.current());
        else
            panel_->forgetQuestion();
        s.practice.set.shownAt(QDateTime::currentMSecsSinceEpoch());
        updateExplanation();
    } catch (const DatabaseError&) {
        // An unreadable question leaves what is on screen; the card still follows the move.
        panel_->forgetQuestion();
    }
    MSHFlexGrid1->paintAnswer(s.practice.set, s.practice.set.previous());
    MSHFlexGrid1->card()->setBackground(s.practice.set.position(), AnswerCardModel::LightCyan);
    MSHFlexGrid1->selectPosition(s.practice.set.position());
}

void frmMain::updateExplanation() {
    const auto look = panel_->look();
    const bool shown = look == QuestionPanel::Look::Review ||
                       (look == QuestionPanel::Look::Practice &&
                        (s.practice.set.current().answered || panel_->answerShown() ||
                         s.practice.policies.studyMode));
    if (!shown || s.practice.set.isEmpty()) {
        panel_->showExplanation(false);
        return;
    }
    // An answer given from now on in this visit was given with the right one in view.
    s.practice.set.sawAnswer();
    const QuestionHistory h = ReadHistory(s.practice, wholeNumber(s.practice.set.currentId()));
    panel_->showExplanation(
        true, h.answered > 0
                  ? QStringLiteral("本题已答 %1 次，答错 %2 次").arg(h.answered).arg(h.wrong)
                  : QString());
}
