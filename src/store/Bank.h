#pragma once

#include "Layer.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <unordered_map>

// A statement with the values bound to its "?" placeholders, in order.
struct Statement {
    Statement(const QString& text, const QVariantList& values = {}) : text(text), values(values) {}
    Statement(const char* text) : text(QString::fromUtf8(text)) {}
    QString text;
    QVariantList values;
};

// The one connection to the question bank (the program's `Conn`). Every statement of the
// catalogue runs through here; a failure becomes a DatabaseError.
class Bank {
  public:
    Bank();
    ~Bank();
    Bank(const Bank&) = delete;
    Bank& operator=(const Bank&) = delete;

    // Opens the SQLite file; a missing file or one that is not a database fails here, so the
    // program never creates an empty bank by accident. `readOnly`: never write to it.
    void open(const QString& file, bool readOnly = false);
    void close();
    // How long a statement waits for another program to let go of the bank.
    void setBusyWait(int ms);
    // True when the file cannot be written: practice goes on, nothing is saved.
    bool readOnly() const { return readOnly_; }
    // What the learner is told once about a read-only bank: why, and that nothing is saved.
    QString readOnlyNotice() const;
    // False for a read-only bank from before the answer history.
    bool hasHistory() const { return hasHistory_; }
    // False for a read-only bank from before the review schedule and favourites.
    bool hasReviewTables() const { return hasReviewTables_; }
    // Runs `work` as one transaction: all its writes land, or none.
    void transaction(const std::function<void()>& work);
    bool isOpen() const;

    // Runs a statement that returns no rows.
    void execute(const Statement& statement);
    // Runs a statement and returns `column` of its first row; no row is "no current record".
    QVariant firstValue(const Statement& statement, const QString& column);
    // Runs a statement and hands each row to `row`, forward only.
    void forEachRow(const Statement& statement, const std::function<void(const QSqlQuery&)>& row);
    // Runs a statement and returns its first row (for "select *").
    QSqlRecord firstRecord(const Statement& statement);

    QString connectionName() const { return name_; }

  private:
    // Runs the statement and hands the executed query to `use`; resets it afterwards.
    void run(const Statement& statement, const std::function<void(QSqlQuery&)>& use);

    QString name_;
    // Compiled statements by text, kept for the life of the connection.
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> prepared_;
    bool readOnly_ = false;
    enum class Why { File, Asked, DiskFull } why_ = Why::File;
    bool logUnread_ = false;
    bool hasHistory_ = false;
    bool hasReviewTables_ = false;
};

// How long the window waits for another program to let go of the bank before it tells the
// learner and keeps the work waiting.
inline constexpr int WindowBusyWaitMs = 400;

// The engine-specific form of a statement text: "top N" becomes "limit N".
QString toEngineDialect(const QString& jet);
