#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class QTreeWidget;
class frmMain;

// "章节练习": the chapters of the class with their sizes; starts practice of one chapter.
class frmPart : public QDialog {
    Q_OBJECT
  public:
    explicit frmPart(frmMain& main);

    void BtnSequence_Click();
    void BtnRandom_Click();
    void LvPart_DblClick();

    QGroupBox* Frame1;
    QTreeWidget* LvPart;
    QPushButton* BtnSequence;
    QPushButton* BtnRandom;

  private:
    void Form_Load();
    void start(bool shuffled);

    frmMain& main_;
    QString QuestionSumSql;
    QString QuestionIdSql;
};
