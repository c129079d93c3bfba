#pragma once

#include "../ui/Layer.h"

#include "../domain/Clock.h"
#include "../domain/QuestionSet.h"
#include "../services/Practice.h"

#include <QPixmap>
#include <QWidget>

class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QGridLayout;
class QLabel;
class QScrollArea;
class QPushButton;
class QToolButton;

// The practice page: one question with its options or true/false buttons, its picture, the
// verdict, the moves and the running counts. It paints what it is given and reports what the
// learner does; it keeps no state of the set.
class QuestionPanel : public QWidget {
    Q_OBJECT
  public:
    QuestionPanel(const QString& programFolder, const ClockFactory& clocks,
                  QWidget* parent = nullptr);

    // Shows a question with its number caption; a stored answer comes back with its verdict.
    void showQuestion(const QuestionData& question, const QString& number,
                      const AnswerState& stored);
    // The verdict mark and the answer given; both empty clears them. A verdict shown stays
    // until cleared: the clock of an earlier move no longer clears it.
    void showVerdict(const QString& given, std::optional<bool> right);
    // After an answer that moved on: the verdict stays a moment ("Timer2"), then goes.
    void clearVerdictSoon();
    void showCounts(int right, int answered);
    // Practice: counts, answer on request, wrong mark, auto-skip. Exam: only the hand-in.
    // Review after an exam: the practice controls with every answer shown.
    enum class Look { Practice, Exam, Review };
    void setLook(Look look);
    Look look() const { return look_; }
    void toggleAnswer();
    bool answerShown() const { return answerShown_; }
    // "设置成功" for a moment ("Timer1").
    void flashWrongPrompt();

    bool autoSkip() const;
    void setAutoSkip(bool on);
    // 背题模式: questions come with their answer and explanation; nothing is judged.
    bool studyMode() const;
    void setStudyMode(bool on);
    // The right answer and explanation of the question on screen, with its history line
    // ("本题已答 5 次，答错 2 次", or empty); or nothing.
    void showExplanation(bool visible, const QString& historyLine = {});
    // Nothing of the last question may be explained once another fails to show.
    void forgetQuestion();
    // The button the learner would press for a key, when it is on screen.
    QAbstractButton* buttonFor(int key) const;
    // The question and its options as they are read aloud.
    QString readingText() const;
    // Question, option and explanation text at `scale` times their normal size.
    void setTextScale(double scale);
    void setNight(bool night);
    // A row of tools above the question.
    void addToolRow(QWidget* row);

  signals:
    void answered(const QString& answer);
    void next();
    void previous();
    void showAnswerClicked();
    void setWrongClicked();
    void handIn();
    void autoSkipClicked(bool on);
    void studyModeClicked(bool on);
    // The star beside the number: the question on screen becomes a favourite, or not.
    void favouriteClicked(bool on);
    void questionShown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void restyle();
    // Sizes the picture for the room there is and puts it beside the options or below them.
    void fitPicture();
    QString folder_;
    double scale_ = 1.0;
    bool night_ = false;
    Look look_ = Look::Practice;
    bool answerShown_ = false;
    Clock* promptClock_;
    Clock* verdictClock_;
    QLabel* LblNum;
    QToolButton* BtnFavourite;
    QLabel* LblQuestion;
    QLabel* LblA;
    QLabel* LblB;
    QLabel* LblC;
    QLabel* LblD;
    QLabel* LblAnswerA;
    QLabel* LblAnswerB;
    QLabel* LblAnswerC;
    QLabel* LblAnswerD;
    QLabel* ImgMarkPic;
    QWidget* PicABCD;
    QPushButton* BtnA;
    QPushButton* BtnB;
    QPushButton* BtnC;
    QPushButton* BtnD;
    QWidget* PicYesNo;
    QPushButton* BtnRight;
    QPushButton* BtnWrong;
    QLabel* Label13;
    QLabel* LblCorrectAn;
    QLabel* ImgYesNo;
    QLabel* LblAnLabel;
    QLabel* LblAn;
    QPushButton* BtnPreQuestion;
    QPushButton* BtnNextQuestion;
    QPushButton* BtnShowAnswer;
    QPushButton* BtnSetWrongQuestion;
    QPushButton* BtnJiaoJuan;
    QLabel* LblWrongPrompt;
    QLabel* LblRightReplyCount;
    QLabel* LblCorrect;
    QLabel* LblRightRate;
    QLabel* LblRate;
    QCheckBox* ChkAutoSkip;
    QCheckBox* ChkStudyMode;
    QWidget* PicExplain;
    QLabel* LblExplain;
    // What the explanation says about the question on screen.
    QString rightAnswer_;
    QString explain_;
    // The question's picture as drawn (1x) and twice as sharp (@2x, or null).
    QPixmap picture_;
    QPixmap sharpPicture_;
    QScrollArea* scroll_;
    QBoxLayout* content_;
    QBoxLayout* head_;
    QBoxLayout* optionsRow_;
    QGridLayout* options_;
};
