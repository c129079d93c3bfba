#pragma once

#include "../ui/Layer.h"

#include <QDialog>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
struct AppContext;

// "得分情况": shows the finished exam's score (its caller has stored it), lists the ten best,
// and lets the learner go on to the review, a retake of the same paper or a new paper.
class frmScore : public QDialog {
    Q_OBJECT
  public:
    frmScore(AppContext& session, QWidget* parent, int score);

    // False when reading the bank met the database error.
    bool loaded() const { return loaded_; }
    enum class Choice { Review, Retake, NewPaper };
    Choice choice() const { return choice_; }
    // The exam time a retake runs with.
    int retakeMinutes() const { return retakeMinutes_; }

  private:
    void Form_Load(int score);
    void LoadScoreRecords();
    void BtnAgainOwn_Click();
    void BtnDel_Click();
    void mnuSytemRight_FullDel_Click();
    void choose(Choice choice);

    AppContext& s;
    Choice choice_ = Choice::Review;
    bool loaded_ = false;
    qint64 selectedId_ = 0;  // the record the learner last clicked
    QList<qint64> shownIds_; // the record of each row
    int retakeMinutes_ = 0;
    QLabel* LblInfo;
    QLabel* LblPrompt;
    QTreeWidget* ListView1;
    QPushButton* BtnReplyCase;
    QPushButton* BtnAgainOwn;
    QPushButton* BtnRandomQueston;
    QPushButton* BtnDel;
    QMenu* mnuSytemRight;
    QAction* mnuSytemRight_FullDel;
};
