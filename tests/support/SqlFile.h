#pragma once

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

// Files and banks as a test sees them from outside the program.
inline QByteArray fileHash(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
}

inline QByteArray readFile(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeFile(const QString& file, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A connection of the test's own, straight SQL, gone with the object.
class Db {
  public:
    explicit Db(const QString& file) {
        static int counter = 0;
        name_ = QStringLiteral("test-db-%1").arg(counter++);
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(file);
        db.open();
    }
    ~Db() {
        { QSqlDatabase::database(name_, false).close(); }
        QSqlDatabase::removeDatabase(name_);
    }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    bool exec(const QString& sql) {
        QSqlQuery q(db());
        return q.exec(sql);
    }
    void run(const QString& sql) {
        if (!exec(sql)) qWarning("failed: %s", qPrintable(sql));
    }
    QVariant value(const QString& sql) {
        QSqlQuery q(db());
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    // Every row with each value's storage class, so that NULL, '' and 1 vs '1' all show.
    QStringList rows(const QString& sql) {
        QStringList out;
        QSqlQuery q(db());
        if (!q.exec(sql)) return {QStringLiteral("failed: ") + sql};
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i) {
                const QVariant v = q.value(i);
                cells.append(v.isNull() ? QStringLiteral("<null>")
                                        : QString::fromLatin1(v.typeName()) + ':' + v.toString());
            }
            out.append(cells.join('|'));
        }
        return out;
    }

  private:
    QString name_;
};
