#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

// Tells the person at the terminal what is going on while a command runs.
using Say = std::function<void(const QString& line)>;

// A connection of its own to one existing bank file, removed when it goes. Opening never
// creates a file. A reading connection waits for a writer to finish; a writing one leaves
// the waiting to `beginWrite`.
class BankConnection {
  public:
    enum Mode { Reading, Writing };
    BankConnection(const QString& file, Mode mode);
    ~BankConnection();
    BankConnection(const BankConnection&) = delete;
    BankConnection& operator=(const BankConnection&) = delete;

    QSqlDatabase db() const;
    // Empty when the bank is open.
    QString error() const { return error_; }
    // Starts the transaction of this connection's mode (a writer waits as beginWrite does,
    // a reader as long) and makes sure the file is a bank of this program before anything is
    // written; the error of the opening or of the start, or empty.
    QString begin(const Say& say = {});
    // The start failed because another program held the bank all the while.
    bool locked() const { return locked_; }

  private:
    Mode mode_;
    QString name_;
    QString error_;
    bool locked_ = false;
};

// How long a command waits for another program to let go of the bank (30 s).
int busyWaitMs();
void setBusyWaitMs(int ms);

// BEGIN IMMEDIATE, so that the write lock is ours before anything is read. When another
// program holds the bank, says so once and waits for it. Returns an error text or empty;
// `locked` tells that the wait ran out.
QString beginWrite(QSqlDatabase& db, const Say& say, bool* locked = nullptr);
// A read transaction, so that everything read belongs to one moment; its first read waits for
// a writer as long as a write does.
QString beginRead(QSqlDatabase& db, bool* locked = nullptr);
QString commit(QSqlDatabase& db);
void rollback(QSqlDatabase& db);

// Rolls the open transaction back on every way out, unless `done` says it was committed.
struct RollbackGuard {
    QSqlDatabase& db;
    bool done = false;
    ~RollbackGuard() {
        if (!done) rollback(db);
    }
};

// A write-ahead log beside `bankFile` that belongs to another copy of the bank (the program
// was ended by a signal, then an older copy of the bank was put in its place) would be replayed
// into it and damage it. When the bank reads damaged with the log but sound without it, the log
// and its index are renamed aside ("question.dll-wal.stale-…") and `say` tells so.
void setAsideStaleLog(const QString& bankFile, const Say& say);

// The table's columns in their order; empty when there is no such table.
QStringList tableColumns(const QSqlDatabase& db, const QString& table);
// A column or table name for SQL text.
QString quoted(const QString& name);
