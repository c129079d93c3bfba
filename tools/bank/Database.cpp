#include "Database.h"

#include "store/Schema.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <atomic>

namespace {

int busyWait = 30000;

// SQLITE_BUSY or SQLITE_LOCKED, in any of their extended forms.
bool isBusy(const QString& code) {
    const int primary = code.toInt() & 0xFF;
    return primary == 5 || primary == 6;
}

QString lockedMessage() {
    return QStringLiteral("the bank is locked: another program kept it busy for %1 s; close that "
                          "program or try again when it has finished")
        .arg(busyWait / 1000);
}

QString exec(QSqlDatabase& db, const QString& sql, QString* code = nullptr) {
    QSqlQuery q(db);
    if (q.exec(sql)) return {};
    if (code) *code = q.lastError().nativeErrorCode();
    const QString text = q.lastError().text();
    return text.isEmpty() ? QStringLiteral("unknown error") : text;
}

} // namespace

int busyWaitMs() {
    return busyWait;
}

void setBusyWaitMs(int ms) {
    busyWait = ms;
}

BankConnection::BankConnection(const QString& file, Mode mode) : mode_(mode) {
    static std::atomic<int> counter{0};
    name_ = QStringLiteral("bankexchange-%1").arg(counter++);
    // SQLite would create a missing file.
    if (!QFileInfo(file).isFile()) {
        error_ = QStringLiteral("the bank file does not exist");
        return;
    }
    auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(file);
    // Never read-only: a reader may have to roll back what a killed writer left half done. A
    // writer finds out at once that the bank is busy, so that it can say so before waiting.
    if (!db.open()) {
        error_ = db.lastError().text();
        return;
    }
    error_ = exec(db, QStringLiteral("pragma busy_timeout=%1").arg(mode == Reading ? busyWait : 0));
}

BankConnection::~BankConnection() {
    { QSqlDatabase::database(name_, false).close(); }
    QSqlDatabase::removeDatabase(name_);
}

QString BankConnection::begin(const Say& say) {
    if (!error_.isEmpty()) return error_;
    QSqlDatabase handle = db();
    if (QString error =
            mode_ == Reading ? beginRead(handle, &locked_) : beginWrite(handle, say, &locked_);
        !error.isEmpty())
        return error;
    // Another program's file with tables of the same names is left exactly as it is.
    if (const QString missing = MissingBankColumn(handle); !missing.isEmpty()) {
        rollback(handle);
        return QStringLiteral("not a question bank of this program (it has no %1)").arg(missing);
    }
    if (mode_ == Reading) return {};
    // A bank from an older build gains what newer features need, inside this transaction.
    return UpgradeSchema(handle);
}

QSqlDatabase BankConnection::db() const {
    return QSqlDatabase::database(name_, false);
}

QString beginWrite(QSqlDatabase& db, const Say& say, bool* locked) {
    QString code;
    const QString begin = QStringLiteral("begin immediate");
    QString error = exec(db, begin, &code);
    if (!error.isEmpty() && isBusy(code)) {
        if (say) say(QStringLiteral("waiting for the bank (another program is using it)..."));
        if (const QString e = exec(db, QStringLiteral("pragma busy_timeout=%1").arg(busyWait));
            !e.isEmpty())
            return e;
        code.clear();
        error = exec(db, begin, &code);
        if (!error.isEmpty() && isBusy(code)) {
            if (locked) *locked = true;
            return lockedMessage();
        }
    } else if (error.isEmpty()) {
        // Later steps (the commit above all) wait for readers rather than fail.
        error = exec(db, QStringLiteral("pragma busy_timeout=%1").arg(busyWait));
        if (!error.isEmpty()) rollback(db);
    }
    return error;
}

QString beginRead(QSqlDatabase& db, bool* locked) {
    if (QString error = exec(db, QStringLiteral("begin")); !error.isEmpty()) return error;
    // BEGIN takes no lock: this read does, so a bank held by a writer shows here and not as
    // a table that seems missing.
    QString code;
    const QString error = exec(db, QStringLiteral("select count(*) from sqlite_master"), &code);
    if (error.isEmpty()) return {};
    rollback(db);
    if (!isBusy(code)) return error;
    if (locked) *locked = true;
    return lockedMessage();
}

QString commit(QSqlDatabase& db) {
    return exec(db, QStringLiteral("commit"));
}

void rollback(QSqlDatabase& db) {
    exec(db, QStringLiteral("rollback"));
}

namespace {

// "ok" when the bank reads sound; read-only, so that closing writes nothing back.
QString quickCheck(const QString& file, bool withLog) {
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("bankcheck-%1").arg(counter++);
    QString result;
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
        url.setQuery(withLog ? QStringLiteral("mode=ro") : QStringLiteral("mode=ro&immutable=1"));
        db.setDatabaseName(url.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("pragma quick_check")) && q.next())
                result = q.value(0).toString();
            else
                result = q.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

} // namespace

void setAsideStaleLog(const QString& bankFile, const Say& say) {
    const QString log = bankFile + QStringLiteral("-wal");
    if (QFileInfo(log).size() == 0) return;
    if (quickCheck(bankFile, true) == QLatin1String("ok")) return;
    if (quickCheck(bankFile, false) != QLatin1String("ok")) return;
    const QString suffix = QStringLiteral(".stale-") +
                           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const QString& file : {log, bankFile + QStringLiteral("-shm")})
        if (QFileInfo::exists(file)) QFile::rename(file, file + suffix);
    if (say)
        say(QStringLiteral("%1 belonged to another copy of the bank and would damage it; set aside "
                           "as %2")
                .arg(QFileInfo(log).fileName(), QFileInfo(log).fileName() + suffix));
}

QStringList tableColumns(const QSqlDatabase& db, const QString& table) {
    QStringList columns;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("select name from pragma_table_info(?)"));
    q.addBindValue(table);
    if (q.exec())
        while (q.next())
            columns.append(q.value(0).toString());
    return columns;
}

QString quoted(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}
