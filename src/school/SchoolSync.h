#pragma once

#include "Layer.h"

#include "JoinDetails.h"

#include <QObject>
#include <QString>
#include <QThread>

class Bank;
class SyncWorker;

// Where sharing with the school stands, as the status line says it.
enum class SyncState { NotJoined, Synced, Waiting, Refused };
QString SyncStateText(SyncState state);

// How often and how much; tests make it quick.
struct SyncTuning {
    int pollMs = 10000;      // how often the bank is looked at for new rows
    int batchRows = 1000;    // rows sent in one statement (and one transaction)
    int firstRetryMs = 1000; // offline: the first wait, doubled at each failure
    int lastRetryMs = 60000; // up to this
};

// The learner's side of a driving school: sends the answers and exam records the bank gained
// since the last one the server took, in batches, keyed by the bank's own row ids (a row sent
// twice changes nothing there), and the readiness figures of 学习进度 after each batch. All of
// it runs on a thread of its own with its own connections to the bank and the server, so
// practice never waits for the network. The last ids sent are kept in the bank only after the
// server committed them. Offline it waits and tries again, longer each time; a server that
// refuses (wrong password, a learner removed) is said once.
class SchoolSync : public QObject {
    Q_OBJECT
  public:
    SchoolSync(const QString& bankFile, const School::JoinDetails& join,
               const SyncTuning& tuning = {}, QObject* parent = nullptr);
    ~SchoolSync() override;

    SyncState state() const { return state_; }
    // Looks at the bank now instead of at the next poll.
    void sendNow();
    // Stops sending; with `erase`, deletes this learner's rows on the server first. `left`
    // says how it went.
    void leave(bool erase);

    // Tries to log in and read the learner's own row: empty when it works, else plain words.
    // Blocks for up to a few seconds: not for the window's thread.
    static QString tryLogin(const School::JoinDetails& join);
    // Plain words when this computer cannot talk to a school's server at all (Qt's PostgreSQL
    // driver is not installed, or not in this build); empty when it can.
    static QString missingDriver();
    // Joining anew: every row is sent again (the server keeps each only once).
    static void forgetSent(Bank& bank);

  signals:
    void stateChanged(SyncState state);
    // Once per refusal, in plain words.
    void refused(const QString& words);
    void left(bool ok, const QString& words);

  private:
    QThread thread_;
    SyncWorker* worker_;
    SyncState state_ = SyncState::Waiting;
};

// The work itself; lives on SchoolSync's thread.
class SyncWorker : public QObject {
    Q_OBJECT
  public:
    SyncWorker(const QString& bankFile, const School::JoinDetails& join, const SyncTuning& tuning);
    ~SyncWorker() override;

    void start();
    void round();
    void leave(bool erase);

  signals:
    void stateChanged(SyncState state);
    void refused(const QString& words);
    void left(bool ok, const QString& words);

  private:
    enum class Outcome { Sent, Offline, Refused };
    Outcome send();
    void sendSummary();
    void retryLater();
    void setState(SyncState state);
    void dropServer();

    QString bankFile_;
    School::JoinDetails join_;
    SyncTuning tuning_;
    QString server_; // the connection's name, when open
    class QTimer* timer_ = nullptr;
    class Bank* bank_ = nullptr;
    int retryMs_ = 0;
    bool toldRefusal_ = false;
    bool summarySent_ = false;
    bool stopped_ = false;
    SyncState state_ = SyncState::Waiting;
};
