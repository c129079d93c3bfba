// Where the learner's bank lives: beside a writable portable copy, or in the user's own data
// folder when the program's folder is read-only (installed), refreshed after an upgrade.
#include "SqlFile.h"
#include "TestProgram.h"
#include "store/Bank.h"
#include "store/BankLocation.h"
#include "store/DatabaseError.h"
#include "store/Module1.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

QList<Question> shippedQuestions() {
    return {choice(1, "ABC", "1", "A"), judge(2, "C", "1", "对"), choice(3, "B", "2", "C")};
}

// An installed layout in a temporary folder: usr/bin for the program, usr/share/kemu1 for
// its read-only data, and a home of its own.
struct Installed {
    QTemporaryDir dir;
    QString bin() const { return dir.filePath("usr/bin"); }
    QString share() const { return dir.filePath("usr/share/kemu1"); }
    QString shipped() const { return BankFile(share()); }
    QString user() const { return dir.filePath("home/.local/share/kemu1"); }
    QString userBank() const { return user() + "/question.dll"; }
    explicit Installed(const QList<Question>& questions = shippedQuestions()) {
        QDir().mkpath(bin());
        QDir().mkpath(share() + "/images/mark");
        if (!writeBank(shipped(), questions).isEmpty()) qFatal("cannot write the shipped bank");
    }
    BankPlace start() const { return locateBank(bin(), user()); }
};

// What a learner leaves in their bank: a mark, a setting, a score and a table of their own.
void practise(const QString& bank) {
    Db sql(bank);
    sql.run("update Paper set ErrPaper=1 where ID=1");
    sql.run("update Param set ParamValue='B' where ParamID='考试车型'");
    sql.run("insert into Record(score, RecordTime) values(95, '2026-01-02 10:00:00')");
    sql.run("create table Notes(note text)");
    sql.run("insert into Notes values('remember the school bus rule')");
}

} // namespace

class UserDataTest : public QObject {
    Q_OBJECT

  private slots:
    void firstStartCopiesTheShippedBankIntoTheUsersFolder() {
        Installed app;
        const QByteArray shipped = fileHash(app.shipped());
        const BankPlace place = app.start();
        QVERIFY2(place.error.isEmpty(), qPrintable(place.error));
        QVERIFY(place.warning.isEmpty());
        QCOMPARE(place.programFolder, app.share());
        QCOMPARE(place.bankFile, app.userBank());
        // The same bank, copied page by page (its header counters are its own).
        QString error;
        QCOMPARE(contentDigest(app.userBank(), error), contentDigest(app.shipped(), error));
        QCOMPARE(Db(app.userBank()).value("select group_concat(ParamID || ParamValue) from Param"),
                 Db(app.shipped()).value("select group_concat(ParamID || ParamValue) from Param"));
        QVERIFY(QFileInfo(app.userBank()).isWritable());
        QCOMPARE(fileHash(app.shipped()), shipped);
        // No half-copied file left behind.
        QCOMPARE(QDir(app.user()).entryList({"*.partial*"}, QDir::Files), QStringList());
    }

    void nextStartUsesTheSameBankAndLeavesItAlone() {
        Installed app;
        QCOMPARE(app.start().bankFile, app.userBank());
        practise(app.userBank());
        // A change of the learner's own to the content: nothing shipped is new, so it stays.
        Db(app.userBank()).run("update Paper set Question='my own wording' where ID=2");
        const QByteArray before = fileHash(app.userBank());
        const BankPlace place = app.start();
        QCOMPARE(place.bankFile, app.userBank());
        QVERIFY(place.error.isEmpty() && place.warning.isEmpty());
        QCOMPARE(fileHash(app.userBank()), before);
        QCOMPARE(Db(app.userBank()).value("select Question from Paper where ID=2").toString(),
                 QStringLiteral("my own wording"));
    }

    void upgradeRefreshesTheQuestionsAndKeepsTheLearnersData() {
        Installed app;
        app.start();
        practise(app.userBank());
        // The new package: question 1 reworded, 3 gone, 4 new.
        QList<Question> upgraded = {choice(1, "ABC", "1", "B"), judge(2, "C", "1", "对"),
                                    judge(4, "A", "3", "错")};
        upgraded[0].question = QStringLiteral("新的题目");
        QFile::remove(app.shipped());
        QCOMPARE(writeBank(app.shipped(), upgraded), QString());

        const BankPlace place = app.start();
        QVERIFY2(place.error.isEmpty() && place.warning.isEmpty(), qPrintable(place.warning));
        Db sql(app.userBank());
        QCOMPARE(
            sql.value("select group_concat(ID) from (select ID from Paper order by ID)").toString(),
            QStringLiteral("1,2,4"));
        QCOMPARE(sql.value("select Question from Paper where ID=1").toString(),
                 QStringLiteral("新的题目"));
        QCOMPARE(sql.value("select AnswerTrue from Paper where ID=1").toString(),
                 QStringLiteral("2"));
        QCOMPARE(sql.value("select ErrPaper from Paper where ID=1").toInt(), 1);
        QCOMPARE(sql.value("select ErrPaper from Paper where ID=4").toInt(), 0);
        QCOMPARE(sql.value("select ParamValue from Param where ParamID='考试车型'").toString(),
                 QStringLiteral("B"));
        QCOMPARE(sql.value("select count(*) from Param").toInt(), shippedSettings().size());
        QCOMPARE(sql.value("select score || ' ' || RecordTime from Record").toString(),
                 QStringLiteral("95 2026-01-02 10:00:00"));
        QCOMPARE(sql.value("select note from Notes").toString(),
                 QStringLiteral("remember the school bus rule"));
    }

    void refreshHappensOncePerUpgrade() {
        Installed app;
        app.start();
        QList<Question> upgraded = shippedQuestions();
        upgraded[1].question = QStringLiteral("改过的判断题");
        QFile::remove(app.shipped());
        QCOMPARE(writeBank(app.shipped(), upgraded), QString());
        app.start();
        QCOMPARE(Db(app.userBank()).value("select Question from Paper where ID=2").toString(),
                 QStringLiteral("改过的判断题"));
        // Learner's own edit after the upgrade survives the following starts.
        Db(app.userBank()).run("update Paper set Question='mine' where ID=2");
        app.start();
        QCOMPARE(Db(app.userBank()).value("select Question from Paper where ID=2").toString(),
                 QStringLiteral("mine"));
    }

    void twoUsersHaveTwoBanks() {
        Installed app;
        const QString other = app.dir.filePath("home2/.local/share/kemu1");
        const BankPlace first = app.start();
        const BankPlace second = locateBank(app.bin(), other);
        QVERIFY(first.bankFile != second.bankFile);
        practise(first.bankFile);
        QCOMPARE(Db(second.bankFile).value("select ErrPaper from Paper where ID=1").toInt(), 0);
        QCOMPARE(Db(second.bankFile).value("select count(*) from Record").toInt(), 0);
    }

    void aFailedRefreshIsAWarningNotAnError() {
        Installed app;
        app.start();
        QList<Question> upgraded = shippedQuestions();
        upgraded[0].question = QStringLiteral("新版");
        QFile::remove(app.shipped());
        QCOMPARE(writeBank(app.shipped(), upgraded), QString());
        // A learner's bank damaged since the last start cannot take the new questions.
        QFile f(app.userBank());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("not a bank at all");
        f.close();
        const BankPlace place = app.start();
        QVERIFY(place.error.isEmpty());
        QVERIFY(!place.warning.isEmpty());
        QCOMPARE(place.bankFile, app.userBank());
        // Nothing was made over the learner's file; opening it reports the damage.
        QFile again(app.userBank());
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), QByteArray("not a bank at all"));
        Bank bank;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, bank.open(place.bankFile));
    }

    void aMissingOrDamagedShippedBankIsAnError() {
        Installed app;
        QFile::remove(app.shipped());
        QFile f(app.shipped());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("garbage");
        f.close();
        QDir().mkpath(app.share() + "/images/mark");
        const BankPlace place = app.start();
        QVERIFY(!place.error.isEmpty());
        QVERIFY(place.error.contains(app.shipped()));
        QVERIFY(!QFile::exists(app.userBank()));
    }

    void writablePortableFolderKeepsItsOwnBank() {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("images/mark"));
        QCOMPARE(writeBank(BankFile(dir.path()), shippedQuestions()), QString());
        const QString user = dir.filePath("home/kemu1");
        const BankPlace place = locateBank(dir.path(), user);
        QCOMPARE(place.programFolder, dir.path());
        QCOMPARE(place.bankFile, BankFile(dir.path()));
        QVERIFY(!QFileInfo::exists(user));
    }

    void readOnlyPortableFolderUsesTheUsersBank() {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("images/mark"));
        QCOMPARE(writeBank(BankFile(dir.path()), shippedQuestions()), QString());
        const QString user = dir.filePath("home/kemu1");
        const BankPlace place = locateBank(dir.path(), user, [](const QString&) { return false; });
        QCOMPARE(place.programFolder, dir.path());
        QCOMPARE(place.bankFile, user + "/question.dll");
        QVERIFY(QFileInfo::exists(place.bankFile));
    }

    void writableMeansTheBankAndItsFolder() {
        QTemporaryDir dir;
        const QString bank = dir.filePath("question.dll");
        QVERIFY(!bankWritable(bank));
        QCOMPARE(writeBank(bank, shippedQuestions()), QString());
        QVERIFY(bankWritable(bank));
#ifdef Q_OS_WIN
        QSKIP("wine lets its one user write read-only files, and keeps no folder ACLs");
#else
        if (geteuid() == 0) QSKIP("root may write to read-only files");
#endif
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(!bankWritable(bank));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void dataFolderIsBesideTheProgramOrInShare() {
        Installed app;
        QCOMPARE(programDataFolder(app.bin()), app.share());
        QTemporaryDir portable;
        QDir().mkpath(portable.filePath("images/mark"));
        QCOMPARE(writeBank(BankFile(portable.path()), shippedQuestions()), QString());
        QCOMPARE(programDataFolder(portable.path()), portable.path());
        // Neither: the bank is looked for beside the program, and reported missing there.
        QTemporaryDir empty;
        QCOMPARE(programDataFolder(empty.path()), empty.path());
        const BankPlace place = locateBank(empty.path(), empty.filePath("home"));
        QCOMPARE(place.bankFile, BankFile(empty.path()));
        QVERIFY(!QFileInfo::exists(empty.filePath("home")));
    }

    void theProgramPractisesOnTheUsersBank() {
        QTemporaryDir home; // outlives the program's connection: Windows keeps open files
        TestProgram p(shippedQuestions());
        const QByteArray shipped = fileHash(p.bankFile());
        const BankPlace place = prepareUserBank(p.bankFile(), home.filePath("kemu1"));
        QVERIFY(place.error.isEmpty());
        p.session().bankFile = place.bankFile;
        frmMain& m = p.start();
        QVERIFY(m.startedUp());
        QTest::mouseClick(control<QPushButton>(m, "btnCheXing"), Qt::LeftButton);
        control<QComboBox>(m, "CombolCarType")->setCurrentIndex(1);
        emit control<QComboBox>(m, "CombolCarType")->activated(1);
        QCOMPARE(Db(place.bankFile)
                     .value("select ParamValue from Param where ParamID='考试车型'")
                     .toString(),
                 QStringLiteral("B"));
        QCOMPARE(fileHash(p.bankFile()), shipped);
    }

    void aDamagedOwnBankCanBeSetAsideForAFreshCopy() {
        Installed app;
        const BankPlace place = app.start();
        practise(app.userBank());
        {
            QFile bank(app.userBank());
            QVERIFY(bank.open(QIODevice::ReadWrite));
            bank.write(QByteArray(100, 'x')); // the header gone
        }
        const QByteArray damaged = fileHash(app.userBank());
        auto startOn = [&](FakePlatform& platform) {
            AppContext s(platform, app.share());
            s.bankFile = place.bankFile;
            s.shippedBank = place.shippedBank;
            return frmMain(s).startedUp();
        };
        FakePlatform no;
        QVERIFY(!startOn(no));
        QCOMPARE(no.fatalErrors.size(), 1);
        QVERIFY(no.questions.first().text.contains(QDir::toNativeSeparators(app.userBank())));
        QCOMPARE(fileHash(app.userBank()), damaged);

        FakePlatform yes;
        yes.answers.push_back(true);
        QVERIFY(startOn(yes));
        QVERIFY(yes.fatalErrors.isEmpty());
        QVERIFY(yes.questions.first().text.contains("kemu1-bank restore"));
        const QString aside =
            app.userBank() + ".damaged-" + QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(fileHash(aside), damaged);
        Db fresh(app.userBank());
        QCOMPARE(fresh.value("select count(*) from Paper").toInt(), 3);
        QCOMPARE(fresh.value("select count(*) from Record").toInt(), 0);
    }

    void asRootNoDataFolderIsMadeInAnotherUsersHome() {
#ifdef Q_OS_WIN
        QSKIP("Windows has no file owners to compare");
#else
        if (geteuid() != 0) QSKIP("only root can start with another user's home");
        Installed app;
        const QString home = app.dir.filePath("home");
        QVERIFY(QDir().mkpath(home));
        QCOMPARE(::chown(QFile::encodeName(home).constData(), 65534, 65534), 0);
        const BankPlace place = app.start();
        QVERIFY(place.readOnly);
        QVERIFY2(place.warning.contains(QFileInfo(home).owner()), qPrintable(place.warning));
        QVERIFY(!QFileInfo::exists(app.dir.filePath("home/.local")));
#endif
    }

    void aFolderOfAnotherUserSaysWhoseItIs() {
#ifdef Q_OS_WIN
        QSKIP("Windows has no file owners to compare");
#else
        QTemporaryDir dir;
        const QString inside = dir.filePath("a/b/question.dll");
        QCOMPARE(ownedByOther(inside, geteuid()), QString());
        const QString other = ownedByOther(inside, geteuid() + 1);
        QVERIFY(other.contains(QFileInfo(dir.path()).owner()));
        QVERIFY(other.contains(dir.path()));
#endif
    }

    void aPortableCopyThatChangesBanksSaysSoAndBringsNewerPractice() {
        QTemporaryDir dir;
        const QString app = dir.filePath("kemu1");
        QVERIFY(QDir().mkpath(app + "/images/mark"));
        QCOMPARE(writeBank(BankFile(app), shippedQuestions()), QString());
        const QString user = dir.filePath("home/kemu1");
        const QString userBank = user + "/question.dll";
        bool folderWritable = true;
        auto start = [&] {
            return locateBank(app, user, [&](const QString&) { return folderWritable; });
        };
        auto answer = [](const QString& bank, int id, const QString& at) {
            Bank b;
            b.open(bank); // brings the history table
            b.execute(Statement("insert into History(QuestionID, Right, AnsweredAt) "
                                "values(?, 0, ?)",
                                {id, at}));
            b.execute(Statement("update Paper set ErrPaper=1 where ID=?", {id}));
        };
        QCOMPARE(start().bankFile, BankFile(app));
        answer(BankFile(app), 1, "2026-01-01 10:00:00");

        // The folder turns read-only: the learner's own bank, and a word about it.
        folderWritable = false;
        BankPlace place = start();
        QCOMPARE(place.bankFile, userBank);
        QVERIFY(place.switchNotice.contains(QDir::toNativeSeparators(userBank)));
        QCOMPARE(place.previousBank, BankFile(app));
        answer(userBank, 2, "2026-02-01 10:00:00");
        Db(userBank).run("insert into Record(score, RecordTime) values(93, '2026-02-01 11:00:00')");
        QVERIFY(start().switchNotice.isEmpty()); // no change, nothing said

        // Writable again: back to the folder's bank, told, and the newer practice offered.
        folderWritable = true;
        place = start();
        QCOMPARE(place.bankFile, BankFile(app));
        QVERIFY(place.switchNotice.contains(QDir::toNativeSeparators(userBank)));
        QCOMPARE(place.previousBank, userBank);
        Bank bank;
        bank.open(place.bankFile);
        QCOMPARE(NewerPractice(bank, place.previousBank), 2);
        int brought = 0;
        QCOMPARE(BringNewerPractice(bank, place.previousBank, &brought), QString());
        QCOMPARE(brought, 2);
        QCOMPARE(NewerPractice(bank, place.previousBank), 0);
        bank.close();
        Db folder(BankFile(app));
        QCOMPARE(folder.value("select count(*) from History").toInt(), 2);
        QCOMPARE(folder.value("select ErrPaper from Paper where ID=2").toInt(), 1);
        QCOMPARE(folder.value("select score from Record").toInt(), 93);
    }
};

QTEST_MAIN(UserDataTest)
#include "test_userdata.moc"
