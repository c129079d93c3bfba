#pragma once

#include "../ui/Layer.h"

#include "../services/Practice.h"
#include "../ui/AppContext.h"
#include "PracticePage.h"

#include <QWidget>
#include <optional>

class AnswerCardView;
class BankKeeper;
class Clock;
class Comfort;
class CommandColumn;
class QGroupBox;
class QuestionPanel;
class ReviewDrills;
class WelcomePage;

// The main window: start-up, the entries to every mode, one question at a time and the
// answer card. It shows the session's question set and hands the learner's actions to the
// core; the dialogs it opens return what the learner chose.
class frmMain : public QWidget {
    Q_OBJECT
  public:
    explicit frmMain(AppContext& session);
    ~frmMain() override;

    // False when start-up met the database error; the window must not be shown then.
    bool startedUp() const { return startedUp_; }
    // A signal asks the program to end: it ends as 退出 ends it, asking nothing; what the
    // bank cannot take yet is set aside for the next start.
    void endBySignal();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Start-up and the left column (frmMain.cpp).
    void buildUi();
    void Form_Load();
    void CombolCarType_Click(int index);
    void entry(int which);
    void setWelcomePage(bool welcome);
    // The practice page as it stands when it is first built.
    void wirePage();
    QuestionPanel* panel() { return page_->panel(); }
    AnswerCardView* card() { return page_->card(); }
    template <class Action> void guard(Action&& action);

    // Sets (also those a page or a drill entry chose) and what is shown of them (Sets.cpp).
    void BtnSequence_Click(bool offerResume = true);
    void BtnRandom_Click();
    void BtnPart_Click();
    void BtnWrongQuestion_Click();
    void practise(const PracticeRequest& request, bool endsWrongQuestions = true);
    // Another start may refresh the bank while this window is open: a practice set is loaded
    // afresh and the learner told. True when it was.
    bool followChangedQuestions();
    bool loadSet(const PracticeRequest& request);
    void showSet();
    void GetQuestion();
    // The number the learner sees on the question at `position`: its id, or its position.
    QString shownNumber(int position) const;
    // The explanation under the options: in practice once answered, asked for or in study
    // mode; in the review always; in an exam never.
    void updateExplanation();
    QString classSuffix() const;
    void setTitle(const QString& caption);
    void setCaption(const QString& prefix, const QString& ending);

    // Answering and moving (Answering.cpp).
    void JudgeAnswer(const QString& answer);
    // Whether the position changed.
    bool move(bool forward, bool byLearner);
    void MSHFlexGrid1_Click(int position);
    void BtnShowAnswer_Click();
    void BtnSetWrongQuestion_Click();

    // The mock exam (Exam.cpp).
    void BtnMoNiKaoShi_Click();
    void startExam(const QStringList& paper, int minutes, bool retake);
    bool confirmLeavingExam();
    void BtnJiaoJuan_Click();
    void CountDownExamTime();
    void showScore();
    void review();

    AppContext& s;
    bool startedUp_ = false;
    bool endingBySignal_ = false;
    // Till the class's set has loaded, an empty class is no news: no set was asked for yet.
    bool startingUp_ = true;
    // What the practice set on screen was loaded from.
    std::optional<PracticeRequest> setSource_;
    int practiceSeconds_ = 0;

    CommandColumn* commands_;
    Comfort* comfort_;
    BankKeeper* keeper_;
    QGroupBox* FrameQuestion;
    WelcomePage* welcome_;
    PracticePage* page_;
    ReviewDrills* drills_;
    // Timer3 is the practice clock, Timer4 ticks the exam's countdown.
    Clock* Timer3;
    Clock* Timer4;
};
