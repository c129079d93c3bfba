#include "Bank.h"

#include "BankFileName.h"
#include "DatabaseError.h"
#include "Schema.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <atomic>
#include <memory>

namespace {

// What an SQLite failure means for the learner, in plain words.
QString plainWords(int code) {
    switch (code & 0xFF) {
    case 5:
    case 6:
        return QStringLiteral("题库正被另一个程序占用，请稍后再试。");
    case 8:
        return QStringLiteral("题库文件是只读的，无法保存练习记录。请检查程序文件夹的写入权限。");
    case 10:
        return QStringLiteral("读写题库文件时出错，请检查磁盘。");
    case 11:
        return QStringLiteral("题库文件已损坏，请重新安装题库或从备份恢复。");
    case 13:
        return QStringLiteral("磁盘已满，无法保存练习记录。");
    case 14:
        return QStringLiteral("无法打开题库文件，请检查文件是否存在以及访问权限。");
    case 26:
        return QStringLiteral("题库文件已损坏或不是本软件的题库。");
    default:
        return QStringLiteral("题库出错。");
    }
}

DatabaseError fromSqlError(const QSqlError& e) {
    bool ok = false;
    int number = e.nativeErrorCode().toInt(&ok);
    if (!ok) number = static_cast<int>(e.type());
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return DatabaseError(
        number, plainWords(number) + QStringLiteral("（") + text + QStringLiteral("）"), ok);
}

} // namespace

QString toEngineDialect(const QString& jet) {
    // Nearly every statement has no TOP: leave those without compiling a pattern at all.
    if (!jet.contains(QLatin1String("top"), Qt::CaseInsensitive)) return jet;
    static const QRegularExpression top(QStringLiteral("^(\\s*select\\s+)top\\s+(\\d+)\\s+(.*)$"),
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::DotMatchesEverythingOption);
    const auto m = top.match(jet);
    if (!m.hasMatch()) return jet;
    return m.captured(1) + m.captured(3) + QStringLiteral(" limit ") + m.captured(2);
}

Bank::Bank() {
    static std::atomic<int> counter{0};
    name_ = QStringLiteral("bank-%1").arg(counter++);
}

Bank::~Bank() {
    close();
}

void Bank::open(const QString& file, bool readOnly) {
    close();
    if (!QFileInfo(file).isFile())
        throw DatabaseError(DatabaseError::FileNotFound,
                            QStringLiteral("找不到题库文件“%1”。").arg(file));
    // A bank the program cannot write still opens for practice; nothing is saved. A full disk
    // could take neither the log's index nor any practice: the bank is left as it is.
    const QFileInfo info(file);
    const bool full = !readOnly && diskFull(info.absolutePath());
    why_ = readOnly ? Why::Asked : full ? Why::DiskFull : Why::File;
    readOnly_ =
        readOnly || full || !info.isWritable() || !QFileInfo(info.absolutePath()).isWritable();
    BankOpening opening;
    {
        // No handle may outlive this block: close() removes the connection.
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        // Another copy of the program may hold the bank for a moment: wait instead of failing.
        opening = openBankFile(db, file, QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"), readOnly_);
    }
    logUnread_ = opening.logUnread;
    if (opening.error.isValid()) {
        close();
        throw fromSqlError(opening.error);
    }
    // SQLite opens lazily: read the schema now, so a damaged or foreign file fails here.
    try {
        const auto tables =
            firstValue(QStringLiteral("select count(*) as n from sqlite_master where "
                                      "type='table' and name in ('Paper','Param','Record')"),
                       QStringLiteral("n"));
        if (tables.toInt() != 3)
            throw DatabaseError(
                3078,
                QStringLiteral("题库文件不完整或不是本软件的题库（缺少数据表）：%1").arg(file));
        // Tables of the same names from another program: nothing may be written to it.
        if (const QString missing = MissingBankColumn(QSqlDatabase::database(name_, false));
            !missing.isEmpty())
            throw DatabaseError(
                3078, QStringLiteral("“%1”不是本软件的题库（缺少 %2）。").arg(file, missing));
        // A damaged bank may still open and then fail question by question, quietly.
        const QString check =
            firstValue(QStringLiteral("pragma quick_check"), QStringLiteral("quick_check"))
                .toString();
        if (check != QLatin1String("ok"))
            throw DatabaseError(
                11, QStringLiteral("题库文件已损坏（%1）。请重新安装本软件，再用 bank restore "
                                   "命令从备份恢复您的错题和成绩。")
                        .arg(check.left(200)));
        if (!readOnly_) {
            // A write-ahead log commits an answer durably at a quarter of a rollback journal's
            // cost (one sync of the log instead of journal, bank and folder).
            // Another program holding the bank may keep it from switching: it works either way.
            try {
                firstValue(QStringLiteral("pragma journal_mode=wal"),
                           QStringLiteral("journal_mode"));
            } catch (const DatabaseError&) {
            }
            execute(QStringLiteral("pragma synchronous=full"));
            transaction([this] {
                auto db = QSqlDatabase::database(name_, false);
                if (const QString error = UpgradeSchema(db); !error.isEmpty())
                    throw DatabaseError(3078, QStringLiteral("无法更新题库的结构：") + error);
            });
        }
        hasHistory_ = firstValue(QStringLiteral("select count(*) as n from sqlite_master where "
                                                "type='table' and name='History'"),
                                 QStringLiteral("n"))
                          .toInt() == 1;
        hasReviewTables_ =
            firstValue(QStringLiteral("select count(*) as n from sqlite_master where "
                                      "type='table' and name in ('ReviewSchedule','Favourite')"),
                       QStringLiteral("n"))
                .toInt() == 2;
    } catch (...) {
        close();
        throw;
    }
}

QString Bank::readOnlyNotice() const {
    QString notice;
    switch (why_) {
    case Why::Asked:
        notice = QStringLiteral("无法创建保存练习记录的文件夹，");
        break;
    case Why::DiskFull:
        notice = QStringLiteral("磁盘已满，");
        break;
    case Why::File:
        notice = QStringLiteral("题库文件是只读的，");
        break;
    }
    notice += QStringLiteral("可以照常练习，但本次的练习进度、错题和考试成绩都不会被保存。");
    if (logUnread_)
        notice += QStringLiteral("题库旁边有上次没有写回题库的练习记录，只读时无法读取，最近的练习"
                                 "可能没有显示。");
    return notice;
}

void Bank::transaction(const std::function<void()>& work) {
    if (readOnly_) {
        work();
        return;
    }
    execute(QStringLiteral("begin immediate"));
    try {
        work();
    } catch (...) {
        try {
            execute(QStringLiteral("rollback"));
        } catch (const DatabaseError&) {
            // The transaction is gone already; the first error is the one to tell.
        }
        throw;
    }
    execute(QStringLiteral("commit"));
}

void Bank::setBusyWait(int ms) {
    execute(QStringLiteral("pragma busy_timeout=%1").arg(ms));
}

void Bank::close() {
    prepared_.clear();
    if (!QSqlDatabase::contains(name_)) return;
    {
        auto db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

bool Bank::isOpen() const {
    return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

void Bank::run(const Statement& statement, const std::function<void(QSqlQuery&)>& use) {
    if (!isOpen()) throw DatabaseError(3704, QStringLiteral("题库没有打开，无法执行操作。"));
    // On a read-only bank the learner was told once that nothing is saved.
    static const QRegularExpression write(QStringLiteral("^\\s*(insert|update|delete|replace)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (readOnly_ && write.match(statement.text).hasMatch()) return;
    // Each statement is compiled once and kept; one still being read (a nested use of the same
    // statement) is compiled afresh.
    const QString text = toEngineDialect(statement.text);
    std::unique_ptr<QSqlQuery>& kept = prepared_[text];
    std::unique_ptr<QSqlQuery> fresh;
    QSqlQuery* query = kept.get();
    if (!query || query->isActive()) {
        fresh = std::make_unique<QSqlQuery>(QSqlDatabase::database(name_, false));
        fresh->setForwardOnly(true);
        if (!fresh->prepare(text)) throw fromSqlError(fresh->lastError());
        query = fresh.get();
        if (!kept) kept = std::move(fresh);
    }
    // Reset when done, so a kept statement holds no snapshot of the bank.
    struct Finished {
        QSqlQuery* query;
        ~Finished() { query->finish(); }
    } done{query};
    for (int i = 0; i < statement.values.size(); ++i)
        query->bindValue(i, statement.values[i]);
    if (!query->exec()) throw fromSqlError(query->lastError());
    use(*query);
}

void Bank::execute(const Statement& sql) {
    run(sql, [](QSqlQuery&) {});
}

QVariant Bank::firstValue(const Statement& sql, const QString& column) {
    QVariant value;
    run(sql, [&](QSqlQuery& query) {
        if (!query.next())
            throw DatabaseError(DatabaseError::NoCurrentRecord,
                                QStringLiteral("没有当前记录：题库中缺少所需的数据。"));
        const int index = query.record().indexOf(column);
        if (index < 0)
            throw DatabaseError(3265, QStringLiteral("题库中找不到字段“%1”。").arg(column));
        value = query.value(index);
    });
    return value;
}

QSqlRecord Bank::firstRecord(const Statement& sql) {
    QSqlRecord record;
    run(sql, [&](QSqlQuery& query) {
        if (!query.next())
            throw DatabaseError(DatabaseError::NoCurrentRecord,
                                QStringLiteral("没有当前记录：题库中找不到这道题。"));
        record = query.record();
    });
    return record;
}

void Bank::forEachRow(const Statement& sql, const std::function<void(const QSqlQuery&)>& row) {
    run(sql, [&](QSqlQuery& query) {
        while (query.next())
            row(query);
    });
}
