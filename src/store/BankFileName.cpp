#include "BankFileName.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QUrl>
#include <atomic>
#include <sqlite3.h>

namespace {

// Room for the log's index and a log that grows until its next checkpoint.
constexpr qint64 MinFreeBytes = 4LL << 20;

bool hasLog(const QString& file) {
    return QFileInfo(file + QStringLiteral("-wal")).size() > 0;
}

void setUri(QSqlDatabase& db, const QString& file, const QString& query, const QString& options) {
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    url.setQuery(query);
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY") +
                         (options.isEmpty() ? QString() : QLatin1Char(';') + options));
}

// SQLite opens lazily: this reads the schema, and with it the log.
QSqlError probe(QSqlDatabase& db) {
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("select count(*) from sqlite_master"))) return {};
    return q.lastError();
}

sqlite3* handleOf(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace

bool diskFull(const QString& folder) {
    const QStorageInfo storage(folder);
    return storage.isValid() && storage.bytesAvailable() >= 0 &&
           storage.bytesAvailable() < MinFreeBytes;
}

BankOpening openBankFile(QSqlDatabase& db, const QString& file, const QString& options,
                         bool readOnly) {
    BankOpening opening;
    const bool folderWritable = QFileInfo(QFileInfo(file).absolutePath()).isWritable();
    if (folderWritable && !readOnly) {
        db.setDatabaseName(file);
        db.setConnectOptions(options);
        if (!db.open()) opening.error = db.lastError();
        return opening;
    }
    // Without a log there is nothing beside the file to read: SQLite need not (and in a folder
    // it cannot write, could not) make the log's index.
    if (hasLog(file) || (folderWritable && !diskFull(QFileInfo(file).absolutePath()))) {
        setUri(db, file, QStringLiteral("mode=ro"), options);
        if (db.open() && !(opening.error = probe(db)).isValid()) return opening;
        db.close();
        opening.logUnread = hasLog(file);
    }
    setUri(db, file, QStringLiteral("mode=ro&immutable=1"), options);
    opening.error = db.open() ? probe(db) : db.lastError();
    return opening;
}

namespace {

// The SQLite backup of the open bank `in` into the file `to`.
QString backUp(sqlite3* in, const QString& to) {
    QFile::remove(to);
    sqlite3* out = nullptr;
    QString error;
    const int opened = sqlite3_open_v2(QFile::encodeName(to).constData(), &out,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (opened != SQLITE_OK) {
        error = QString::fromUtf8(out ? sqlite3_errmsg(out) : sqlite3_errstr(opened));
    } else if (sqlite3_backup* backup = sqlite3_backup_init(out, "main", in, "main"); !backup) {
        error = QString::fromUtf8(sqlite3_errmsg(out));
    } else {
        const int step = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (step != SQLITE_DONE) error = QString::fromUtf8(sqlite3_errstr(step));
        // The copy is one file on its own, whatever journal the original kept.
        else if (sqlite3_exec(out, "pragma journal_mode=delete", nullptr, nullptr, nullptr) !=
                 SQLITE_OK)
            error = QString::fromUtf8(sqlite3_errmsg(out));
    }
    sqlite3_close(out);
    return error;
}

} // namespace

QString copyBankFile(const QString& from, const QString& to) {
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("bankcopy-%1").arg(counter++);
    QString error;
    {
        auto source = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        const BankOpening opening = openBankFile(source, from, {}, true);
        if (opening.error.isValid())
            error = opening.error.text();
        else if (sqlite3* in = handleOf(source))
            error = backUp(in, to);
        else
            error = QStringLiteral("no SQLite handle");
        source.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty()) QFile::remove(to);
    return error;
}
