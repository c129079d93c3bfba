// Faults a learner's machine can throw at the program: damaged or locked banks, kills in the
// middle of work, two copies at once, and hostile text in the bank.
#include "BankFile.h"
#include "TestProgram.h"
#include "practice/AnswerCardView.h"
#include "store/Bank.h"
#include "store/BankContent.h"
#include "store/Module1.h"
#include "store/Statements.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

namespace {

QList<Question> examBank() {
    QList<Question> list;
    for (int chap = 1; chap <= 9; ++chap)
        list.append(series(chap * 100, 30, "ABC", QString::number(chap)));
    return list;
}

QString integrity(const QString& file) {
    QString result;
    {
        auto db = QSqlDatabase::addDatabase("QSQLITE", "integrity");
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        q.exec("pragma integrity_check");
        q.next();
        result = q.value(0).toString();
    }
    QSqlDatabase::removeDatabase("integrity");
    return result;
}

QString drill() {
    return QStringLiteral(DRILL);
}

} // namespace

class ResilienceTest : public QObject {
    Q_OBJECT

  private slots:
    void damagedBanksEndWithAPlainMessage_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("words");
        QTest::newRow("not a database") << QByteArray(8192, 'x') << "不是本软件的题库";
        QTest::newRow("empty file") << QByteArray() << "不是本软件的题库";
    }
    void damagedBanksEndWithAPlainMessage() {
        QFETCH(QByteArray, content);
        QFETCH(QString, words);
        TestProgram p({choice(1, "C", "1", "A")});
        QFile f(p.bankFile());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        frmMain& m = p.start();
        QVERIFY(!m.startedUp());
        QCOMPARE(p.platform().fatalErrors.size(), 1);
        QVERIFY2(p.platform().fatalErrors[0].second.contains(words),
                 qPrintable(p.platform().fatalErrors[0].second));
    }

    void truncatedBankIsReportedNotUsed() {
        TestProgram p(examBank());
        QFile f(p.bankFile());
        const qint64 size = f.size();
        QVERIFY(f.resize(size / 2));
        frmMain& m = p.start();
        if (m.startedUp()) {
            // The start may get through on the pages that survived; the first use fails plainly.
            control<QPushButton>(m, "BtnSequence")->click();
            control<QPushButton>(m, "BtnRandom")->click();
        }
        QVERIFY(!p.platform().fatalErrors.isEmpty());
        QVERIFY(p.platform().fatalErrors[0].second.contains("损坏"));
    }

    // A bank that cannot be written still serves practice; the learner is told once.
    void readOnlyBankPracticesWithOneNotice() {
        TestProgram p({choice(1, "C", "1", "A")});
        // Root writes through file modes; the immutable flag stops even root.
        const bool root = getuid() == 0;
        if (root) {
            if (QProcess::execute("chattr", {"+i", p.bankFile()}) != 0)
                QSKIP("no immutable flag on this file system");
        } else {
            QFile::setPermissions(p.bankFile(), QFile::ReadOwner | QFile::ReadUser);
        }
        auto contents = [&] {
            QFile f(p.bankFile());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        };
        const QByteArray before = contents();
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "BtnB")->click(); // wrong: judged and shown, not saved
        const QString verdict = control<QLabel>(m, "ImgYesNo")->accessibleName();
        const auto errors = p.platform().fatalErrors;
        const QStringList messages = p.platform().messageTexts();
        if (root) QProcess::execute("chattr", {"-i", p.bankFile()});
        QVERIFY(m.startedUp());
        QVERIFY(errors.isEmpty());
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("只读"), qPrintable(messages[0]));
        QCOMPARE(verdict, QStringLiteral("回答错误"));
        QCOMPARE(contents(), before);
    }

    // A bank left in its write-ahead-log mode by an earlier run, in a folder nobody may write
    // (a copy locked down afterwards): SQLite cannot make the log's index there, yet the
    // bank still opens, read-only, with the learner's marks.
    void aBankInAFolderNobodyMayWriteStillOpens() {
        QTemporaryDir dir;
        const QString file = BankFile(dir.path());
        QDir().mkpath(QFileInfo(file).absolutePath());
        QCOMPARE(writeBank(file, {choice(1, "C", "1", "A"), choice(2, "C", "1", "B")}), QString());
        {
            Bank bank;
            bank.open(file); // switches the bank to its write-ahead log
            bank.execute(Sql::setWrongMark(1));
        }
        QVERIFY(!QFileInfo::exists(file + "-shm"));
        QFile header(file);
        QVERIFY(header.open(QIODevice::ReadOnly));
        QCOMPARE(header.read(20).at(18), char(2)); // the file says: write-ahead log
        header.close();
        const QString folder = QFileInfo(file).absolutePath();
        const bool root = getuid() == 0;
        if (root) {
            if (QProcess::execute("chattr", {"+i", folder}) != 0)
                QSKIP("no immutable flag on this file system");
        } else {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        }
        const auto unlock = qScopeGuard([&] {
            if (root)
                QProcess::execute("chattr", {"-i", folder});
            else
                QFile::setPermissions(folder,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QString error;
        QCOMPARE(readBankQuestions(file, error).size(), 2);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        Bank bank;
        bank.open(file);
        QVERIFY(bank.readOnly());
        QCOMPARE(bank.firstValue(QStringLiteral("select ErrPaper from Paper where ID = 1"),
                                 QStringLiteral("ErrPaper"))
                     .toBool(),
                 true);
    }

    void unreadablePictureShowsThePlaceholder() {
        TestProgram p({choice(1, "C", "1", "A", "broken.jpg")});
        QFile f(p.folder() + "/images/mark/broken.jpg");
        f.open(QIODevice::WriteOnly);
        f.write("not a picture at all");
        f.close();
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        QVERIFY(!control<QLabel>(m, "ImgMarkPic")->pixmap().isNull());
        QVERIFY(control<QLabel>(m, "ImgMarkPic")
                    ->accessibleName()
                    .contains(QStringLiteral("图片无法显示")));
        QCOMPARE(control<QLabel>(m, "LblQuestion")->text(), QStringLiteral("选择题 1"));
    }

    void hostileTextIsShownAsItIs() {
        Question q = choice(1, "C", "1'--", "A");
        q.question = QStringLiteral("引号 ' \" 百分号 % 下划线 _ 反斜杠 \\ 表情 🚗🚦 𠀀") +
                     QString(1900, QChar(u'长'));
        q.options = {"%", "_", "'", QStringLiteral("🚗")};
        q.strType = "O'Reilly 100%_";
        TestProgram p({q, choice(2, "C", "1", "B")});
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        QCOMPARE(control<QLabel>(m, "LblQuestion")->text(), q.question);
        QCOMPARE(control<QLabel>(m, "LblAnswerD")->text(), QStringLiteral("🚗"));
        control<QPushButton>(m, "BtnB")->click();
        QVERIFY(p.errPaper(1));
        QVERIFY(p.platform().messages.isEmpty());
        QCOMPARE(GetQuestionSumFor(p, Sql::chapterCount("C", "1'--")), 1);
    }

    void killedMidPracticeKeepsEveryMark() {
        TestProgram p(examBank());
        QProcess process;
        process.start(drill(), {p.folder(), "practice", "1000"});
        QVERIFY(process.waitForStarted());
        QByteArray out;
        // Kill it in the middle of its work: once it has written some marks.
        while (out.count("marked") < 5 && process.waitForReadyRead(15000))
            out += process.readAllStandardOutput();
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished(5000));
        out += process.readAllStandardOutput();
        const QStringList lines = QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(integrity(p.bankFile()), QStringLiteral("ok"));
        int marks = 0;
        for (const QString& line : lines) {
            QVERIFY2(!line.startsWith("fatal") && !line.startsWith("error"), qPrintable(line));
            if (!line.startsWith("marked ")) continue;
            ++marks;
            QVERIFY2(p.errPaper(line.mid(7).toLongLong()), qPrintable(line));
        }
        QVERIFY(marks >= 5);
    }

    // A wrong answer's mark and its history row land together: killed at any moment, the
    // bank holds both or neither.
    void killedMidJudgingKeepsMarkAndHistoryTogether() {
        TestProgram p(examBank());
        for (int run = 0; run < 8; ++run) {
            QProcess process;
            process.start(drill(), {p.folder(), "practice", "1000"});
            QVERIFY(process.waitForStarted());
            QByteArray out;
            while (out.count("marked") < 3 + run * 4 && process.waitForReadyRead(15000))
                out += process.readAllStandardOutput();
            ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
            QVERIFY(process.waitForFinished(5000));
            QCOMPARE(integrity(p.bankFile()), QStringLiteral("ok"));
            // Marks only ever come from wrong answers here, so each mark has its row.
            QCOMPARE(p.value("select count(*) from Paper where ErrPaper=1 and ID not in "
                             "(select QuestionID from History where Right=0)")
                         .toInt(),
                     0);
            QCOMPARE(p.value("select count(*) from History where Right=0 and QuestionID not in "
                             "(select ID from Paper where ErrPaper=1)")
                         .toInt(),
                     0);
        }
        QVERIFY(p.value("select count(*) from History").toInt() >= 3);
    }

    void killedMidExamKeepsEveryRecord() {
        TestProgram p(examBank());
        QProcess process;
        process.start(drill(), {p.folder(), "exam", "1000"});
        QVERIFY(process.waitForStarted());
        QByteArray out;
        while (out.count("record") < 2 && process.waitForReadyRead(15000))
            out += process.readAllStandardOutput();
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished(5000));
        out += process.readAllStandardOutput();
        QVERIFY2(!out.contains("fatal") && !out.contains("error"), qPrintable(out));
        QCOMPARE(integrity(p.bankFile()), QStringLiteral("ok"));
        QVERIFY(out.count("record ") >= 2);
        QVERIFY(p.value("select count(*) from Record").toInt() >= out.count("record "));
    }

    void twoCopiesOnOneBankBothFinish() {
        TestProgram p(examBank());
        QProcess one, two;
        one.start(drill(), {p.folder(), "practice", "15"});
        two.start(drill(), {p.folder(), "exam", "8"});
        QVERIFY(one.waitForFinished(50000));
        QVERIFY(two.waitForFinished(50000));
        const QString outOne = QString::fromUtf8(one.readAllStandardOutput());
        const QString outTwo = QString::fromUtf8(two.readAllStandardOutput());
        QCOMPARE(one.exitCode(), 0);
        QCOMPARE(two.exitCode(), 0);
        QVERIFY(outOne.endsWith("done\n"));
        QVERIFY(outTwo.endsWith("done\n"));
        QCOMPARE(p.value("select count(*) from Record").toInt(), 8);
        QCOMPARE(integrity(p.bankFile()), QStringLiteral("ok"));
    }

  private:
    static int GetQuestionSumFor(TestProgram& p, const Statement& sql) {
        Bank bank;
        OpenQuestionBank(bank, p.folder());
        return GetQuestionSum(bank, sql);
    }
};

QTEST_MAIN(ResilienceTest)
#include "test_resilience.moc"
