// Work the bank cannot take at the moment (another program holds it, the disk is full) and
// the ways the program ends: nothing waiting is dropped, and a signal ends it as 退出 does.
#include "TestProgram.h"
#include "domain/Domain.h"
#include "store/Module1.h"
#include "services/Records.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

// Another program holding the bank for writing, until released.
class Holder {
  public:
    explicit Holder(const QString& bank) {
        auto db = QSqlDatabase::addDatabase("QSQLITE", "holder");
        db.setDatabaseName(bank);
        if (!db.open() || !QSqlQuery(db).exec("begin immediate")) qFatal("cannot hold the bank");
    }
    ~Holder() { release(); }
    void release() {
        if (!QSqlDatabase::contains("holder")) return;
        {
            auto db = QSqlDatabase::database("holder", false);
            QSqlQuery(db).exec("rollback");
            db.close();
        }
        QSqlDatabase::removeDatabase("holder");
    }
};

void handInAnExam(TestProgram& p) {
    startExam(p);
    p.platform().answers.push_back(true); // hand in with questions unanswered
    control<QPushButton>(p.main(), "BtnJiaoJuan")->click();
}

QString asideFile(TestProgram& p) {
    return p.bankFile() + ".unsaved.json";
}

} // namespace

class WaitingTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { QStandardPaths::setTestModeEnabled(true); }

    void aScoreWaitingAtExitIsSetAsideAndTheNextStartSavesIt() {
        TestProgram p(checkedBank());
        p.start();
        Holder holder(p.bankFile());
        handInAnExam(p);
        QCOMPARE(p.session().practice.waitingRecords.size(), 1);
        p.platform().answers.push_back(false); // do not wait: put it aside
        control<QPushButton>(p.main(), "BtnExit")->click();
        QVERIFY(p.platform().questions.last().text.contains(QStringLiteral("1 次考试成绩")));
        QCOMPARE(p.platform().ends, 1);
        QVERIFY(QFileInfo::exists(asideFile(p)));
        holder.release();
        QCOMPARE(p.value("select count(*) from Record").toInt(), 0);

        p.start();
        QCOMPARE(p.value("select count(*) from Record").toInt(), 1);
        QCOMPARE(p.value("select CarType from Record").toString(), QStringLiteral("C"));
        QVERIFY(!QFileInfo::exists(asideFile(p)));
        QVERIFY(p.platform().messageTexts().join('\n').contains(QStringLiteral("已存入题库")));
    }

    void waitingForTheBankEndsTheProgramOnceTheScoreIsIn() {
        TestProgram p(checkedBank());
        p.start();
        Holder holder(p.bankFile());
        handInAnExam(p);
        p.platform().answers.push_back(true); // wait for the bank
        control<QPushButton>(p.main(), "BtnExit")->click();
        QCOMPARE(p.platform().ends, 0);
        QVERIFY(p.main().isVisible());
        p.clock("recordRetry")->advance(); // still held
        QCOMPARE(p.platform().ends, 0);
        holder.release();
        p.clock("recordRetry")->advance();
        QCOMPARE(p.value("select count(*) from Record").toInt(), 1);
        QCOMPARE(p.platform().ends, 1);
        QVERIFY(!QFileInfo::exists(asideFile(p)));
    }

    void aSignalSetsTheWaitingScoreAsideWithoutAsking() {
        TestProgram p(checkedBank());
        p.start();
        Holder holder(p.bankFile());
        handInAnExam(p);
        const auto asked = p.platform().questions.size();
        p.main().endBySignal();
        QCOMPARE(p.platform().questions.size(), asked);
        QCOMPARE(p.platform().ends, 1);
        QVERIFY(QFileInfo::exists(asideFile(p)));
        QVERIFY(p.session().practice.waitingRecords.isEmpty());
    }

    void aDamagedSetAsideFileIsLeftAndNamed() {
        TestProgram p(checkedBank());
        QFile f(asideFile(p));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(R"({"kemu1-unsaved":1,"scores":[{"score":150,"carType":"C","seconds":1,)"
                R"("earned":"2026-12-07 10:00:00"}]})");
        f.close();
        p.start();
        QCOMPARE(p.value("select count(*) from Record").toInt(), 0);
        QVERIFY(QFileInfo::exists(asideFile(p)));
        QVERIFY(p.platform().messageTexts().join('\n').contains(QStringLiteral("已损坏")));
    }

    void anAnswerWhileTheBankIsHeldStaysAndIsWrittenLater() {
        TestProgram p(checkedBank());
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        const qint64 id = p.session().practice.set.currentId().toLongLong();
        Holder holder(p.bankFile());
        // The first question is a choice answered A; B is wrong.
        control<QPushButton>(m, "BtnB")->click();
        QVERIFY(p.platform().fatalErrors.isEmpty());
        QVERIFY(!p.platform().messages.isEmpty());
        QCOMPARE(p.platform().messages.last().title, QStringLiteral("提示"));
        QVERIFY(p.session().practice.set.state(0).answered);
        QCOMPARE(p.value("select count(*) from History").toInt(), 0);
        // A second answer waits behind the first without a second message.
        const auto told = p.platform().messages.size();
        control<QPushButton>(m, "BtnNextQuestion")->click();
        QTest::keyClick(&m, Qt::Key_Y);
        QCOMPARE(p.platform().messages.size(), told);
        QCOMPARE(p.session().practice.waitingAnswers.size(), 2);

        holder.release();
        p.clock("recordRetry")->advance();
        QCOMPARE(p.value("select count(*) from History").toInt(), 2);
        QVERIFY(p.errPaper(id));
        QVERIFY(!p.clock("recordRetry")->isActive());
    }

    void aQuestionRemovedUnderTheWindowReloadsTheSet() {
        TestProgram p(checkedBank());
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        QCOMPARE(p.session().practice.set.currentId(), QStringLiteral("1000"));
        // A second copy's answers leave the set alone.
        p.execute("update Paper set ErrPaper=1 where ID=1005");
        control<QPushButton>(m, "BtnNextQuestion")->click();
        control<QPushButton>(m, "BtnPreQuestion")->click();
        QVERIFY(p.platform().messages.isEmpty());
        // Another start refreshes the bank: the question on screen and the next one are gone.
        p.execute("delete from Paper where ID in (1000, 1001)");
        control<QPushButton>(m, "BtnA")->click();
        QVERIFY(p.platform().fatalErrors.isEmpty());
        QCOMPARE(p.platform().messages.size(), 1);
        QCOMPARE(p.platform().messages.last().title, QStringLiteral("提示"));
        QCOMPARE(p.session().practice.set.positionOf("1000"), -1);
        QCOMPARE(p.session().practice.set.currentId(), QStringLiteral("1002"));
        QCOMPARE(p.value("select count(*) from History").toInt(), 0);
        // The refreshed set takes answers as before.
        control<QPushButton>(m, "BtnB")->click();
        QCOMPARE(p.value("select count(*) from History where QuestionID=1002").toInt(), 1);
        QCOMPARE(p.platform().messages.size(), 1);
    }

    void aSignalEndsTheProgramAsExitDoes_data() {
        QTest::addColumn<int>("number");
        QTest::addRow("SIGTERM") << SIGTERM;
        QTest::addRow("SIGINT") << SIGINT;
        QTest::addRow("SIGHUP") << SIGHUP;
    }
    void aSignalEndsTheProgramAsExitDoes() {
        QFETCH(int, number);
        QTemporaryDir dir;
        const QString bank = dir.filePath("school.dll");
        QCOMPARE(writeBank(bank, checkedBank()), QString());
        QProcess program;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir.path());
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(KEMU1_PROGRAM), {"--bank", bank});
        QVERIFY(program.waitForStarted());
        // The bank is open in write-ahead-log mode once its log exists.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(bank + "-wal"), 20000);
        ::kill(static_cast<pid_t>(program.processId()), number);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        // The log is folded back into the bank and removed; the window's place is kept.
        QVERIFY(!QFileInfo::exists(bank + "-wal"));
        Bank check;
        check.open(bank);
        QVERIFY(!ReadSetting(check, Key::WindowGeometry).isEmpty());
    }
};

QTEST_MAIN(WaitingTest)
#include "test_waiting.moc"
