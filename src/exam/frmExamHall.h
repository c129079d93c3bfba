#pragma once

#include "../ui/Layer.h"

#include "../services/ExamHall.h"
#include "ExamStart.h"

#include <QDialog>
#include <QPointer>
#include <vector>

class BankKeeper;
class Clock;
class PictureView;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
struct AppContext;

// The mock exam as the exam-room computer runs it, in a window of its own: the candidate
// confirms, answers under the clock with the paper's numbers to jump by, hands in (or the time
// does), sees the result and, after a failed first sitting, may sit a second paper at once.
// The session's phases decide what an answer or a tick may do; the window only paints.
class frmExamHall : public QDialog {
    Q_OBJECT
  public:
    // `start`: the paper composed in 考试说明; it is loaded into the session here.
    // `keeper` stores each sitting and retries what the bank cannot take yet.
    frmExamHall(AppContext& session, QWidget* parent, const ExamStart& start,
                const HallChoices& choices, BankKeeper& keeper);
    ~frmExamHall() override;

    // The sitting (1 or 2) on screen, and whether the last one was handed in.
    int sitting() const { return sitting_; }
    bool handedIn() const { return handedIn_; }

    // Runs the hall from `start`, then the score window; a retake or a new paper chosen there
    // comes back to the hall. The session is left with the last paper, handed in.
    static void run(AppContext& session, QWidget* owner, ExamStart start,
                    const HallChoices& choices, BankKeeper& keeper);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

  private:
    QWidget* buildConfirmPage();
    QWidget* buildQuestionPage();
    QWidget* buildResultPage();
    void applyLook();

    void startSitting(const QStringList& paper);
    void BtnConfirm_Click();
    void answer(const QString& given);
    void showView(int view); // the view-th question of the hall's order
    void paintQuestion();
    void paintCounts();
    void tick();
    void BtnHandIn_Click();
    void checkTooManyWrong();
    // The paper is handed in (by the learner, the clock or too many wrong): one record.
    void finish();
    void BtnRetry_Click();
    int wrongCount() const;
    // Shows a box of the hall; it closes by itself when the sitting ends under it.
    // 继续考试 or `leave`; true for `leave` while the sitting still runs.
    bool ask(const QString& name, const QString& text, const QString& leave, bool leaveIsDefault);

    AppContext& s;
    BankKeeper& keeper_;
    HallChoices choices_;
    int minutes_ = 0;
    int pass_ = 0;
    int seat_ = 1;
    int sitting_ = 1;
    bool handedIn_ = false;
    bool toldTooManyWrong_ = false;
    std::vector<QuestionData> questions_; // in paper order
    std::vector<int> order_;              // view → paper position
    int view_ = 0;
    Clock* clock_;
    Clock* nextSoon_; // the short pause before moving on, so the ✓/✗ is seen
    QPointer<QDialog> box_;
    QString rightColour_, wrongColour_, passColour_, failColour_;

    QStackedWidget* pages_;
    QWidget* PageConfirm;
    QLabel* LblConfirmDetails;
    QPushButton* BtnConfirm;

    QWidget* PageQuestion;
    QLabel* LblCandidate;
    QLabel* LblSeat;
    QLabel* LblRemaining;
    QLabel* LblAnswered;
    QLabel* LblNumber;
    QLabel* LblQuestion;
    QList<QRadioButton*> options_; // OptA–OptD, then OptRight, OptWrong
    QLabel* LblGiven;
    QLabel* LblVerdict;
    PictureView* ImgPicture;
    QList<QPushButton*> numbers_; // Num1–Num100
    QPushButton* BtnPrevious;
    QPushButton* BtnNext;
    QPushButton* BtnHandIn;

    QWidget* PageResult;
    QLabel* LblResult;
    QLabel* LblResultScore;
    QLabel* LblResultCounts;
    QLabel* LblTimeUsed;
    QPushButton* BtnRetry;
    QPushButton* BtnEnd;
};
