#pragma once

#include <QDialog>
#include <QStringList>
#include <random>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class frmMain;

// "考试说明": the exam briefing, and the start of an exam (paper, card, countdown).
class frmExam : public QDialog {
    Q_OBJECT
  public:
    explicit frmExam(frmMain& main);

    void BtnStart_Click();
    // Draws a paper into QuestionIds; false (nothing changed) when a chapter has no question.
    bool ComposeExamPaper();

    QGroupBox* Frame1;
    QLabel* LblCount;
    QLabel* LblTime;
    QLabel* LblContent;
    QLabel* LblOrganizeWay;
    QLabel* LblPassStandard;
    QPushButton* BtnStart;

  private:
    void Form_Load();
    void DrawChapterQuestions(const QString& chapter, int quota);
    void LoadChapterQuestionIds(const QString& chapter);
    int GetClassQuestionCount();

    frmMain& main_;
    std::vector<QString> ChapterIds;
    QStringList ChapterPicks;
    QStringList PaperIdList;
    QString ChapterIdSql;
    int ClassQuestionCount = 0;
    std::mt19937 random_;
};
