#include "Database.h"

#include "store/Schema.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

constexpr const char* SqliteBusy = "5";

QString exec(QSqlDatabase& db, const QString& sql, QString* code = nullptr) {
    QSqlQuery q(db);
    if (q.exec(sql)) return {};
    if (code) *code = q.lastError().nativeErrorCode();
    const QString text = q.lastError().text();
    return text.isEmpty() ? QStringLiteral("unknown error") : text;
}

} // namespace

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
    error_ =
        exec(db, QStringLiteral("pragma busy_timeout=%1").arg(mode == Reading ? BusyWaitMs : 0));
}

BankConnection::~BankConnection() {
    { QSqlDatabase::database(name_, false).close(); }
    QSqlDatabase::removeDatabase(name_);
}

QString BankConnection::begin(const Say& say) {
    if (!error_.isEmpty()) return error_;
    QSqlDatabase handle = db();
    if (mode_ == Reading) return beginRead(handle);
    if (QString error = beginWrite(handle, say); !error.isEmpty()) return error;
    // A bank from an older build gains what newer features need, inside this transaction.
    return UpgradeSchema(handle);
}

QSqlDatabase BankConnection::db() const {
    return QSqlDatabase::database(name_, false);
}

QString beginWrite(QSqlDatabase& db, const Say& say) {
    QString code;
    const QString begin = QStringLiteral("begin immediate");
    QString error = exec(db, begin, &code);
    if (!error.isEmpty() && code == QLatin1String(SqliteBusy)) {
        if (say) say(QStringLiteral("waiting for the bank (another program is using it)..."));
        if (const QString e = exec(db, QStringLiteral("pragma busy_timeout=%1").arg(BusyWaitMs));
            !e.isEmpty())
            return e;
        code.clear();
        error = exec(db, begin, &code);
        if (!error.isEmpty() && code == QLatin1String(SqliteBusy))
            return QStringLiteral("another program kept the bank busy for %1 s; try again when it "
                                  "has finished")
                .arg(BusyWaitMs / 1000);
    } else if (error.isEmpty()) {
        // Later steps (the commit above all) wait for readers rather than fail.
        error = exec(db, QStringLiteral("pragma busy_timeout=%1").arg(BusyWaitMs));
        if (!error.isEmpty()) rollback(db);
    }
    return error;
}

QString beginRead(QSqlDatabase& db) {
    return exec(db, QStringLiteral("begin"));
}

QString commit(QSqlDatabase& db) {
    return exec(db, QStringLiteral("commit"));
}

void rollback(QSqlDatabase& db) {
    exec(db, QStringLiteral("rollback"));
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
