#pragma once

#include "../ui/Layer.h"

#include "../school/SchoolSync.h"
#include "frmSchool.h"

#include <QObject>
#include <memory>

class CommandColumn;
class QLabel;
class QPushButton;
class QWidget;
struct AppContext;

// The main window's link to a driving school: the 驾校 entry with the sharing status below
// 学习进度, joining and leaving, and the sender while the learner is in a school. Nothing of
// it runs when no school was joined.
class SchoolLink : public QObject {
    Q_OBJECT
  public:
    SchoolLink(AppContext& session, CommandColumn* commands, QWidget* window);
    ~SchoolLink() override;
    // Once the bank is open: shares with the school the learner joined, asking for the
    // password first when they chose to type it at each start.
    void start();
    // As the status line says it.
    QString status() const;

  private:
    void open();
    void join(const frmSchool::Choice& choice);
    void leave(bool erase);
    // Leaves the school in the bank and the password file.
    void forget();
    void share(const School::JoinDetails& join);
    void showStatus();
    // The password as the learner chose to keep it; empty when there is none.
    QString password(const SchoolLinkSettings& settings);
    QString passwordFolder() const;

    AppContext& s;
    QWidget* window_;
    QPushButton* BtnSchool;
    QLabel* LblSchoolStatus;
    std::unique_ptr<SchoolSync> sync_;
    bool noPassword_ = false;
};
