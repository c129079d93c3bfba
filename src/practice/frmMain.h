#pragma once

#include "../store/Guard.h"
#include "../store/Session.h"

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class AnswerCardView;
class ClickableLabel;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class frmExam;
class frmPart;
class frmWrongQt;

// "正确率" caption: whole percent, ties to the even digit, then ".00%".
QString rateCaption(int right, int answered);

// The main window: start-up, the practice page with one question, the answer card, and the
// entries to every mode. Its controls are public, as the other windows work through them.
class frmMain : public QWidget {
    Q_OBJECT
  public:
    explicit frmMain(Session& session);
    ~frmMain() override;

    // False when start-up met the database error; the window must not be shown then.
    bool startedUp() const { return startedUp_; }
    Session& session() { return s; }

    // Shows one question (by ID) on the practice page.
    void GetQuestion(const QString& id);
    // Makes the first question of the set current and shows it.
    void ShowFirstQuestion();

    // Set loaders; false (and the previous set kept) when the set is empty or too big.
    bool FillMSHFlexGridSequence();
    bool MSHFlexGridFillQuestionNumSequence(const QString& countSql, const QString& idSql);
    bool MSHFlexGridFillQuestionNumRandom(const QString& countSql, const QString& idSql);
    void MSHFlexGridFillQuestionNumRandomExam();
    static QString ShuffleQuestionIds(QStringList& ids);

    void SimulationExam();
    void ViewNormalExam();
    void ShowPracticeControls();

    // Whole-class practice; also the wrong-question window's fallback.
    void BtnSequence_Click();
    void BtnRandom_Click();

    // Every handler, public so the other windows and the tests can drive them.
    void btnCheXing_Click();
    void CombolCarType_Click();
    void ChkAutoSkip_Click();
    void BtnExit_Click();
    void BtnNextQuestion_Click();
    void BtnPreQuestion_Click();
    void MSHFlexGrid1_Click();
    void JudgeAnswer(const QString& answer);
    void BtnShowAnswer_Click();
    void BtnSetWrongQuestion_Click();
    void BtnMoNiKaoShi_Click();
    void BtnJiaoJuan_Click();
    void BtnPart_Click();
    void BtnWrongQuestion_Click();
    void BtnDocument_Click();
    void CmdAbout_Click();
    void optTheme_Click(int index);
    void imgTall_Click();
    void imgDonate20_Click();
    void imgDonate10_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void AdvancePracticeClock(QString& hours, QString& minutes, QString& seconds);
    void CountDownExamTime();

    // The wrong-question window, loaded (not shown) on first use: the judge reads its switch.
    frmWrongQt* WrongQt();
    // The exam briefing, created on first use and unloaded after a start.
    frmExam* Exam();
    void UnloadExam();
    // Exam time and pass mark within their limits; otherwise the learner is told.
    bool examSettingsFit(int minutes);

    // --- controls ---
    QPushButton* btnCheXing;
    QComboBox* CombolCarType;
    QCheckBox* ChkAutoSkip;
    QPushButton* BtnExit;
    QPushButton* BtnSequence;
    QPushButton* BtnRandom;
    QPushButton* BtnPart;
    QPushButton* BtnWrongQuestion;
    QPushButton* BtnMoNiKaoShi;
    QPushButton* BtnDocument;
    QPushButton* CmdAbout;
    QGroupBox* FrameQuestion;
    QWidget* PicWelcome;
    QWidget* PicPractice;
    AnswerCardView* MSHFlexGrid1;
    QFrame* Line1;
    // The card with its legend; the welcome page takes its room while it is hidden.
    QWidget* CardPanel;

    QLabel* LblNum;
    QLabel* LblQuestion;
    QLabel* LblA;
    QLabel* LblB;
    QLabel* LblC;
    QLabel* LblD;
    QLabel* LblAnswerA;
    QLabel* LblAnswerB;
    QLabel* LblAnswerC;
    QLabel* LblAnswerD;
    QWidget* PicABCD;
    QPushButton* BtnA;
    QPushButton* BtnB;
    QPushButton* BtnC;
    QPushButton* BtnD;
    QWidget* PicYesNo;
    QPushButton* BtnRight;
    QPushButton* BtnWrong;
    QLabel* ImgMarkPic;
    QLabel* LblAnLabel;
    QLabel* LblAn;
    QLabel* Label13;
    QLabel* LblCorrectAn;
    QLabel* ImgYesNo;
    QLabel* LblRightReplyCount;
    QLabel* LblCorrect;
    QLabel* LblRightRate;
    QLabel* LblRate;
    QLabel* LblWrongPrompt;
    QPushButton* BtnShowAnswer;
    QPushButton* BtnSetWrongQuestion;
    QPushButton* BtnJiaoJuan;
    QPushButton* BtnPreQuestion;
    QPushButton* BtnNextQuestion;
    QLineEdit* txtCurrentArrayNum;
    QLineEdit* txtPreArrayNum;
    QGroupBox* Frame2;
    QLabel* LblTime;
    QGroupBox* Frame3;
    std::array<QRadioButton*, 5> optTheme{};
    ClickableLabel* imgTall;
    ClickableLabel* imgDonate20;
    ClickableLabel* imgDonate10;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;
    QTimer* Timer4;

    // --- state of the window ---
    QString QuestionNumberMode;
    bool CarTypeClickArmed = false;
    int CurrentPosition = 0;
    bool ExamMode = false;
    bool IsSequencePractice = false;
    // Per position: answered flag, right flag, answer code, unused.
    std::vector<std::array<qint16, 4>> QuestionState;
    QString QuestionSumSql;
    QString QuestionIdSql;
    QString SqlText;
    // Counts exam starts, so the entry can tell a started exam from a closed briefing.
    int ExamStarts = 0;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Form_Initialize();
    void Form_Load();
    QString GetExamCarType();
    QString GetQuestionNumberMode();
    void FillCarTypeCombo();
    void LoadAutoSkipSetting();
    void RemoveSizeMenuItem();
    void RestoreSkin();
    int ReadDefaultSkin();
    bool FillMSHFlexGridRandom();
    void MoveToNextQuestion();
    void MoveToPreviousQuestion();
    QString GetQuestionPosition(const QString& id);
    QString GetCurrentQuestionPosition();
    qint64 CurrentQuestionId();
    void collapseCarChooser();
    void resetPracticeDisplay();
    bool loadSet(const QString& countSql, const QString& idSql, bool shuffled);
    void applyCellColourRule();
    void paintCell(int position);
    void setVerdict(const QString& picture);
    void setWelcomePage(bool welcome);
    void showScore();
    // Asks before a running exam is left for another mode; true to go on.
    bool confirmLeavingExam();
    void retryWaitingRecords();
    QString classSuffix() const;
    void showWholeClassCaption(const QString& prefix, const QString& ending);

    void buildUi();
    QWidget* buildCommandColumn();
    QWidget* buildWelcomePage();
    QWidget* buildPracticePage();
    QWidget* buildCardPanel();
    void connectHandlers();
    void connectKeyboard();
    template <class Handler> void onClick(QPushButton* button, Handler handler);
    template <class Action> void guard(Action&& action) {
        guarded(s, this, std::forward<Action>(action));
    }

    Session& s;
    bool startedUp_ = false;
    // During start-up an empty class is no news: the learner has not asked for a set yet.
    bool startingUp_ = false;
    std::vector<bool> countedRight_;
    frmWrongQt* wrongQt_ = nullptr;
    frmExam* exam_ = nullptr;
    // Saves exam scores the bank could not take at hand-in, once it can.
    QTimer* recordRetry_ = nullptr;
};
