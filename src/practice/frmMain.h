#pragma once

#include "../ui/Layer.h"

#include "../ui/AppContext.h"

#include <QWidget>
#include <optional>

class AnswerCardView;
class Clock;
class Comfort;
class CommandColumn;
class QFrame;
class QGroupBox;
class QuestionPanel;
class ReviewDrills;
class WelcomePage;
struct PracticeRequest;

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
        void openBank();
    void Form_Load();
    void CombolCarType_Click(int index);
    void entry(int which);
    void setWelcomePage(bool welcome);
    // Answers and scores the bank could not take: retried, set aside or waited for on leaving.
    void foldInSetAside();
    // Says which bank a portable copy now uses and offers the other one's newer practice.
    void tellBankSwitch();
    void retryWaiting();
    bool leaveWithWaiting();
    template <class Action> void guard(Action&& action);

    // Sets (also those a page or a drill entry chose) and what is shown of them (Sets.cpp).
    void BtnSequence_Click(bool offerResume = true);
    void BtnRandom_Click();
    void BtnPart_Click();
    void BtnWrongQuestion_Click();
    void practise(const PracticeRequest& request);
    // Another start may refresh the bank while this window is open: a practice set is loaded
    // afresh and the learner told. True when it was.
    bool followChangedQuestions();
    bool loadSet(const Statement& countSql, const Statement& idSql, QuestionSet::Mode mode,
                 bool shuffled);
    void showSet();
    void GetQuestion();
    // The number the learner sees on the question at `position`: its id in number mode "0",
    // else its position counted from 1.
    QString shownNumber(int position) const;
    void paintCell(int position);
    // The explanation under the options: in practice once answered, asked for or in study
    // mode; in the review always; in an exam never.
    void updateExplanation();
    QString classSuffix() const;
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
    // The learner chose to wait for the bank before leaving: the window closes once it is free.
    bool closeWhenSaved_ = false;
    // The learner has been told that answers wait for the bank, until it takes them.
    bool toldWaiting_ = false;
    // During start-up an empty class is no news: the learner has not asked for a set yet.
    bool startingUp_ = false;
    QString numberMode_;
    // What the practice set on screen was loaded from.
    struct SetSource {
        Statement count;
        Statement ids;
        QuestionSet::Mode mode;
        bool shuffled;
    };
    std::optional<SetSource> setSource_;
    int practiceSeconds_ = 0;

    CommandColumn* commands_;
    Comfort* comfort_;
    QGroupBox* FrameQuestion;
    WelcomePage* welcome_;
    QuestionPanel* panel_;
    ReviewDrills* drills_;
    QFrame* Line1;
    QWidget* CardPanel;
    AnswerCardView* MSHFlexGrid1;
    // Timer1 hides "设置成功", Timer2 clears the verdict after a move, Timer3 is the practice
    // clock, Timer4 the exam countdown; recordRetry saves scores the bank could not take.
    Clock* Timer1;
    Clock* Timer2;
    Clock* Timer3;
    Clock* Timer4;
    Clock* recordRetry_;
};
