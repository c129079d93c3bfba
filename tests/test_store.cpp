// The bank connection, the statement texts and the shared readers on a real SQLite bank.
#include "TestProgram.h"
#include "domain/Domain.h"
#include "store/Bank.h"
#include "store/DatabaseError.h"
#include "store/Module1.h"
#include "store/Statements.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class StoreTest : public QObject {
    Q_OBJECT

    static int count(TestProgram& p, const Statement& sql) {
        Bank bank;
        OpenQuestionBank(bank, p.folder());
        return GetQuestionSum(bank, sql);
    }

  private slots:
    void classMembershipFollowsLicenseLetters() {
        TestProgram p({choice(1, "ABC", "1", "A"), choice(2, "AB", "1", "B"),
                       choice(3, "C", "1", "C"), judge(4, "B", "2", "对")});
        QCOMPARE(count(p, Sql::classCount("A")), 2);
        QCOMPARE(count(p, Sql::classCount("B")), 3);
        QCOMPARE(count(p, Sql::classCount("C")), 2);
    }

    void chapterComparedAsText() {
        TestProgram p(
            {choice(1, "C", "1", "A"), choice(2, "C", "01", "A"), choice(3, "C", "1", "A")});
        QCOMPARE(count(p, Sql::chapterCount("C", "1")), 2);
        QCOMPARE(count(p, Sql::chapterCount("C", "01")), 1);
        QCOMPARE(count(p, Sql::chapterCount("C", "9")), 0);
    }

    void examTimeAndPassMarkTakeTheWholePart() {
        TestProgram p({choice(1, "C", "1", "A")},
                      settingsWith({{Key::ExamTime, "45.9"}, {Key::PassScore, "89.99"}}));
        Bank bank;
        OpenQuestionBank(bank, p.folder());
        QCOMPARE(GetExamTime(bank), 45);
        QCOMPARE(GetPassScore(bank), 89);
    }

    void nonNumericSettingIsATypeMismatch() {
        TestProgram p({choice(1, "C", "1", "A")}, settingsWith({{Key::ExamTime, "abc"}}));
        Bank bank;
        OpenQuestionBank(bank, p.folder());
        try {
            GetExamTime(bank);
            QFAIL("no error");
        } catch (const DatabaseError& e) {
            QCOMPARE(e.number(), DatabaseError::TypeMismatch);
        }
    }

    void recordGetsIdAndLocalInsertTime() {
        TestProgram p({choice(1, "C", "1", "A")});
        Bank bank;
        OpenQuestionBank(bank, p.folder());
        const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
        ExamRecord record;
        record.score = 87;
        bank.execute(Sql::insertRecord(record));
        record.score = 91;
        record.earned = QDateTime::currentDateTime();
        bank.execute(Sql::insertRecord(record));
        const QDateTime after = QDateTime::currentDateTime().addSecs(2);
        QCOMPARE(p.value("select count(*) from Record").toInt(), 2);
        const QVariant id = p.value("select ID from Record where score=87");
        QVERIFY(id.toInt() > 0);
        QVERIFY(p.value("select ID from Record where score=91").toInt() > id.toInt());
        const auto time = QDateTime::fromString(
            p.value("select RecordTime from Record where score=87").toString(),
            "yyyy-MM-dd HH:mm:ss");
        QVERIFY(time.isValid());
        QVERIFY(time >= before && time <= after);
    }

    void quotesInValuesCannotBreakAStatement() {
        TestProgram p({choice(1, "C", "1", "A"), choice(2, "C", "x' or '1'='1", "A")});
        // Values are bound, never part of the statement's text.
        QVERIFY(!Sql::chapterCount("C", "x' or '1'='1").text.contains("or"));
        // The chapter code holding a quote matches only itself.
        QCOMPARE(count(p, Sql::chapterCount("C", "x' or '1'='1")), 1);
        QCOMPARE(count(p, Sql::chapterCount("C", "' or 1=1 --")), 0);
        Bank bank;
        OpenQuestionBank(bank, p.folder());
        WriteSetting(bank, Key::ResumePoint, "it's");
        QCOMPARE(ReadSetting(bank, Key::ResumePoint), QStringLiteral("it's"));
        QCOMPARE(p.value("select count(*) from Param").toInt(), ShippedSettings().size());
    }

    void missingSettingsRowHasNoCurrentRecord() {
        TestProgram p({choice(1, "C", "1", "A")});
        p.execute("delete from Param where ParamID='合格分数'");
        Bank bank;
        OpenQuestionBank(bank, p.folder());
        try {
            GetPassScore(bank);
            QFAIL("no error");
        } catch (const DatabaseError& e) {
            QCOMPARE(e.number(), DatabaseError::NoCurrentRecord);
        }
        // Updating a key without a row changes nothing and reports nothing.
        WriteSetting(bank, "没有这个键", "1");
        QCOMPARE(p.value("select count(*) from Param").toInt(), ShippedSettings().size() - 1);
    }

    void hugeCountIsRefusedNotWrapped() {
        TestProgram p({choice(1, "C", "1", "A")}, settingsWith({{Key::ExamTime, "99999999999"}}));
        Bank bank;
        OpenQuestionBank(bank, p.folder());
        try {
            GetExamTime(bank);
            QFAIL("no error");
        } catch (const DatabaseError& e) {
            QCOMPARE(e.number(), DatabaseError::Overflow);
        }
    }

    void openingFailsForMissingOrDamagedFiles() {
        // A folder without a bank (no other connection: Windows would keep an open file).
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("images/mark")));
        const QString file = BankFile(folder.path());
        Bank bank;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, OpenQuestionBank(bank, folder.path()));
        QVERIFY(!QFile::exists(file)); // never created by accident
        QFile junk(file);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, OpenQuestionBank(bank, folder.path()));
    }
};

QTEST_MAIN(StoreTest)
#include "test_store.moc"
