#pragma once

#include "../ui/Layer.h"

#include "../domain/Readiness.h"
#include "../services/Practice.h"

#include <QDialog>
#include <optional>

class QLabel;
class ScoreChart;
class QPushButton;
class QTreeWidget;
struct Progress;
struct AppContext;

// "学习进度": where the learner stands in the current class — each chapter weakest first, the
// chance of passing a mock exam now and how it is reckoned, the exam scores over time and the
// questions most often answered wrong. A chapter or the often-wrong questions can be drilled
// from here; the page hands back the set and the main window practises it.
class frmProgress : public QDialog {
    Q_OBJECT
  public:
    frmProgress(AppContext& session, QWidget* parent);
    // Shows the page; the set the learner chose to practise, if any.
    static std::optional<PracticeRequest> ask(AppContext& session, QWidget* parent,
                                              bool* examChosen = nullptr);

    // The chapter table as this page shows it, weakest first; the instructor's view of a
    // learner shows the same.
    static QTreeWidget* chapterTable();
    static void fillChapters(QTreeWidget* list, QList<ChapterOutlook> chapters, bool anyHistory);

    // False when reading the bank met the database error.
    bool loaded() const { return loaded_; }
    const std::optional<PracticeRequest>& choice() const { return choice_; }
    // The next step the page offered was a mock exam, and the learner took it.
    bool examChosen() const { return examChosen_; }

  private:
    void showReadiness(const Progress& progress);
    void showChapters(const Progress& progress);
    void showScores(const Progress& progress);
    void showOftenWrong(const Progress& progress);
    void choose(PracticeRequest request);

    AppContext& s;
    bool loaded_ = false;
    bool night_ = false; // the 夜间 skin
    std::optional<PracticeRequest> choice_;
    bool examChosen_ = false;
    NextStep next_;
    QLabel* LblReadiness;
    QLabel* LblMethod;
    QLabel* LblNextStep;
    QPushButton* BtnNextStep;
    QTreeWidget* LstChapters;
    ScoreChart* ChartScores;
    QLabel* LblNoScores;
    QTreeWidget* LstOftenWrong;
    QPushButton* BtnOftenWrong;
    QPushButton* BtnClose;
};
