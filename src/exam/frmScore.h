#pragma once

#include <QDialog>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;
class frmMain;

// "得分情况": stores the finished exam's score, lists the ten best, and leads on to the
// review, a retake of the same paper or a new paper.
class frmScore : public QDialog {
    Q_OBJECT
  public:
    explicit frmScore(frmMain& main);

    // False when storing the score met the database error.
    bool loaded() const { return loaded_; }

    void BtnReplyCase_Click();
    void BtnAgainOwn_Click();
    void BtnRandomQueston_Click();
    void BtnDel_Click();
    void mnuSytemRight_FullDel_Click();
    void ListView1_Click();

    QLabel* LblInfo;
    QLabel* LblPrompt;
    QTreeWidget* ListView1;
    QPushButton* BtnReplyCase;
    QPushButton* BtnAgainOwn;
    QPushButton* BtnRandomQueston;
    QPushButton* BtnDel;
    QMenu* mnuSytemRight;
    QAction* mnuSytemRight_FullDel;
    QLineEdit* txtId;

    int PassScore = 0;
    bool IsRetake = false;

    void done(int result) override;

  private:
    void Form_Load();
    void Form_Unload();
    void LoadScoreRecords();

    frmMain& main_;
    bool loaded_ = false;
    bool unloaded_ = false;
};
