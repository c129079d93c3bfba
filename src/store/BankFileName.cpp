#include "BankFileName.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QUrl>
#include <atomic>

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

// A consistent snapshot of the open bank `source` in the file `to`, written by the connection
// Qt's driver holds: on Windows SQLite lives only inside that driver, so the copy asks it rather
// than a second SQLite library. The copy is one file on its own, whatever journal the original
// kept.
QString vacuumInto(QSqlDatabase& source, const QString& to) {
    QFile::remove(to);
    QSqlQuery into(source);
    if (!into.prepare(QStringLiteral("vacuum into ?"))) return into.lastError().text();
    into.addBindValue(QFileInfo(to).absoluteFilePath());
    if (!into.exec()) return into.lastError().text();
    into.finish();
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("bankcopy-out-%1").arg(counter++);
    QString error;
    {
        auto copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        copy.setDatabaseName(to);
        if (!copy.open()) {
            error = copy.lastError().text();
        } else {
            QSqlQuery mode(copy);
            if (!mode.exec(QStringLiteral("pragma journal_mode=delete")))
                error = mode.lastError().text();
        }
        copy.close();
    }
    QSqlDatabase::removeDatabase(name);
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
        else
            error = vacuumInto(source, to);
        source.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty()) QFile::remove(to);
    return error;
}
