#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>

// The one connection to the question bank (the program's `Conn`). Every statement of the
// catalogue runs through here; a failure becomes a DatabaseError.
class Bank {
  public:
    Bank();
    ~Bank();
    Bank(const Bank&) = delete;
    Bank& operator=(const Bank&) = delete;

    // Opens the SQLite file; a missing file or one that is not a database fails here, so the
    // program never creates an empty bank by accident.
    void open(const QString& file);
    void close();
    // How long a statement waits for another program to let go of the bank.
    void setBusyWait(int ms);
    bool isOpen() const;

    // Runs a statement that returns no rows.
    void execute(const QString& sql);
    // Runs a statement and returns `column` of its first row; no row is "no current record".
    QVariant firstValue(const QString& sql, const QString& column);
    // Runs a statement and hands each row to `row`, forward only.
    void forEachRow(const QString& sql, const std::function<void(const QSqlQuery&)>& row);
    // Runs a statement and returns its first row (for "select *").
    QSqlRecord firstRecord(const QString& sql);

    QString connectionName() const { return name_; }

  private:
    QSqlQuery run(const QString& sql);

    QString name_;
};

// The engine-specific form of a statement text: "top N" becomes "limit N".
QString toEngineDialect(const QString& jet);
