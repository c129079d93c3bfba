#include "BankLocation.h"

#include "Bank.h"
#include "BankContent.h"
#include "BankFileName.h"
#include "DatabaseError.h"
#include "Module1.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

bool runsAsRoot() {
#ifdef Q_OS_WIN
    return false;
#else
    return geteuid() == 0;
#endif
}

const QLatin1String UserBankName("question.dll");
// Beside the learner's bank: the digest of the shipped content it was last made from.
const QLatin1String DigestName("shipped-content.sha256");

QString readDigest(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(f.read(200)).trimmed();
}

bool writeDigest(const QString& file, const QString& digest) {
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(digest.toLatin1() + '\n');
    return f.commit();
}

// Copies through a temporary name, so a second copy of the program starting at the same
// moment never sees half a bank; what the original's write-ahead log holds comes along.
QString copyBank(const QString& from, const QString& to) {
    const QString partial =
        to + QStringLiteral(".partial-%1").arg(QCoreApplication::applicationPid());
    if (const QString error = copyBankFile(from, partial); !error.isEmpty())
        return QStringLiteral("无法复制题库到“%1”（%2）。").arg(to, error);
    // The learner's copy must take their marks, whatever the original's permissions.
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                       QFile::ReadOther);
    if (!QFile::rename(partial, to)) {
        QFile::remove(partial);
        if (!QFileInfo(to).isFile()) return QStringLiteral("无法创建题库“%1”。").arg(to);
    }
    return {};
}

// A portable copy remembers, in the learner's data folder (which exists once its bank has
// been needed), which bank it used last, so a change of bank is told and not silent.
void noteBankInUse(BankPlace& place, const QString& userFolder, const QString& programFolder) {
    if (!QFileInfo(userFolder).isDir()) return;
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(QFileInfo(programFolder).absoluteFilePath().toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(16));
    const QString memory = QDir(userFolder).filePath(QStringLiteral("bank-in-use-") + key);
    QString last;
    if (QFile f(memory); f.open(QIODevice::ReadOnly))
        last = QString::fromUtf8(f.read(8192)).trimmed();
    const QString folderBank = BankFile(programFolder);
    const QString now = QFileInfo(place.bankFile).absoluteFilePath();
    // Before anything was remembered, the copy practised in its own folder.
    const QString before = last.isEmpty() ? QFileInfo(folderBank).absoluteFilePath() : last;
    if (before != now && QFileInfo::exists(before)) {
        place.previousBank = before;
        place.switchNotice =
            now == QFileInfo(folderBank).absoluteFilePath()
                ? QStringLiteral("程序文件夹又可以写入了，现在使用程序文件夹里的题库“%1”；"
                                 "文件夹只读期间的练习保存在“%2”。")
                      .arg(QDir::toNativeSeparators(now), QDir::toNativeSeparators(before))
                : QStringLiteral("程序文件夹现在是只读的，改用您个人文件夹里的题库“%1”；"
                                 "以前的练习保存在程序文件夹的“%2”里。")
                      .arg(QDir::toNativeSeparators(now), QDir::toNativeSeparators(before));
    }
    if (last != now) {
        QSaveFile f(memory);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(now.toUtf8() + '\n');
            f.commit();
        }
    }
}

} // namespace

bool bankWritable(const QString& bankFile) {
    const QFileInfo bank(bankFile);
#ifdef Q_OS_WIN
    // Windows answers from the read-only attribute, which Program Files does not carry though
    // a learner cannot write there: only trying tells. SQLite writes its journal beside the bank.
    QFile file(bankFile);
    if (!bank.isFile() || !file.open(QIODevice::ReadWrite)) return false;
    file.close();
    QTemporaryFile probe(bank.absolutePath() + QStringLiteral("/kemu1-probe-XXXXXX"));
    return probe.open();
#else
    // SQLite writes its journal beside the bank.
    return bank.isFile() && bank.isWritable() && QFileInfo(bank.absolutePath()).isWritable();
#endif
}

QString programDataFolder(const QString& executableFolder) {
    if (QFileInfo::exists(BankFile(executableFolder))) return executableFolder;
    const QString installed = QDir::cleanPath(executableFolder + QStringLiteral("/../share/kemu1"));
    if (QFileInfo::exists(BankFile(installed))) return installed;
    // Neither: the bank is reported missing where a portable copy keeps it.
    return executableFolder;
}

BankPlace locateBank(const QString& executableFolder, const QString& userFolder,
                     const std::function<bool(const QString&)>& writable) {
    const QString folder = programDataFolder(executableFolder);
    const QString shipped = BankFile(folder);
    const bool portable = QDir(folder) == QDir(executableFolder);
    // A missing bank beside the executable is reported by the opening, as always.
    if (portable && (!QFileInfo::exists(shipped) || writable(shipped))) {
        BankPlace place{folder, shipped, {}, {}, {}, {}, {}};
        noteBankInUse(place, userFolder, folder);
        return place;
    }
    BankPlace place = prepareUserBank(shipped, userFolder);
    place.programFolder = folder;
    if (portable && place.error.isEmpty() && !place.readOnly)
        noteBankInUse(place, userFolder, folder);
    return place;
}

BankPlace prepareUserBank(const QString& shippedBank, const QString& userFolder) {
    BankPlace place;
    place.bankFile = QDir(userFolder).filePath(UserBankName);
    place.shippedBank = shippedBank;
    QString error;
    const QString digest = contentDigest(shippedBank, error);
    if (digest.isEmpty()) {
        place.error = QStringLiteral("无法读取程序自带的题库“%1”（%2）。请重新安装本软件。")
                          .arg(shippedBank, error);
        return place;
    }
    // Started as root with another user's home, a folder made now would be root's and
    // that user could never write their own bank.
    if (const QString other = ownedByOther(userFolder); !other.isEmpty() && runsAsRoot()) {
        place.bankFile = shippedBank;
        place.readOnly = true;
        place.warning =
            QStringLiteral("不能以管理员身份在别的用户的文件夹里保存练习记录（%1）。请以该用户"
                           "身份运行本软件。")
                .arg(other);
        return place;
    }
    if (!QDir().mkpath(userFolder)) {
        // Nowhere to keep the learner's data (a kiosk, a live system): practice on the shipped
        // bank, untouched; the learner is told once that nothing is saved.
        place.bankFile = shippedBank;
        place.readOnly = true;
        place.warning = QStringLiteral("无法创建保存练习记录的文件夹“%1”。").arg(userFolder);
        if (const QString other = ownedByOther(userFolder); !other.isEmpty())
            place.warning += other + QStringLiteral("。");
        return place;
    }
    const QString digestFile = QDir(userFolder).filePath(DigestName);
    if (!QFileInfo::exists(place.bankFile)) {
        place.error = copyBank(shippedBank, place.bankFile);
        if (place.error.isEmpty()) writeDigest(digestFile, digest);
        return place;
    }
    if (readDigest(digestFile) == digest) return place;
    // New question content: the same refresh the bank tool's build does.
    const QList<Question> questions = readBankQuestions(shippedBank, error);
    QList<RuleChange> rules;
    if (error.isEmpty()) rules = readBankRules(shippedBank, error);
    if (error.isEmpty()) error = writeBank(place.bankFile, questions, {}, rules);
    if (!error.isEmpty()) {
        // Practising on the old questions beats not starting; the next start tries again.
        place.warning = QStringLiteral("题库更新失败，本次仍使用原来的题目（%1）。").arg(error);
        return place;
    }
    writeDigest(digestFile, digest);
    return place;
}

QString contentDigest(const QString& bankFile, QString& error) {
    const QList<Question> questions = readBankQuestions(bankFile, error);
    if (!error.isEmpty()) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // Field and row separators no question text holds.
    auto add = [&hash](const QString& field) {
        hash.addData(field.toUtf8());
        hash.addData(QByteArrayView("\x1f", 1));
    };
    for (const Question& q : questions) {
        add(QString::number(q.id));
        for (const QString& field : {q.type, q.question, q.answerTrue, q.imageUrl, q.licenseType,
                                     q.chap, q.strType, q.explain, q.tags, q.rule})
            add(field);
        for (const QString& option : q.options)
            add(option);
        hash.addData(QByteArrayView("\x1e", 1));
    }
    for (const RuleChange& rule : readBankRules(bankFile, error)) {
        for (const QString& field : {rule.key, rule.date, rule.source, rule.change})
            add(field);
        hash.addData(QByteArrayView("\x1e", 1));
    }
    if (!error.isEmpty()) return {};
    return QString::fromLatin1(hash.result().toHex());
}

QString setAsideDamagedBank(const QString& bankFile, const QString& shippedBank, const QDate& today,
                            QString* setAside) {
    QString aside = bankFile + QStringLiteral(".damaged-") + today.toString(Qt::ISODate);
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = bankFile + QStringLiteral(".damaged-%1-%2").arg(today.toString(Qt::ISODate)).arg(n);
    if (!QFile::rename(bankFile, aside))
        return QStringLiteral("无法把“%1”改名为“%2”。").arg(bankFile, aside);
    // Its log and index belong to the damaged file, never to the fresh copy.
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        if (QFileInfo::exists(bankFile + QLatin1String(suffix)))
            QFile::rename(bankFile + QLatin1String(suffix), aside + QLatin1String(suffix));
    if (setAside) *setAside = aside;
    const QString folder = QFileInfo(bankFile).absolutePath();
    QFile::remove(QDir(folder).filePath(DigestName));
    return prepareUserBank(shippedBank, folder).error;
}

QString ownedByOther(const QString& path, uint me) {
    QFileInfo info(path);
    // The nearest part of the path that exists is the one that decides.
    while (!info.exists() && !info.isRoot() && info.absoluteFilePath() != info.absolutePath())
        info.setFile(info.absolutePath());
    if (!info.exists() || info.ownerId() == me) return {};
    QString owner = info.owner();
    if (owner.isEmpty()) owner = QString::number(info.ownerId());
    return QStringLiteral("“%1”属于用户 %2")
        .arg(QDir::toNativeSeparators(info.absoluteFilePath()), owner);
}

QString ownedByOther(const QString& path) {
#ifdef Q_OS_WIN
    // Windows folders have access lists, not one owner id: whether they can be written decides.
    Q_UNUSED(path);
    return {};
#else
    return ownedByOther(path, geteuid());
#endif
}

namespace {

// The other bank, attached for one piece of work.
class Attached {
  public:
    Attached(Bank& bank, const QString& file) : bank_(bank) {
        bank_.execute(Statement(QStringLiteral("attach database ? as other"), {file}));
    }
    ~Attached() {
        try {
            bank_.execute(QStringLiteral("detach database other"));
        } catch (const DatabaseError&) {
        }
    }
    bool has(const QString& table) {
        return bank_
                   .firstValue(Statement(QStringLiteral("select count(*) as n from "
                                                        "other.sqlite_master where type='table' "
                                                        "and name=?"),
                                         {table}),
                               QStringLiteral("n"))
                   .toInt() == 1;
    }

  private:
    Bank& bank_;
};

const QLatin1String LatestAnswer("(select coalesce(max(AnsweredAt), '') from main.History)");
const QLatin1String LatestScore("(select coalesce(max(RecordTime), '') from main.Record)");

} // namespace

int NewerPractice(Bank& bank, const QString& otherFile) {
    if (!QFileInfo(otherFile).isFile() || !bank.hasHistory()) return 0;
    try {
        Attached other(bank, otherFile);
        int n = 0;
        if (other.has(QStringLiteral("History")))
            n += bank.firstValue(QStringLiteral("select count(*) as n from other.History where "
                                                "AnsweredAt > ") +
                                     LatestAnswer,
                                 QStringLiteral("n"))
                     .toInt();
        n += bank.firstValue(QStringLiteral("select count(*) as n from other.Record where "
                                            "RecordTime > ") +
                                 LatestScore,
                             QStringLiteral("n"))
                 .toInt();
        return n;
    } catch (const DatabaseError&) {
        return 0; // an unreadable other bank has nothing to bring
    }
}

QString BringNewerPractice(Bank& bank, const QString& otherFile, int* brought) {
    try {
        Attached other(bank, otherFile);
        const bool history = other.has(QStringLiteral("History"));
        const bool schedule = other.has(QStringLiteral("ReviewSchedule"));
        const bool favourites = other.has(QStringLiteral("Favourite"));
        const QString newer =
            QStringLiteral("(select QuestionID from other.History where AnsweredAt > %1)")
                .arg(LatestAnswer);
        // Exam records from before their class and chapter columns bring their score alone.
        const bool fullRecords =
            bank.firstValue(QStringLiteral("select count(*) as n from pragma_table_info('Record', "
                                           "'other') where name in ('CarType', 'Seconds', "
                                           "'ChapterRights')"),
                            QStringLiteral("n"))
                .toInt() == 3;
        const QString recordColumns = fullRecords
                                          ? QStringLiteral("score, RecordTime, CarType, Seconds, "
                                                           "ChapterRights")
                                          : QStringLiteral("score, RecordTime");
        int n = 0;
        bank.transaction([&] {
            n += bank.firstValue(QStringLiteral("select count(*) as n from other.Record where "
                                                "RecordTime > ") +
                                     LatestScore,
                                 QStringLiteral("n"))
                     .toInt();
            bank.execute(QStringLiteral("insert into main.Record(%1) select %1 from other.Record "
                                        "where RecordTime > %2 order by ID")
                             .arg(recordColumns, LatestScore));
            if (favourites && bank.hasReviewTables())
                bank.execute(QStringLiteral("insert or ignore into main.Favourite(QuestionID, "
                                            "AddedAt) select QuestionID, AddedAt from "
                                            "other.Favourite"));
            if (!history) return;
            // The marks and review steps of the questions answered there since the last
            // answer here, then those answers: the newer ones are found before they arrive.
            bank.execute(QStringLiteral(
                             "update main.Paper set ErrPaper=(select o.ErrPaper from other.Paper o "
                             "where o.ID=Paper.ID) where ID in %1 and ID in (select ID from "
                             "other.Paper)")
                             .arg(newer));
            if (schedule && bank.hasReviewTables()) {
                bank.execute(
                    QStringLiteral("delete from main.ReviewSchedule where QuestionID in %1")
                        .arg(newer));
                bank.execute(QStringLiteral("insert into main.ReviewSchedule(QuestionID, Step, "
                                            "Due) select QuestionID, Step, Due from "
                                            "other.ReviewSchedule where QuestionID in %1")
                                 .arg(newer));
            }
            n += bank.firstValue(QStringLiteral("select count(*) as n from other.History "
                                                "where AnsweredAt > ") +
                                     LatestAnswer,
                                 QStringLiteral("n"))
                     .toInt();
            bank.execute(
                QStringLiteral("insert into main.History(QuestionID, CarType, Mode, Answer, "
                               "Right, Seconds, AnsweredAt) select QuestionID, CarType, Mode, "
                               "Answer, Right, Seconds, AnsweredAt from other.History where "
                               "AnsweredAt > %1 order by ID")
                    .arg(LatestAnswer));
        });
        if (brought) *brought = n;
        return {};
    } catch (const DatabaseError& e) {
        return e.description();
    }
}
