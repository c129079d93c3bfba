#include "SchoolSync.h"

#include "../store/Bank.h"
#include "../store/DatabaseError.h"
#include "../store/Sharing.h"
#include "Summary.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <atomic>

namespace {

// The last row ids the server has committed, kept in the bank.
const QString SentAnswers = QStringLiteral("驾校已收到的答题");
const QString SentRecords = QStringLiteral("驾校已收到的成绩");

QString newConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("school-%1").arg(counter++);
}

// Opens a connection to the school's server under `name`; the error when it would not.
QSqlError openServer(const QString& name, const School::JoinDetails& join) {
    if (!join.isValid())
        return QSqlError(QStringLiteral("join details not valid"),
                         QStringLiteral("加入信息不完整或不正确"), QSqlError::ConnectionError,
                         QStringLiteral("28000"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    join.applyTo(db, 5);
    // A server that vanishes without a word (a cut cable, a sleeping laptop) is noticed within
    // seconds, not at the system's TCP timeout: the thread, and the program's end, wait no longer.
    db.setConnectOptions(db.connectOptions() +
                         QStringLiteral(";tcp_user_timeout=10000;keepalives_idle=10;"
                                        "keepalives_interval=5;keepalives_count=2"));
    if (db.open()) return {};
    return db.lastError();
}

void closeServer(const QString& name) {
    if (name.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// The server answered no (a login or a right it refuses), as opposed to not answering at all.
bool isRefusal(const QSqlError& e) {
    const QString code = e.nativeErrorCode();
    if (!code.isEmpty())
        return !(code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57")) ||
                 code.startsWith(QLatin1String("53")));
    const QString text = e.text();
    for (const char* said : {"password authentication failed", "does not exist", "pg_hba.conf",
                             "permission denied", "SSL", "Driver not loaded"})
        if (text.contains(QLatin1String(said), Qt::CaseInsensitive)) return true;
    return false;
}

// What the learner is told about a refusal.
QString refusalWords(const QSqlError& e) {
    const QString text = e.text();
    QString why;
    if (text.contains(QLatin1String("Driver not loaded")))
        why = QStringLiteral("本机缺少 PostgreSQL 数据库驱动（libqt6sql6-psql）。");
    else if (text.contains(QLatin1String("password authentication failed")) ||
             text.contains(QLatin1String("does not exist")))
        why = QStringLiteral("用户名或密码不对，或者驾校已经移除了这个学员。");
    else if (text.contains(QLatin1String("SSL")))
        why = QStringLiteral("加密连接（SSL）的设置与驾校服务器不一致。");
    else
        why = QStringLiteral("驾校服务器拒绝了这个学员的数据。");
    return why + QStringLiteral("练习照常进行，记录都保存在本机。（") + text.trimmed() +
           QStringLiteral("）");
}

QVariant boolOrNull(const QVariant& v) {
    return v.isNull() ? QVariant() : QVariant(v.toInt() != 0);
}

// The bank's local time text as the server's timestamp takes it; anything else is no time.
QVariant timeOrNull(const QVariant& v) {
    const QDateTime t =
        QDateTime::fromString(v.toString().left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return t.isValid() ? QVariant(t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))) : QVariant();
}

QString placeholders(int columns, qsizetype rows) {
    QString one = QStringLiteral("(?");
    for (int i = 1; i < columns; ++i)
        one += QStringLiteral(",?");
    one += QLatin1Char(')');
    QStringList all;
    for (qsizetype i = 0; i < rows; ++i)
        all.append(one);
    return all.join(QLatin1Char(','));
}

} // namespace

QString SyncStateText(SyncState state) {
    switch (state) {
    case SyncState::Synced:
        return QStringLiteral("已同步");
    case SyncState::Waiting:
        return QStringLiteral("等待网络");
    case SyncState::Refused:
        return QStringLiteral("驾校拒绝连接");
    case SyncState::NotJoined:
        break;
    }
    return QStringLiteral("未加入");
}

SchoolSync::SchoolSync(const QString& bankFile, const School::JoinDetails& join,
                       const SyncTuning& tuning, QObject* parent)
    : QObject(parent), worker_(new SyncWorker(bankFile, join, tuning)) {
    thread_.setObjectName(QStringLiteral("school-sync"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &SyncWorker::stateChanged, this, [this](SyncState s) {
        state_ = s;
        emit stateChanged(s);
    });
    connect(worker_, &SyncWorker::refused, this, &SchoolSync::refused);
    connect(worker_, &SyncWorker::left, this, &SchoolSync::left);
    thread_.start();
    QMetaObject::invokeMethod(worker_, &SyncWorker::start);
}

SchoolSync::~SchoolSync() {
    thread_.quit();
    thread_.wait();
}

void SchoolSync::sendNow() {
    QMetaObject::invokeMethod(worker_, &SyncWorker::round);
}

void SchoolSync::leave(bool erase) {
    QMetaObject::invokeMethod(worker_, [w = worker_, erase] { w->leave(erase); });
}

QString SchoolSync::missingDriver() {
    if (QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) return {};
#ifdef Q_OS_WIN
    return QStringLiteral("这个版本的程序不能连接驾校的服务器（缺少 PostgreSQL 数据库驱动）。");
#else
    return QStringLiteral("这台电脑缺少 Qt 的 PostgreSQL 数据库驱动，无法连接驾校的服务器。\n"
                          "请先安装 libqt6sql6-psql（sudo apt install libqt6sql6-psql）。");
#endif
}

QString SchoolSync::tryLogin(const School::JoinDetails& join) {
    const QString name = newConnectionName();
    QString words;
    if (const QSqlError e = openServer(name, join); e.isValid()) {
        words = isRefusal(e) ? refusalWords(e)
                             : QStringLiteral("连不上驾校服务器，请检查地址、端口和网络。（") +
                                   e.text().trimmed() + QStringLiteral("）");
    } else {
        QSqlQuery q(QSqlDatabase::database(name, false));
        if (!q.exec(QStringLiteral("select display_name from school.people where "
                                   "role = current_user")) ||
            !q.next())
            words = QStringLiteral("登录成功，但驾校的名单里没有这个学员。") +
                    (q.lastError().isValid() ? q.lastError().text() : QString());
    }
    closeServer(name);
    return words;
}

void SchoolSync::forgetSent(Bank& bank) {
    WriteLinkSetting(bank, SentAnswers, {});
    WriteLinkSetting(bank, SentRecords, {});
}

SyncWorker::SyncWorker(const QString& bankFile, const School::JoinDetails& join,
                       const SyncTuning& tuning)
    : bankFile_(bankFile), join_(join), tuning_(tuning) {}

SyncWorker::~SyncWorker() {
    dropServer();
    delete bank_;
}

void SyncWorker::start() {
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &SyncWorker::round);
    round();
}

void SyncWorker::round() {
    if (stopped_) return;
    timer_->stop();
    const Outcome outcome = send();
    if (outcome == Outcome::Sent) {
        retryMs_ = 0;
        toldRefusal_ = false;
        setState(SyncState::Synced);
        timer_->start(tuning_.pollMs);
    } else if (outcome == Outcome::Offline) {
        dropServer();
        setState(SyncState::Waiting);
        retryLater();
    } else {
        dropServer();
        setState(SyncState::Refused);
        timer_->start(tuning_.lastRetryMs);
    }
}

void SyncWorker::retryLater() {
    retryMs_ = retryMs_ == 0 ? tuning_.firstRetryMs : qMin(retryMs_ * 2, tuning_.lastRetryMs);
    timer_->start(retryMs_);
}

void SyncWorker::setState(SyncState state) {
    if (state == state_) return;
    state_ = state;
    emit stateChanged(state);
}

void SyncWorker::dropServer() {
    closeServer(server_);
    server_.clear();
}

SyncWorker::Outcome SyncWorker::send() {
    QSqlError trouble;
    auto failed = [&](const QSqlError& e) {
        trouble = e;
        if (!isRefusal(e)) return Outcome::Offline;
        if (!toldRefusal_) emit refused(refusalWords(e));
        toldRefusal_ = true;
        return Outcome::Refused;
    };
    try {
        if (!bank_) {
            bank_ = new Bank;
            bank_->open(bankFile_);
        }
        if (server_.isEmpty()) {
            const QString name = newConnectionName();
            if (const QSqlError e = openServer(name, join_); e.isValid()) {
                closeServer(name);
                return failed(e);
            }
            server_ = name;
            // A server that lost its newest rows (a crash before they reached its disk, a
            // restored backup, a learner removed and added again) gets them again.
            QSqlQuery newest(QSqlDatabase::database(server_, false));
            for (const auto& [table, key] :
                 {std::pair{"answers", SentAnswers}, std::pair{"records", SentRecords}}) {
                if (!newest.exec(QStringLiteral("select coalesce(max(row_id), 0) from school.%1 "
                                                "where learner = current_user")
                                     .arg(QLatin1String(table))) ||
                    !newest.next())
                    return failed(newest.lastError());
                if (newest.value(0).toLongLong() < ReadLinkSetting(*bank_, key).toLongLong())
                    WriteLinkSetting(*bank_, key, newest.value(0).toString());
            }
        }
        QSqlDatabase db = QSqlDatabase::database(server_, false);
        QSqlQuery q(db);
        bool sentAny = false;
        // Each batch is one statement: the server takes all of it or none. Its rows are
        // counted as sent only once it has.
        // Full batches share one prepared statement: the server parses it once.
        qsizetype prepared = 0;
        for (;;) {
            const qint64 after = ReadLinkSetting(*bank_, SentAnswers).toLongLong();
            const QList<SharedAnswer> rows = AnswersAfter(*bank_, after, tuning_.batchRows);
            if (rows.isEmpty()) break;
            if (rows.size() != prepared)
                q.prepare(QStringLiteral("insert into school.answers(row_id, question_id, "
                                         "car_type, mode, answer, is_right, seconds, answered_at, "
                                         "cue) values ") +
                          placeholders(9, rows.size()) + QStringLiteral(" on conflict do nothing"));
            prepared = rows.size();
            for (const SharedAnswer& a : rows)
                for (const QVariant& v :
                     {QVariant(a.rowId), QVariant(a.questionId), a.carType, a.mode, a.answer,
                      boolOrNull(a.right), a.seconds, timeOrNull(a.answeredAt), a.cue})
                    q.addBindValue(v);
            if (!q.exec()) return failed(q.lastError());
            WriteLinkSetting(*bank_, SentAnswers, QString::number(rows.last().rowId));
            sentAny = true;
        }
        for (;;) {
            const qint64 after = ReadLinkSetting(*bank_, SentRecords).toLongLong();
            const QList<SharedRecord> rows = RecordsAfter(*bank_, after, tuning_.batchRows);
            if (rows.isEmpty()) break;
            q.prepare(QStringLiteral("insert into school.records(row_id, score, taken_at, "
                                     "car_type, seconds, chapter_rights, hall) values ") +
                      placeholders(7, rows.size()) + QStringLiteral(" on conflict do nothing"));
            for (const SharedRecord& r : rows)
                for (const QVariant& v :
                     {QVariant(r.rowId), QVariant(r.score), timeOrNull(r.takenAt), r.carType,
                      r.seconds, r.chapterRights, boolOrNull(r.hall)})
                    q.addBindValue(v);
            if (!q.exec()) return failed(q.lastError());
            WriteLinkSetting(*bank_, SentRecords, QString::number(rows.last().rowId));
            sentAny = true;
        }
        if (sentAny || !summarySent_) {
            const LearnerSummary s = ReadSummary(*bank_);
            const ReadinessEstimate& e = s.estimate;
            q.prepare(QStringLiteral(
                "insert into school.summaries(car_type, readiness_enough, readiness_low, "
                "readiness_mid, readiness_high, coverage, seen, total, weak_chapters, "
                "weak_topics, updated_at) values (?,?,?,?,?,?,?,?,?,?, now()) on conflict "
                "(learner) do update set car_type=excluded.car_type, "
                "readiness_enough=excluded.readiness_enough, readiness_low=excluded.readiness_low, "
                "readiness_mid=excluded.readiness_mid, readiness_high=excluded.readiness_high, "
                "coverage=excluded.coverage, seen=excluded.seen, total=excluded.total, "
                "weak_chapters=excluded.weak_chapters, weak_topics=excluded.weak_topics, "
                "updated_at=excluded.updated_at"));
            for (const QVariant& v :
                 {QVariant(s.carType), QVariant(e.enough && s.anyHistory), QVariant(e.low),
                  QVariant(e.middle), QVariant(e.high), QVariant(s.coverage()), QVariant(s.seen()),
                  QVariant(s.total()), QVariant(ChaptersJson(e.chapters)),
                  QVariant(TopicsJson(s.topics))})
                q.addBindValue(v);
            if (!q.exec()) return failed(q.lastError());
            summarySent_ = true;
        }
        return Outcome::Sent;
    } catch (const DatabaseError&) {
        // The bank is busy or gone for now: the rows stay where they are; try again later.
        delete bank_;
        bank_ = nullptr;
        return Outcome::Offline;
    }
}

void SyncWorker::leave(bool erase) {
    timer_->stop();
    if (!erase) {
        stopped_ = true;
        dropServer();
        setState(SyncState::NotJoined);
        emit left(true, {});
        return;
    }
    const QString name = newConnectionName();
    QString words;
    if (const QSqlError e = openServer(name, join_); e.isValid()) {
        words = e.text().trimmed();
    } else {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        QSqlQuery q(db);
        db.transaction();
        for (const char* sql : {"delete from school.answers where learner = current_user",
                                "delete from school.records where learner = current_user",
                                "delete from school.summaries where learner = current_user"})
            if (words.isEmpty() && !q.exec(QString::fromLatin1(sql)))
                words = q.lastError().text().trimmed();
        if (words.isEmpty() && !db.commit()) words = db.lastError().text().trimmed();
        if (!words.isEmpty()) db.rollback();
    }
    closeServer(name);
    if (!words.isEmpty()) {
        // Nothing changes: still joined, still sharing, so the learner can try again.
        emit left(false, QStringLiteral("没能删除驾校服务器上的数据，仍在共享。请联网后再试。（") +
                             words + QStringLiteral("）"));
        round();
        return;
    }
    stopped_ = true;
    dropServer();
    setState(SyncState::NotJoined);
    emit left(true, {});
}
