// Nothing lost, nothing unsafe: the bank tool never harms the bank it works on, and hostile
// input neither freezes the program nor loses a learner's score.
#include "BankFile.h"
#include "Csv.h"
#include "Exchange.h"
#include "Safety.h"
#include "TestProgram.h"
#include "domain/Limits.h"
#include "practice/AnswerCardView.h"
#include "store/Statements.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Header = QStringLiteral(
    "ID,Type,Question,An1,An2,An3,An4,AnswerTrue,ImageUrl,LicenseType,chap,strType,Explain");

QByteArray hashOf(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
}

void writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString csvLine(const QStringList& cells) {
    QByteArray line;
    for (int i = 0; i < cells.size(); ++i)
        line += (i ? "," : "") + csvCell(cells[i]);
    return QString::fromUtf8(line);
}

QString row(qint64 id, const QString& image = {}, const QString& wording = {}) {
    return csvLine({QString::number(id), "1",
                    wording.isEmpty() ? QStringLiteral("导入的题目 %1").arg(id) : wording, "甲",
                    "乙", "丙", "丁", "3", image, "ABC", "1", "第1章", "解析"});
}

// A program folder's bank with one picture beside it; `files()` lists the folder.
struct BankDir {
    QTemporaryDir dir;
    QString file;
    BankDir() {
        QDir(dir.path()).mkpath("images/mark");
        file = dir.filePath("images/mark/question.dll");
        writeFile(folder("pic.jpg"), "a picture");
        const QString error = writeBank(file, checkedBank());
        if (!error.isEmpty()) qFatal("%s", qPrintable(error));
    }
    QString folder(const QString& name = {}) const { return dir.filePath("images/mark/" + name); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList files() const {
        return QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                        QDir::NoDotAndDotDot);
    }
    QString csv(const QStringList& rows, const QString& name = "in.csv") const {
        writeFile(path(name), (QStringList{Header} + rows).join("\r\n").toUtf8());
        return path(name);
    }
};

int sqliteCount(const QString& file, const QString& sql) {
    static int counter = 0;
    const QString name = QStringLiteral("safety-%1").arg(counter++);
    int n = -1;
    {
        auto db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        if (q.exec(sql) && q.next()) n = q.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(name);
    return n;
}

QList<Question> bankWith(const QString& wording, const QString& image = {}) {
    QList<Question> list = checkedBank();
    list.first().question = wording;
    list.first().imageUrl = image;
    return list;
}

} // namespace

class SafetyTest : public QObject {
    Q_OBJECT

  private slots:
    // --- Data loss through the bank tool ---

    void pictureNamesCannotReachTheBanksFiles_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"question.dll", "question.dll-journal", "QUESTION.DLL-wal", "question.dll-shm",
              "noneerr.jpg", "notes.txt", "picture", ".hidden.jpg", "../escape.jpg"})
            QTest::newRow(name) << QString::fromLatin1(name);
        QTest::newRow("control character") << QStringLiteral("pi\x01"
                                                             "c.jpg");
    }
    void pictureNamesCannotReachTheBanksFiles() {
        QFETCH(QString, name);
        BankDir b;
        QTemporaryDir pictures;
        if (!name.contains('/')) writeFile(pictures.filePath(name), "SQLite format 3 planted");
        const QByteArray before = hashOf(b.file);
        const QStringList files = b.files();
        const Outcome outcome = importCsv(b.file, b.csv({row(30001, name)}), pictures.path());
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.problems.join('\n').contains(":2: column ImageUrl:"),
                 qPrintable(outcome.problems.join('\n')));
        QVERIFY(!outcome.problems.join('\n').contains(QChar(1)));
        QCOMPARE(hashOf(b.file), before);
        QCOMPARE(b.files(), files);
    }

    void linksAndSpecialFilesAreNotCopied() {
        BankDir b;
        QTemporaryDir pictures;
        writeFile(b.path("secret.txt"), "not for the picture folder");
        QVERIFY(QFile::link(b.path("secret.txt"), pictures.filePath("link.jpg")));
        QCOMPARE(::mkfifo(QFile::encodeName(pictures.filePath("pipe.jpg")).constData(), 0600), 0);
        const QStringList files = b.files();
        for (const char* name : {"link.jpg", "pipe.jpg"}) {
            const Outcome outcome =
                importCsv(b.file, b.csv({row(30001, QString::fromLatin1(name))}), pictures.path());
            QVERIFY(!outcome.ok());
            QCOMPARE(b.files(), files);
        }
        // A plain picture beside them still comes in.
        writeFile(pictures.filePath("plain.jpg"), "a picture");
        const Outcome fine = importCsv(b.file, b.csv({row(30001, "plain.jpg")}), pictures.path());
        QVERIFY2(fine.ok(), qPrintable(fine.problems.join('\n')));
        QVERIFY(b.files().contains("plain.jpg"));
    }

    void outputsNeverLandOnTheBank_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"same path", "dot path", "symlink", "hard link", "journal name"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void outputsNeverLandOnTheBank() {
        QFETCH(QString, how);
        BankDir b;
        QString out = b.file;
        if (how == "dot path") out = b.folder("./question.dll");
        if (how == "symlink") {
            out = b.path("link.csv");
            QVERIFY(QFile::link(b.file, out));
        }
        if (how == "hard link") {
            out = b.path("hard.csv");
            QCOMPARE(
                ::link(QFile::encodeName(b.file).constData(), QFile::encodeName(out).constData()),
                0);
        }
        if (how == "journal name") out = b.folder("question.dll-journal");
        const QByteArray before = hashOf(b.file);
        const QStringList files = b.files();
        QVERIFY(!backupLearner(b.file, out).ok());
        QVERIFY(!exportCsv(b.file, out).ok());
        QCOMPARE(hashOf(b.file), before);
        QCOMPARE(b.files(), files);
    }

    void aFullDiskLeavesNoPartialFile() {
        if (::geteuid() != 0) QSKIP("mounting a small tmpfs needs root");
        BankDir b;
        QTemporaryDir small;
        if (::mount("tmpfs", QFile::encodeName(small.path()).constData(), "tmpfs", 0, "size=16k") !=
            0)
            QSKIP("this machine cannot mount a tmpfs");
        struct Unmount {
            QString path;
            ~Unmount() { ::umount(QFile::encodeName(path).constData()); }
        } unmount{small.path()};
        // More records than the small disk holds.
        {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "full-disk");
            db.setDatabaseName(b.file);
            db.open();
            QSqlQuery q(db);
            q.exec("begin");
            for (int i = 0; i < 2000; ++i)
                q.exec(QStringLiteral("insert into Record(score) values(%1)").arg(i % 101));
            q.exec("commit");
        }
        QSqlDatabase::removeDatabase("full-disk");
        const Outcome backup = backupLearner(b.file, small.filePath("learner.backup"));
        QVERIFY(!backup.ok());
        const Outcome exported = exportCsv(b.file, small.filePath("questions.csv"));
        QVERIFY(!exported.ok());
        QCOMPARE(
            QDir(small.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
    }

    // --- Hostile input to the import ---

    void importReadsOnlyPlainFilesOfSaneSize() {
        BankDir b;
        const QByteArray before = hashOf(b.file);
        QCOMPARE(::mkfifo(QFile::encodeName(b.path("pipe.csv")).constData(), 0600), 0);
        QFile big(b.path("big.csv"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(MaxImportBytes + 1));
        big.close();
        for (const QString& input :
             {QStringLiteral("/dev/zero"), b.path("pipe.csv"), b.path("big.csv"), b.folder()}) {
            const Outcome outcome = importCsv(b.file, input);
            QVERIFY2(!outcome.ok(), qPrintable(input));
        }
        QCOMPARE(hashOf(b.file), before);
    }

    void cellsHaveALimitAndNoNul() {
        BankDir b;
        const QByteArray before = hashOf(b.file);
        auto refused = [&](const QString& line) {
            const Outcome outcome = importCsv(b.file, b.csv({line}));
            return !outcome.ok() && hashOf(b.file) == before;
        };
        QVERIFY(refused(row(30001, {}, QString(MaxCellChars + 1, QChar(u'题')))));
        QVERIFY(refused(QStringLiteral("3000") + QChar(0) + QStringLiteral(" 9") + row(1).mid(1)));
        QStringList cells = {
            "30001", "1",     "题",  QString(3, QChar(0)), "乙", "丙", "丁", "3", "", "ABC",
            "1",     "第1章", "解析"};
        QVERIFY(refused(csvLine(cells)));
        // A control character in a bad value is not echoed to the terminal.
        cells = {"30001", "\x1b[31m", "题", "甲", "乙", "丙", "丁", "3", "", "ABC", "1", "章", ""};
        const Outcome echo = importCsv(b.file, b.csv({csvLine(cells)}));
        QVERIFY(!echo.ok());
        QVERIFY(!echo.problems.join('\n').contains(QChar(0x1b)));
        // The longest allowed text comes in.
        const Outcome longest =
            importCsv(b.file, b.csv({row(30001, {}, QString(MaxCellChars, QChar(u'题')))}));
        QVERIFY2(longest.ok(), qPrintable(longest.problems.join('\n')));
    }

    void formulasAreDefusedAndComeBackExactly() {
        BankDir a;
        const QStringList risky = {"=1+1",     "+86 电话",  "-5分",
                                   "@SUM(A1)", "'已有撇号", "\t制表符开头"};
        QStringList rows;
        for (int i = 0; i < risky.size(); ++i)
            rows.append(row(30001 + i, {}, risky[i]));
        QVERIFY(importCsv(a.file, a.csv(rows)).ok());
        QVERIFY(exportCsv(a.file, a.path("out.csv")).ok());
        QFile out(a.path("out.csv"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(out.readAll());
        for (const QString& cell : risky)
            QVERIFY2(text.contains(QStringLiteral(",'") + cell + ',') ||
                         text.contains(QStringLiteral(",\"'") + cell + "\","),
                     qPrintable(cell));
        BankDir b;
        QVERIFY(importCsv(b.file, a.path("out.csv")).ok());
        for (int i = 0; i < risky.size(); ++i)
            QCOMPARE(sqliteCount(b.file, QStringLiteral("select count(*) from Paper where ID=%1 "
                                                        "and Question='%2'")
                                             .arg(30001 + i)
                                             .arg(Sql::quoted(risky[i]))),
                     1);
    }

    void big5TextIsFlagged() {
        BankDir b;
        QByteArray bytes = Header.toUtf8() + "\r\n30001,2,";
        // "測試題目號碼車輛駕駛證" as Big5, four times.
        bytes += QByteArray::fromHex("b4fab8d5c344a5d8b8b9bd58a8aebdf8be72be70c3d2").repeated(4);
        bytes += ",,,,,1,,ABC,1,,\r\n";
        writeFile(b.path("big5.csv"), bytes);
        const Outcome outcome = importCsv(b.file, b.path("big5.csv"));
        QVERIFY(outcome.warnings.join('\n').contains("Big5"));
        // Ordinary GBK Chinese is not flagged.
        QStringEncoder gbk("GB18030");
        writeFile(b.path("gbk.csv"),
                  gbk.encode(Header + "\r\n" +
                             row(30002, {}, QStringLiteral("驾驶机动车通过路口时应当减速慢行"))));
        QVERIFY(!importCsv(b.file, b.path("gbk.csv")).warnings.join('\n').contains("Big5"));
    }

    // --- Hostile bank content in the program ---

    void bankTextIsShownAsPlainText() {
        const QString markup =
            QStringLiteral("<img src='/usr/share/pixmaps/debian-logo.png'><a href='x'>链接</a>"
                           "<font size=72>大</font>");
        QList<Question> list = bankWith(markup);
        list.first().options[0] = QStringLiteral("<b>粗体</b>");
        TestProgram p(list);
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        auto* question = m.findChild<QLabel*>("LblQuestion");
        auto* option = m.findChild<QLabel*>("LblAnswerA");
        QCOMPARE(question->text(), markup);
        QCOMPARE(question->textFormat(), Qt::PlainText);
        QCOMPARE(option->textFormat(), Qt::PlainText);
    }

    void hugeTextIsCutToTheImportLimit() {
        TestProgram p(bankWith(QString(1'000'000, QChar(u'长'))));
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        const QString shown = m.findChild<QLabel*>("LblQuestion")->text();
        QVERIFY(shown.size() <= MaxCellChars + 2);
        QVERIFY(shown.startsWith(QString(MaxCellChars, QChar(u'长'))));
        // The next question and back again show at once, not the huge text.
        control<QPushButton>(m, "BtnNextQuestion")->click();
        control<QPushButton>(m, "BtnPreQuestion")->click();
        QCOMPARE(m.findChild<QLabel*>("LblQuestion")->text(), shown);
    }

    void aPictureThatIsAPipeShowsThePlaceholder() {
        TestProgram p(bankWith(QStringLiteral("看图"), "pipe.jpg"));
        QCOMPARE(
            ::mkfifo(QFile::encodeName(p.folder() + "/images/mark/pipe.jpg").constData(), 0600), 0);
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")
            ->click(); // would block for good if the pipe were opened
        auto* picture = m.findChild<QLabel*>("ImgMarkPic");
        QVERIFY(picture->accessibleName().contains(QStringLiteral("图片无法显示")));
    }

    void examSettingsOutsideTheirLimitsAreRefused_data() {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("pass");
        QTest::addColumn<bool>("starts");
        QTest::newRow("shipped") << "45"
                                 << "90" << true;
        QTest::newRow("one minute") << "1"
                                    << "90" << true;
        QTest::newRow("546 minutes") << "546"
                                     << "90" << true;
        QTest::newRow("547 minutes") << "547"
                                     << "90" << false;
        QTest::newRow("minutes overflow seconds") << "35791395"
                                                  << "90" << false;
        QTest::newRow("zero minutes") << "0"
                                      << "90" << false;
        QTest::newRow("pass 1") << "45"
                                << "1" << true;
        QTest::newRow("pass 100") << "45"
                                  << "100" << true;
        QTest::newRow("pass 0") << "45"
                                << "0" << false;
        QTest::newRow("pass -1") << "45"
                                 << "-1" << false;
        QTest::newRow("pass 101") << "45"
                                  << "101" << false;
    }
    void examSettingsOutsideTheirLimitsAreRefused() {
        QFETCH(QString, minutes);
        QFETCH(QString, pass);
        QFETCH(bool, starts);
        TestProgram p(checkedBank(), settingsWith({{"考试时间", minutes}, {"合格分数", pass}}));
        p.start();
        startExam(p);
        QCOMPARE(p.clock("Timer4")->isActive(), starts);
        QCOMPARE(p.platform().messages.isEmpty(), starts);
        QVERIFY(p.platform().fatalErrors.isEmpty());
    }

    void aDamagedBankIsNamedAtStartUp() {
        TestProgram p(checkedBank());
        // Scramble the middle of the question table; the header and schema stay readable.
        QFile f(p.bankFile());
        QVERIFY(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        QVERIFY(size > 8 * 4096);
        f.seek(size / 2);
        f.write(QByteArray(4096, '\x5a'));
        f.close();
        frmMain& m = p.start();
        QVERIFY(!m.startedUp());
        QCOMPARE(p.platform().fatalErrors.size(), 1);
    }

    // --- Exams: nothing lost by one click ---

    void leavingARunningExamAsksFirst() {
        TestProgram p(checkedBank());
        frmMain& m = p.start();
        startExam(p);
        const QStringList paper = p.session().practice.set.ids();
        control<QPushButton>(m, "BtnSequence")->click(); // the fake answers No
        QCOMPARE(p.platform().questions.last().text,
                 QStringLiteral("正在考试，确定放弃本次考试吗?"));
        QVERIFY(p.clock("Timer4")->isActive());
        QCOMPARE(p.session().practice.set.ids(), paper);
        p.platform().answers.push_back(true);
        control<QPushButton>(m, "BtnRandom")->click();
        QVERIFY(!p.session().practice.set.isExam());
        QVERIFY(!p.clock("Timer4")->isActive());
    }

    void handingInWithUnansweredQuestionsAsksFirst() {
        TestProgram p(checkedBank());
        frmMain& m = p.start();
        startExam(p);
        control<QPushButton>(m, "BtnJiaoJuan")->click(); // No
        QVERIFY(p.platform().questions.last().text.contains(QStringLiteral("还有 100 题未答")));
        QVERIFY(p.clock("Timer4")->isActive());
        QVERIFY(!p.platform().modalTitles.contains(QStringLiteral("得分情况")));
        // Every question answered (each answer moves on): the hand-in goes at once.
        for (int i = 0; i < 100; ++i)
            QTest::keyClick(&m,
                            control<QWidget>(m, "PicABCD")->isVisible() ? Qt::Key_A : Qt::Key_Y);
        QCOMPARE(p.session().practice.set.unansweredCount(), 0);
        const auto asked = p.platform().questions.size();
        control<QPushButton>(m, "BtnJiaoJuan")->click();
        QCOMPARE(p.platform().questions.size(), asked);
        QVERIFY(p.platform().modalTitles.contains(QStringLiteral("得分情况")));
        QCOMPARE(p.value("select count(*) from Record").toInt(), 1);
    }

    void aScoreTheBankCannotTakeWaitsAndIsSavedLater() {
        TestProgram p(checkedBank());
        frmMain& m = p.start();
        startExam(p);
        p.session().Conn.setBusyWait(50);
        // Another program holds the bank for writing.
        auto other = QSqlDatabase::addDatabase("QSQLITE", "holder");
        other.setDatabaseName(p.bankFile());
        QVERIFY(other.open());
        QSqlQuery hold(other);
        QVERIFY(hold.exec("begin immediate"));
        p.platform().answers.push_back(true);
        control<QPushButton>(m, "BtnJiaoJuan")->click();
        QVERIFY(p.platform().modalTitles.contains(QStringLiteral("得分情况")));
        QVERIFY(p.platform().fatalErrors.isEmpty());
        QVERIFY(p.platform().messageTexts().join('\n').contains(QStringLiteral("暂时无法保存")));
        QCOMPARE(p.value("select count(*) from Record").toInt(), 0);
        QVERIFY(hold.exec("commit"));
        hold.finish();
        other.close();
        other = {};
        QSqlDatabase::removeDatabase("holder");
        QVERIFY(p.clock("recordRetry")->isActive());
        p.clock("recordRetry")->advance();
        QCOMPARE(p.value("select count(*) from Record").toInt(), 1);
        QVERIFY(!p.clock("recordRetry")->isActive());
        QCOMPARE(p.value("select score from Record").toInt(), 0);
        QVERIFY(p.session().practice.waitingRecords.isEmpty());
    }
};

QTEST_MAIN(SafetyTest)
#include "test_safety.moc"
