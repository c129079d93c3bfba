#pragma once

#include "../ui/Layer.h"

#include <QObject>

struct AppContext;
class Clock;
class QWidget;

// The main window's dealings with the bank as a file: opening it (a damaged copy of the
// learner's own may be set aside), work set aside by an earlier run, a portable copy that
// changed banks, and answers and scores the bank could not take yet — retried every few
// seconds, and waited for or set aside when the program ends.
class BankKeeper : public QObject {
    Q_OBJECT
  public:
    BankKeeper(AppContext& context, QWidget* window);

    // Opens the bank; throws DatabaseError as Bank::open does when the learner says no.
    void open();
    // A bank opened read-only says so, and whose it is when another user's.
    void tellIfReadOnly();
    // After start-up: folds in what an earlier run set aside and tells of a bank switch.
    // True when practice was brought over from the other bank.
    bool afterStart();
    // An answer had to wait: retried, and the learner told once until it is written.
    void answerWaits();
    // A handed-in exam's score is stored; one the bank cannot take waits and the learner is
    // told, before the score window shows it. `hall`: sat in the exam-hall mode.
    void saveExamRecord(int score, bool hall = false);
    // True when the program may end now: nothing waits, or it was set aside. Otherwise the
    // learner chose to wait (or nothing could be set aside) and `saved` follows once written.
    bool mayEnd(bool endingBySignal);

  signals:
    // Everything that waited is written, and the learner had chosen to leave once it was.
    void savedForLeaving();

  private:
    void retry();
    void foldIn();
    bool tellSwitch();

    AppContext& s;
    QWidget* window_;
    Clock* retry_;
    // The learner has been told that answers wait for the bank, until it takes them.
    bool toldWaiting_ = false;
    // The learner chose to wait for the bank before leaving.
    bool leaveWhenSaved_ = false;
};
