// Nothing lost when the bank is busy, locked, read-only, old, on a full disk or hand-edited:
// each test feeds the fault itself (a second connection holding the bank, a folder nobody
// may write, a small full tmpfs, device nodes, edited backups) and checks the learner's data.
#include "Exchange.h"
#include "SqlFile.h"
#include "TestProgram.h"
#include "store/Bank.h"
#include "store/BankContent.h"
#include "store/BankLocation.h"
#include "store/DatabaseError.h"
#include "store/Module1.h"
#include "store/Statements.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QList<Question> smallBank() {
    return {choice(1, "ABC", "1", "A"), judge(2, "C", "1", "对"), choice(3, "C", "2", "C"),
            choice(4, "C", "2", "B")};
}

// A program folder with its bank: the questions given, in images/mark.
struct Folder {
    QTemporaryDir dir;
    QString bank;
    explicit Folder(const QList<Question>& questions = smallBank()) {
        QDir(dir.path()).mkpath("images/mark");
        bank = BankFile(dir.path());
        if (const QString e = writeBank(bank, questions); !e.isEmpty()) qFatal("%s", qPrintable(e));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString mark() const { return QFileInfo(bank).absolutePath(); }
};

// What a program ended by a signal leaves: the bank in write-ahead-log mode with three marks
// committed to the log only, the log and its index beside it. Copied from a live connection
// into `folder` (the bank's own folder stays as it was).
void leaveCommittedLog(const QString& bank, const QString& folder) {
    Db db(bank);
    db.exec("pragma journal_mode=wal");
    db.exec("pragma wal_autocheckpoint=0");
    db.exec("update Paper set ErrPaper=1 where ID in (1, 2, 3)");
    QDir().mkpath(folder);
    for (const char* suffix : {"", "-wal", "-shm"}) {
        const QString target = folder + "/question.dll" + suffix;
        QFile::remove(target);
        QFile::copy(bank + suffix, target);
    }
}

int marks(const QString& bank) {
    Bank b;
    b.open(bank, true);
    return GetQuestionSum(b, QStringLiteral("select count(0) as QuestionSum from Paper where "
                                            "ErrPaper=1"));
}

// Makes `folder` one nobody may write (root included) until the guard goes; false when this
// machine cannot.
struct LockedFolder {
    QString folder;
    bool root = ::geteuid() == 0;
    bool locked = false;
    explicit LockedFolder(const QString& f) : folder(f) {
        if (root)
            locked = QProcess::execute("chattr", {"+i", folder}) == 0;
        else
            locked = QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~LockedFolder() {
        if (root)
            QProcess::execute("chattr", {"-i", folder});
        else
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

// A small tmpfs filled to the last byte; unmounted when it goes.
struct FullDisk {
    QTemporaryDir dir;
    bool mounted = false;
    FullDisk() {
        mounted = ::geteuid() == 0 && ::mount("tmpfs", QFile::encodeName(dir.path()).constData(),
                                              "tmpfs", 0, "size=1m") == 0;
    }
    void fill() const {
        QFile filler(dir.filePath("filler"));
        filler.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    ~FullDisk() {
        if (mounted) ::umount(QFile::encodeName(dir.path()).constData());
    }
};

// A backup with its payload changed by `edit`, the checksum made to match again (anyone can).
QByteArray editedBackup(const QByteArray& backup, const std::function<void(QJsonObject&)>& edit) {
    const qsizetype newline = backup.indexOf('\n');
    QJsonObject header = QJsonDocument::fromJson(backup.left(newline)).object();
    QJsonObject data = QJsonDocument::fromJson(backup.mid(newline + 1)).object();
    edit(data);
    const QByteArray payload = QJsonDocument(data).toJson();
    header["sha256"] =
        QString::fromLatin1(QCryptographicHash::hash(payload, QCryptographicHash::Sha256).toHex());
    return QJsonDocument(header).toJson(QJsonDocument::Compact) + '\n' + payload;
}

// Sets `field` of the first entry of `list` in a backup's data.
std::function<void(QJsonObject&)> setFirst(const QString& list, const QString& field,
                                           const QJsonValue& value) {
    return [=](QJsonObject& data) {
        QJsonArray entries = data[list].toArray();
        QJsonObject first = entries[0].toObject();
        first[field] = value;
        entries[0] = first;
        data[list] = entries;
    };
}

} // namespace

class BankFaultsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { setBusyWaitMs(300); }

    // A portable copy ended by a signal, its folder then made read-only: the learner's own
    // bank is copied with what the log holds.
    void theUsersBankIsCopiedWithTheLeftoverLog() {
        Folder portable;
        QTemporaryDir user;
        leaveCommittedLog(portable.bank, portable.path("copy/images/mark"));
        const QString copy = portable.path("copy");
        const BankPlace place =
            locateBank(copy, user.filePath("kemu1"), [](const QString&) { return false; });
        QVERIFY2(place.error.isEmpty(), qPrintable(place.error));
        QCOMPARE(place.bankFile, user.filePath("kemu1/question.dll"));
        QCOMPARE(marks(place.bankFile), 3);
        // One file on its own: no log of the original came along.
        QVERIFY(!QFileInfo::exists(place.bankFile + "-wal"));
    }

    // The same leftovers in a folder nobody may write, opened in place (--bank): read with
    // the log; without its index SQLite cannot read the log, and the notice says so.
    void aReadOnlyBankIsReadWithItsLog_data() {
        QTest::addColumn<bool>("indexKept");
        QTest::addColumn<int>("marked");
        QTest::addRow("log and index") << true << 3;
        QTest::addRow("log without its index") << false << 0;
    }
    void aReadOnlyBankIsReadWithItsLog() {
        QFETCH(bool, indexKept);
        QFETCH(int, marked);
        Folder f;
        const QString folder = f.path("locked");
        leaveCommittedLog(f.bank, folder);
        if (!indexKept) QFile::remove(folder + "/question.dll-shm");
        LockedFolder lock(folder);
        if (!lock.locked) QSKIP("this machine cannot lock a folder");
        Bank bank;
        bank.open(folder + "/question.dll");
        QVERIFY(bank.readOnly());
        QCOMPARE(GetQuestionSum(bank, QStringLiteral("select count(0) as QuestionSum from Paper "
                                                     "where ErrPaper=1")),
                 marked);
        QCOMPARE(bank.readOnlyNotice().contains(QStringLiteral("最近的练习可能没有显示")),
                 !indexKept);
    }

    // A saved bank copied over one whose program was ended by a signal: the stale log beside it
    // would be replayed into it. Restore sets the log aside and restores into the sound bank.
    void restoreSetsAsideALogOfAnotherCopy() {
        // The saved copy is of an older day, its pages laid out otherwise.
        Folder saved(checkedBank());
        Db(saved.bank).exec("delete from Paper where ID % 2 = 0");
        Db(saved.bank).exec("vacuum");
        const QByteArray savedBytes = readFile(saved.bank);
        Folder live(checkedBank());
        {
            Db db(live.bank);
            db.exec("pragma journal_mode=wal");
            db.exec("pragma wal_autocheckpoint=0");
            db.exec("create table Extra(x)");
            db.exec("insert into Extra values(randomblob(20000))");
            db.exec("update Paper set ErrPaper=1");
            leaveCommittedLog(live.bank, live.path("after"));
        }
        const QString bank = live.path("after/question.dll");
        writeFile(bank, savedBytes); // the learner's copy over the bank
        const QString backup = saved.path("learner.backup");
        QVERIFY(backupLearner(saved.bank, backup).ok());
        QStringList said;
        const Outcome restored =
            restoreLearner(bank, backup, [&](const QString& line) { said << line; });
        QVERIFY2(restored.ok(), qPrintable(restored.problems.join('\n')));
        QVERIFY(!QFileInfo::exists(bank + "-wal"));
        QCOMPARE(QDir(live.path("after")).entryList({"question.dll-wal.stale-*"}).size(), 1);
        QVERIFY(said.join('\n').contains("set aside"));
        Db db(bank);
        QCOMPARE(db.value("pragma quick_check").toString(), QStringLiteral("ok"));
        QCOMPARE(db.value("select count(*) from Paper").toInt(),
                 Db(saved.bank).value("select count(*) from Paper").toInt());
    }

    // Another program holds the bank in a write transaction all the while (rollback journal).
    void aLockedBankIsAnErrorOfItsOwn_data() {
        QTest::addColumn<QString>("command");
        for (const char* command : {"history", "export", "backup", "import", "restore"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void aLockedBankIsAnErrorOfItsOwn() {
        QFETCH(QString, command);
        Folder f;
        const QString backup = f.path("learner.backup");
        QVERIFY(backupLearner(f.bank, backup).ok());
        QVERIFY(exportCsv(f.bank, f.path("questions.csv")).ok());
        Db other(f.bank);
        QVERIFY(other.exec("insert into History(QuestionID, Right) values(1, 1)"));
        QVERIFY(other.exec("begin exclusive"));
        QVERIFY(other.exec("insert into History(QuestionID, Right) values(2, 0)"));
        const QString out = f.path("out.csv");
        Outcome outcome;
        if (command == "history") outcome = exportHistory(f.bank, out);
        if (command == "export") outcome = exportCsv(f.bank, out);
        if (command == "backup") outcome = backupLearner(f.bank, out);
        if (command == "import") outcome = importCsv(f.bank, f.path("questions.csv"));
        if (command == "restore") outcome = restoreLearner(f.bank, backup);
        QVERIFY(!outcome.ok());
        QVERIFY(outcome.locked);
        QVERIFY2(outcome.problems.join('\n').contains("locked"),
                 qPrintable(outcome.problems.join('\n')));
        QVERIFY(!QFileInfo::exists(out));
        other.exec("rollback");
    }

    // Values no build of the program writes, put into a backup whose checksum was made to
    // match: the restore names the first and changes nothing.
    void restoreRefusesValuesTheProgramNeverWrites_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QJsonValue>("value");
        QTest::addRow("right 5") << "history"
                                 << "right" << QJsonValue(5);
        QTest::addRow("right yes") << "history"
                                   << "right" << QJsonValue("yes");
        QTest::addRow("answer time garbage") << "history"
                                             << "at" << QJsonValue("garbage");
        QTest::addRow("class X") << "history"
                                 << "class" << QJsonValue("X");
        QTest::addRow("due garbage") << "schedule"
                                     << "due" << QJsonValue("garbage");
        QTest::addRow("step -1e15") << "schedule"
                                    << "step" << QJsonValue(-1e15);
        QTest::addRow("step 2^40") << "schedule"
                                   << "step" << QJsonValue(double(1LL << 40));
        QTest::addRow("step 2147483647") << "schedule"
                                         << "step" << QJsonValue(2147483647.0);
        QTest::addRow("score 150") << "records"
                                   << "score" << QJsonValue(150);
        QTest::addRow("score -20") << "records"
                                   << "score" << QJsonValue(-20);
        QTest::addRow("record time garbage") << "records"
                                             << "time" << QJsonValue("garbage");
        QTest::addRow("favourite 0") << "favourites"
                                     << "question" << QJsonValue(0);
    }
    void restoreRefusesValuesTheProgramNeverWrites() {
        QFETCH(QString, list);
        QFETCH(QString, field);
        QFETCH(QJsonValue, value);
        Folder f;
        {
            Db db(f.bank);
            db.exec("insert into History(QuestionID, CarType, Mode, Answer, Right, Seconds) "
                    "values(1, 'C', 'sequential', 'A', 1, 4)");
            db.exec("insert into ReviewSchedule(QuestionID, Step, Due) values(1, 2, '2026-12-09')");
            db.exec("insert into Record(score, CarType, Seconds) values(93, 'C', 1200)");
            db.exec("insert into Favourite(QuestionID) values(2)");
        }
        const QString backup = f.path("learner.backup");
        QVERIFY(backupLearner(f.bank, backup).ok());
        const QString edited = f.path("edited.backup");
        writeFile(edited, editedBackup(readFile(backup), setFirst(list, field, value)));
        const QByteArray before = fileHash(f.bank);
        const Outcome outcome = restoreLearner(f.bank, edited);
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.problems.join('\n').contains(field + " is "),
                 qPrintable(outcome.problems.join('\n')));
        QCOMPARE(fileHash(f.bank), before);
        // The unedited backup restores.
        QVERIFY(restoreLearner(f.bank, backup).ok());
    }

    // A read-only bank from an older build, without the settings rows this program added:
    // the window opens with their defaults; a seed row missing is still an error.
    void anOlderReadOnlyBankOpensWithDefaults() {
        TestProgram p(smallBank());
        QStringList keys;
        for (const QString& key : NewerSettingKeys())
            keys << "'" + key + "'";
        p.execute("delete from Param where ParamID in (" + keys.join(',') + ")");
        LockedFolder lock(p.folder() + "/images/mark");
        if (!lock.locked) QSKIP("this machine cannot lock a folder");
        p.start();
        QVERIFY(p.session().Conn.readOnly());
        QVERIFY(p.main().startedUp());
        for (const auto& m : p.platform().messages)
            QVERIFY2(!m.text.contains("错误号"), qPrintable(m.text));
        QCOMPARE(ReadSetting(p.session().Conn, Key::FontStep), QStringLiteral("0"));
    }
    void aMissingSeedSettingIsStillAnError() {
        Folder f;
        Db(f.bank).exec("delete from Param where ParamID='" + Key::NumberMode + "'");
        Bank bank;
        bank.open(f.bank);
        try {
            ReadSetting(bank, Key::NumberMode);
            QFAIL("a missing seed row read as a value");
        } catch (const DatabaseError& e) {
            QCOMPARE(e.number(), int(DatabaseError::NoCurrentRecord));
        }
    }

    // The program folder cannot be written and holds a bank from an older build (no Tags or
    // Explain, no history): the learner's bank is made from it, and refreshed from it.
    void anOlderShippedBankMakesTheUsersBank() {
        QTemporaryDir dir;
        const QString program = dir.filePath("program");
        QDir().mkpath(program + "/images/mark");
        {
            Db old(BankFile(program));
            old.exec("create table Paper (ID integer primary key, Type text, Question text, An1 "
                     "text, An2 text, An3 text, An4 text, AnswerTrue text, ImageUrl text, "
                     "LicenseType text, chap text, strType text, ErrPaper integer default 0)");
            old.exec("create table Param (ParamID text primary key, ParamValue text)");
            old.exec("create table Record (ID integer primary key autoincrement, score integer, "
                     "RecordTime text)");
            for (const auto& [key, value] : ShippedSettings())
                if (!NewerSettingKeys().contains(key))
                    old.exec(
                        QStringLiteral("insert into Param values('%1', '%2')").arg(key, value));
            old.exec("insert into Paper(ID, Type, Question, An1, An2, An3, An4, AnswerTrue, "
                     "LicenseType, chap, strType) values(1, '1', '旧题', '甲', '乙', '丙', '丁', "
                     "'1', 'C', '1', '第一章')");
        }
        const auto locked = [](const QString&) { return false; };
        const QString user = dir.filePath("home/kemu1");
        BankPlace place = locateBank(program, user, locked);
        QVERIFY2(place.error.isEmpty(), qPrintable(place.error));
        Bank bank;
        bank.open(place.bankFile);
        QVERIFY(bank.hasHistory());
        // An update of the program brings a second old-style question.
        Db(BankFile(program))
            .exec("insert into Paper(ID, Type, Question, An1, An2, An3, An4, AnswerTrue, "
                  "LicenseType, chap, strType) values(2, '2', '新题', '', '', '', '', '1', 'C', "
                  "'1', '第一章')");
        bank.close();
        place = locateBank(program, user, locked);
        QVERIFY2(place.error.isEmpty() && place.warning.isEmpty(),
                 qPrintable(place.error + place.warning));
        QCOMPARE(Db(place.bankFile).value("select count(*) from Paper").toInt(), 2);
    }

    // Program folder read-only, and no data folder can be made (a kiosk): practice on the
    // shipped bank, which is never written.
    void withNowhereToSaveTheShippedBankOpensReadOnly() {
        Folder program;
        writeFile(program.path("home"), "a file, not a folder");
        const BankPlace place = locateBank(program.dir.path(), program.path("home/kemu1"),
                                           [](const QString&) { return false; });
        QVERIFY2(place.error.isEmpty(), qPrintable(place.error));
        QCOMPARE(place.bankFile, program.bank);
        QVERIFY(place.readOnly);
        const QByteArray before = fileHash(program.bank);
        TestProgram p(smallBank());
        p.session().bankFile = program.bank;
        p.session().bankReadOnly = place.readOnly;
        p.start();
        QVERIFY(p.main().startedUp());
        QVERIFY(p.session().Conn.readOnly());
        bool told = false;
        for (const auto& m : p.platform().messages)
            told = told || m.text.contains(QStringLiteral("不会被保存"));
        QVERIFY(told);
        p.session().Conn.execute(Sql::setWrongMark(1));
        p.main().close();
        QCOMPARE(fileHash(program.bank), before);
    }

    // As root, history, export and backup must not replace a device node (nor a pipe or a
    // folder), reached directly or through a link.
    void outputsAreOnlyPlainFiles_data() {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("command");
        for (const char* node :
             {"device", "link to device", "link to /dev/null", "pipe", "folder", "link to nowhere"})
            for (const char* command : {"history", "export", "backup"})
                QTest::addRow("%s, %s", node, command)
                    << QString::fromLatin1(node) << QString::fromLatin1(command);
    }
    void outputsAreOnlyPlainFiles() {
        QFETCH(QString, node);
        QFETCH(QString, command);
        Folder f;
        QString out = f.path("out");
        const QString device = f.path("null");
        if (node.contains("device")) {
            if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QSKIP("making a device node needs root");
            if (node == "link to device")
                QVERIFY(QFile::link(device, out));
            else
                out = device;
        }
        if (node == "link to /dev/null") QVERIFY(QFile::link("/dev/null", out));
        if (node == "pipe") QCOMPARE(::mkfifo(QFile::encodeName(out).constData(), 0600), 0);
        if (node == "folder") QVERIFY(QDir().mkpath(out));
        if (node == "link to nowhere") QVERIFY(QFile::link(f.path("elsewhere"), out));
        struct stat before {};
        ::stat(QFile::encodeName(out).constData(), &before);
        Outcome outcome;
        if (command == "history") outcome = exportHistory(f.bank, out);
        if (command == "export") outcome = exportCsv(f.bank, out);
        if (command == "backup") outcome = backupLearner(f.bank, out);
        QVERIFY(!outcome.ok());
        struct stat after {};
        ::stat(QFile::encodeName(out).constData(), &after);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_rdev, before.st_rdev);
        QVERIFY(!QFileInfo::exists(f.path("elsewhere")));
    }

    // A bank on a full disk: opened for practice as it was (no switch of its journal, no log
    // files), and the learner told the disk is full; a backup onto it says so too.
    void aFullDiskLeavesTheBankAsItWas() {
        FullDisk disk;
        if (!disk.mounted) QSKIP("mounting a small tmpfs needs root");
        Folder f;
        const QString bank = disk.path("question.dll");
        QVERIFY(QFile::copy(f.bank, bank));
        disk.fill();
        const QByteArray before = fileHash(bank);
        Bank b;
        b.open(bank);
        QVERIFY(b.readOnly());
        QVERIFY(b.readOnlyNotice().contains(QStringLiteral("磁盘已满")));
        QCOMPARE(GetQuestionSum(b, Sql::classCount("C")), 4);
        b.close();
        QCOMPARE(fileHash(bank), before);
        QVERIFY(!QFileInfo::exists(bank + "-wal"));
        QVERIFY(!QFileInfo::exists(bank + "-shm"));
        const Outcome backup = backupLearner(f.bank, disk.path("learner.backup"));
        QVERIFY(!backup.ok());
        QVERIFY2(backup.problems.join('\n').contains("the disk is full"),
                 qPrintable(backup.problems.join('\n')));
    }

    // Another program's SQLite file with tables Paper, Param and Record of its own making:
    // refused as no bank of this program, by the program and by every command, byte for byte
    // untouched.
    void aForeignFileWithTheSameTablesIsLeftAlone() {
        QTemporaryDir dir;
        const QString file = dir.filePath("question.dll");
        {
            Db db(file);
            db.exec("create table Paper (Title text, Author text)");
            db.exec("create table Param (Name text, Value text)");
            db.exec("create table Record (Place text)");
            db.exec("insert into Param values('x', 'y')");
        }
        const QByteArray before = fileHash(file);
        Bank bank;
        try {
            bank.open(file);
            QFAIL("a foreign file opened as a bank");
        } catch (const DatabaseError& e) {
            QVERIFY2(e.description().contains(QStringLiteral("不是本软件的题库")),
                     qPrintable(e.description()));
        }
        Folder f;
        const QString backup = f.path("learner.backup");
        QVERIFY(backupLearner(f.bank, backup).ok());
        QVERIFY(exportCsv(f.bank, f.path("questions.csv")).ok());
        for (const Outcome& outcome :
             {backupLearner(file, dir.filePath("b")), restoreLearner(file, backup),
              importCsv(file, f.path("questions.csv")), exportHistory(file, dir.filePath("h"))})
            QVERIFY2(outcome.problems.join('\n').contains("not a question bank of this program"),
                     qPrintable(outcome.problems.join('\n')));
        QCOMPARE(fileHash(file), before);
        QVERIFY(!QFileInfo::exists(file + "-wal"));
    }

    // A backup damaged in its first line is called damaged, not something else.
    void aDamagedFirstLineSaysDamaged_data() {
        QTest::addColumn<int>("at"); // the byte of the first line flipped
        for (int at : {0, 2, 12, 30, 60})
            QTest::addRow("byte %d", at) << at;
    }
    void aDamagedFirstLineSaysDamaged() {
        QFETCH(int, at);
        Folder f;
        const QString backup = f.path("learner.backup");
        QVERIFY(backupLearner(f.bank, backup).ok());
        QByteArray bytes = readFile(backup);
        QVERIFY(at < bytes.indexOf('\n'));
        bytes[at] = char(bytes[at] ^ 0x55);
        writeFile(backup, bytes);
        const Outcome outcome = restoreLearner(f.bank, backup);
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.problems.join('\n').contains("damaged"),
                 qPrintable(outcome.problems.join('\n')));
    }
};

QTEST_MAIN(BankFaultsTest)
#include "test_bankfaults.moc"
