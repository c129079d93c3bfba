#pragma once

#include "../ui/Layer.h"

#include "../school/SchoolRoster.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
struct AppContext;

// `kemu1 --instructor`: the driving school's learners as the instructor's role may read them —
// class, the chance of passing with its range, how much is practised, the last five mock
// exams against the pass line, the weakest chapters and topics, when they last practised.
// Sorted by any column, filtered to 可以考试 or to learners idle for a week; a learner opens
// with their score trend and chapter table; the list exports as CSV.
class frmInstructor : public QWidget {
    Q_OBJECT
  public:
    explicit frmInstructor(AppContext& session, QWidget* parent = nullptr);
    ~frmInstructor() override;

    // Connects with an instructor's join code and lists the learners; empty when it worked.
    QString connectWith(const QString& code);
    // The list as shown, as CSV text (header first).
    QString csv() const;

  private:
    void refresh();
    void applyFilters();
    void showLearner(QTreeWidgetItem* item);
    void exportCsv();

    AppContext& s;
    int passScore_ = 90;
    std::unique_ptr<SchoolRoster> roster_;
    QList<RosterRow> rows_;
    QLineEdit* TxtJoinCode;
    QPushButton* BtnConnect;
    QLabel* LblSchool;
    QCheckBox* ChkReadyOnly;
    QCheckBox* ChkInactive;
    QPushButton* BtnRefresh;
    QPushButton* BtnExport;
    QTreeWidget* LstLearners;
};
