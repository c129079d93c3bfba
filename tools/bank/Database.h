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
    // Starts the transaction of this connection's mode (a writer waits as beginWrite does);
    // the error of the opening or of the start, or empty.
    QString begin(const Say& say = {});

  private:
    Mode mode_;
    QString name_;
    QString error_;
};

// How long a command waits for another program to let go of the bank.
constexpr int BusyWaitMs = 30000;

// BEGIN IMMEDIATE, so that the write lock is ours before anything is read. When another
// program holds the bank, says so once and waits for it. Returns an error text or empty.
QString beginWrite(QSqlDatabase& db, const Say& say);
// A read transaction, so that everything read belongs to one moment.
QString beginRead(QSqlDatabase& db);
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

// The table's columns in their order; empty when there is no such table.
QStringList tableColumns(const QSqlDatabase& db, const QString& table);
// A column or table name for SQL text.
QString quoted(const QString& name);
