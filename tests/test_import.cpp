// Bringing your own bank: spreadsheet import and export, and the learner's backup and restore.
#include "BankFile.h"
#include "Csv.h"
#include "Exchange.h"
#include "SqlFile.h"
#include "TestProgram.h"
#include "domain/Domain.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString Header = QStringLiteral(
    "ID,Type,Question,An1,An2,An3,An4,AnswerTrue,ImageUrl,LicenseType,chap,strType,Explain");
// Export also writes the topics and rule columns every new bank has.
const QString ExportHeader = Header + QStringLiteral(",Tags,Rule");

// Text a spreadsheet user might type: separators, quotes, line breaks, spaces, nothing.
QList<Question> awkwardQuestions() {
    Question commas = choice(1, "ABC", "1", "B", "pic.jpg");
    commas.question = QStringLiteral("遇到这种情况，应当：减速, 鸣喇叭, 还是停车？");
    commas.options[1] = QStringLiteral("减速，慢行, 注意观察");
    Question quotes = judge(2, "C", "2", "错");
    quotes.question = QStringLiteral("标志上写着\"停\"字，\"\"表示什么？");
    quotes.explain = QStringLiteral("\"停车让行\"标志。");
    Question breaks = choice(3, "AB", "3", "D");
    breaks.question = QStringLiteral("第一行\n第二行\r\n第三行");
    breaks.explain = QStringLiteral("解析\n另起一行");
    Question spaces = choice(4, "C", "4", "C");
    spaces.options[0] = QStringLiteral("  前后有空格  ");
    spaces.question = QStringLiteral("含\t制表符的题目");
    Question empties = judge(5, "B", "5", "对");
    empties.explain = QStringLiteral(""); // an empty text, not NULL
    empties.strType = QString();          // NULL
    return {commas, quotes, breaks, spaces, empties};
}

const QString PaperContent = QStringLiteral(
    "select ID, Type, Question, An1, An2, An3, An4, AnswerTrue, ImageUrl, LicenseType, chap, "
    "strType, Explain, typeof(Type), typeof(Question), typeof(An1), typeof(Explain) from Paper "
    "order by ID");

QStringList content(const QString& file) {
    return Db(file).rows(PaperContent);
}

// The whole bank: questions with marks, settings, records.
QStringList everything(const QString& file) {
    Db db(file);
    return db.rows("select *, typeof(ErrPaper) from Paper order by ID") + QStringList{"--"} +
           db.rows("select * from Param order by ParamID") + QStringList{"--"} +
           db.rows("select * from Record order by ID");
}

// A program folder's bank in a temporary directory, with a picture beside it.
struct BankDir {
    QTemporaryDir dir;
    QString file;
    explicit BankDir(const QList<Question>& questions,
                     const QList<QPair<QString, QString>>& settings = shippedSettings()) {
        QDir(dir.path()).mkpath("images/mark");
        file = dir.filePath("images/mark/question.dll");
        writeFile(folder("pic.jpg"), "a picture");
        const QString error = writeBank(file, questions, settings);
        if (!error.isEmpty()) qFatal("%s", qPrintable(error));
    }
    QString folder(const QString& name = {}) const { return dir.filePath("images/mark/" + name); }
    QString path(const QString& name) const { return dir.filePath(name); }
};

QString tool() {
    return qEnvironmentVariable("BANK_TOOL");
}

// Text as Chinese Excel saves it. Qt for Windows has no GB18030 encoder; Windows has its GBK
// part (code page 936), the same bytes for these characters.
QByteArray gb18030(const QString& text) {
#ifdef Q_OS_WIN
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size =
        WideCharToMultiByte(936, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(936, 0, wide, int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
#else
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
#endif
}

// What the tool wrote to its error stream, one "\n" a line (Windows writes "\r\n").
QString errors(QProcess& process) {
    return QString::fromUtf8(process.readAllStandardError()).remove(QLatin1Char('\r'));
}

QString csvLine(const QStringList& cells, char delimiter = ',') {
    QByteArray line;
    for (int i = 0; i < cells.size(); ++i)
        line += (i ? QByteArray(1, delimiter) : QByteArray()) + csvCell(cells[i], delimiter);
    return QString::fromUtf8(line);
}

QString goodRow(qint64 id, const QString& chap = "1", const QString& wording = {}) {
    return csvLine({QString::number(id), "1",
                    wording.isEmpty() ? QStringLiteral("导入的题目 %1").arg(id) : wording, "甲",
                    "乙", "丙", "丁", "3", "", "ABC", chap, QStringLiteral("第%1章").arg(chap),
                    "解析"});
}

} // namespace

class ImportTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY2(QFileInfo(tool()).isExecutable(), "BANK_TOOL is not set"); }

    void craftedBankRoundTrips() {
        BankDir a(checkedBank() + awkwardQuestions());
        Db(a.file).exec("update Paper set ErrPaper=1 where ID in (2, 1004)");
        const QString csv = a.path("a.csv");
        const Outcome exported = exportCsv(a.file, csv);
        QVERIFY2(exported.ok(), qPrintable(exported.problems.join('\n')));
        const QByteArray bytes = readFile(csv);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF" + ExportHeader.toUtf8() + "\r\n"));
        QVERIFY(bytes.contains("\"标志上写着\"\"停\"\"字，\"\"\"\"表示什么？\""));

        // Into the same bank: nothing at all changes.
        const QStringList before = everything(a.file);
        const Outcome same = importCsv(a.file, csv);
        QVERIFY2(same.ok(), qPrintable(same.problems.join('\n')));
        QCOMPARE(same.summary,
                 QStringLiteral("question.dll: 0 questions added, 335 updated, 0 pictures copied"));
        QCOMPARE(everything(a.file), before);

        // Into a bank whose wording differs and that lacks the awkward questions.
        QList<Question> other = checkedBank();
        for (Question& q : other)
            q.question += QStringLiteral("（旧）");
        BankDir b(other);
        const Outcome imported = importCsv(b.file, csv);
        QVERIFY2(imported.ok(), qPrintable(imported.problems.join('\n')));
        QCOMPARE(imported.summary,
                 QStringLiteral("question.dll: 5 questions added, 330 updated, 0 pictures copied"));
        QCOMPARE(content(b.file), content(a.file));
        QVERIFY(exportCsv(b.file, b.path("b.csv")).ok());
        QCOMPARE(readFile(b.path("b.csv")), bytes);
        QCOMPARE(Db(b.file).value("select Explain is null from Paper where ID=5").toInt(), 0);
        QCOMPARE(Db(b.file).value("select strType is null from Paper where ID=5").toInt(), 1);
        QCOMPARE(Db(b.file).value("select Question from Paper where ID=3").toString(),
                 QStringLiteral("第一行\n第二行\r\n第三行"));
    }

    void shippedBankRoundTrips() {
        const QString shipped = QStringLiteral(RUNTIME_IMAGES "/mark");
        const QByteArray shippedHash = fileHash(shipped + "/question.dll");
        QTemporaryDir dir;
        for (const QString& name : QDir(shipped).entryList(QDir::Files))
            QVERIFY(QFile::copy(shipped + '/' + name, dir.filePath(name)));
        const QString bank = dir.filePath("question.dll");
        const QStringList before = everything(bank);
        QVERIFY(before.size() > 400);
        const QString csv = dir.filePath("shipped.csv");
        QVERIFY(exportCsv(bank, csv).ok());
        const Outcome imported = importCsv(bank, csv);
        QVERIFY2(imported.ok(), qPrintable(imported.problems.join('\n')));
        QCOMPARE(everything(bank), before);
        QVERIFY(exportCsv(bank, dir.filePath("again.csv")).ok());
        QCOMPARE(readFile(dir.filePath("again.csv")), readFile(csv));
        QCOMPARE(fileHash(shipped + "/question.dll"), shippedHash);
    }

    void readsTheEncodingsAndSeparatorsSpreadsheetsWrite_data() {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<char>("delimiter");
        QTest::newRow("GB18030, comma") << "GB18030" << ',';
        QTest::newRow("GB18030, tab") << "GB18030" << '\t';
        QTest::newRow("UTF-8 with BOM, comma") << "UTF-8 BOM" << ',';
        QTest::newRow("UTF-8, tab") << "UTF-8" << '\t';
        QTest::newRow("UTF-16 (Excel Unicode text), tab") << "UTF-16LE" << '\t';
    }
    void readsTheEncodingsAndSeparatorsSpreadsheetsWrite() {
        QFETCH(QString, encoding);
        QFETCH(char, delimiter);
        BankDir bank(checkedBank());
        const QString wording = QStringLiteral(
            "在高速公路上行驶，车速超过每小时100公里时，与同车道前车应当保持多少距离？");
        const QString options[] = {QStringLiteral("50米以上"), QStringLiteral("100米以上"),
                                   QStringLiteral("80米以上"), QStringLiteral("30米以上")};
        const QString text =
            csvLine(Header.split(','), delimiter) + "\r\n" +
            csvLine({"7", "1", wording, options[0], options[1], options[2], options[3], "2", "",
                     "ABC", "1", QStringLiteral("道路交通安全法律、法规和规章"),
                     QStringLiteral("逗号，与, 半角逗号")},
                    delimiter) +
            "\r\n" +
            csvLine({"1000", "2", QStringLiteral("改过的判断题"), "", "", "", "", "1", "", "C", "1",
                     "", ""},
                    delimiter) +
            "\r\n";
        QByteArray bytes;
        if (encoding == "GB18030") {
            bytes = gb18030(text);
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString ignored = utf8.decode(bytes);
            QVERIFY(utf8.hasError()); // so it is told apart from UTF-8
        } else if (encoding == "UTF-16LE") {
            QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
            bytes = encoder.encode(text);
        } else {
            bytes = (encoding == "UTF-8 BOM" ? QByteArray("\xEF\xBB\xBF") : QByteArray()) +
                    text.toUtf8();
        }
        writeFile(bank.path("in.csv"), bytes);
        const CsvFile csv = readCsv(bank.path("in.csv"));
        QCOMPARE(csv.delimiter, delimiter);
        const Outcome outcome = importCsv(bank.file, bank.path("in.csv"));
        QVERIFY2(outcome.ok(), qPrintable(outcome.problems.join('\n')));
        Db db(bank.file);
        QCOMPARE(db.value("select Question from Paper where ID=7").toString(), wording);
        QCOMPARE(db.value("select An2 from Paper where ID=7").toString(), options[1]);
        QCOMPARE(db.value("select Explain from Paper where ID=7").toString(),
                 QStringLiteral("逗号，与, 半角逗号"));
        QCOMPARE(db.value("select Question from Paper where ID=1000").toString(),
                 QStringLiteral("改过的判断题"));
        QCOMPARE(db.value("select LicenseType from Paper where ID=1000").toString(),
                 QStringLiteral("C"));
        QCOMPARE(db.value("select count(*) from Paper").toInt(), 331);
    }

    void quotedCellsCarryCommasQuotesAndLineBreaks() {
        BankDir bank(checkedBank());
        const QByteArray text =
            Header.toUtf8() + "\r\n" +
            "11,1,\"第一行，\r\n第二行, "
            "\"\"引号\"\"\",\"甲,乙\",\"\"\"丙\"\"\",丁,\"戊\n\",1,,C,1,,\"\"\r\n" +
            "12,2,\"三\n\n行\",,,,,2,,C,1,,\r\n" + "13,2,判断,,,,,9,,C,1,,\r\n";
        writeFile(bank.path("q.csv"), text);
        const CsvFile csv = readCsv(bank.path("q.csv"));
        QVERIFY(csv.error.isEmpty());
        QCOMPARE(csv.records.size(), 4);
        QCOMPARE(csv.records[1].line, 2);
        QCOMPARE(csv.records[2].line, 5);
        QCOMPARE(csv.records[3].line, 8);
        QCOMPARE(csv.records[1].cells[2].toString(),
                 QStringLiteral("第一行，\r\n第二行, \"引号\""));
        QCOMPARE(csv.records[1].cells[3].toString(), QStringLiteral("甲,乙"));
        QCOMPARE(csv.records[1].cells[4].toString(), QStringLiteral("\"丙\""));
        QCOMPARE(csv.records[1].cells[6].toString(), QStringLiteral("戊\n"));
        QVERIFY(csv.records[1].cells[8].isNull());   // empty: NULL
        QVERIFY(!csv.records[1].cells[12].isNull()); // "": empty text
        QCOMPARE(csv.records[1].cells[12].toString(), QString());

        // The bad row after the multi-line ones is reported on its own line.
        const QString file = bank.path("q.csv");
        const QByteArray hash = fileHash(bank.file);
        Outcome outcome = importCsv(bank.file, file);
        QCOMPARE(
            outcome.problems,
            QStringList{
                file +
                ":8: column AnswerTrue: AnswerTrue '9' is not 1 or 2 for a true/false question"});
        QCOMPARE(fileHash(bank.file), hash);

        writeFile(file, text.left(text.lastIndexOf("13,")));
        outcome = importCsv(bank.file, file);
        QVERIFY2(outcome.ok(), qPrintable(outcome.problems.join('\n')));
        Db db(bank.file);
        QCOMPARE(db.value("select Question from Paper where ID=11").toString(),
                 QStringLiteral("第一行，\r\n第二行, \"引号\""));
        QCOMPARE(db.value("select An4 from Paper where ID=11").toString(), QStringLiteral("戊\n"));
        QCOMPARE(db.value("select Question from Paper where ID=12").toString(),
                 QStringLiteral("三\n\n行"));
    }

    void everyBadRowIsReportedWithItsLineAndNothingChanges() {
        BankDir bank(checkedBank());
        writeFile(bank.path("pictures/there.jpg"), "x");
        const QStringList lines = {
            Header,                                 // 1
            goodRow(1),                             // 2
            "3,3,题目,甲,乙,丙,丁,1,,C,1,,",        // 3
            "4,1,题目,甲,乙,丙,丁,5,,C,1,,",        // 4
            "5,2,判断,,,,,3,,C,1,,",                // 5
            "6,1, ,甲,乙,丙,丁,1,,C,1,,",           // 6
            "7,1,题目,甲,乙,,丁,1,,C,1,,",          // 7
            "8,1,题目,甲,乙,丙,丁,1,,CX,1,,",       // 8
            "9,1,题目,甲,乙,丙,丁,1,,,1,,",         // 9
            "10,1,题目,甲,乙,丙,丁,1,,C,10,,",      // 10
            "0,1,题目,甲,乙,丙,丁,1,,C,1,,",        // 11
            "40000,1,题目,甲,乙,丙,丁,1,,C,1,,",    // 12
            "x,1,题目,甲,乙,丙,丁,1,,C,1,,",        // 13
            "14,2,\"跨两行的\n题目\",,,,,1,,C,1,,", // 14-15
            "1,2,重复,,,,,1,,C,1,,",                // 16
            "17,2,图,,,,,1,nowhere.jpg,C,1,,",      // 17
            "18,2,图,,,,,1,../there.jpg,C,1,,",     // 18
            "19,2,少了,,,,,1,,C,1,",                // 19
            "20,2,多了,,,,,1,,C,1,,,额外",          // 20
            "21,2,图,,,,,1,there.jpg,C,1,,",        // 21 (good)
        };
        const QString file = bank.path("bad.csv");
        writeFile(file, lines.join("\r\n").toUtf8());
        const QByteArray hash = fileHash(bank.file);
        const QStringList before = everything(bank.file);
        const Outcome outcome = importCsv(bank.file, file, bank.path("pictures"));
        const QStringList expected = {
            ":3: column Type: Type is '3'",
            ":4: column AnswerTrue: AnswerTrue '5' is not 1-4",
            ":5: column AnswerTrue: AnswerTrue '3' is not 1 or 2",
            ":6: column Question: the wording is empty",
            ":7: column An3: option C is empty",
            ":8: column LicenseType: class letter 'X'",
            ":9: column LicenseType: the question belongs to no class",
            ":10: column chap: chapter code '10' is not 1-9",
            ":11: column ID: the ID must be a whole number from 1 to 32767",
            ":12: column ID: the ID must be a whole number from 1 to 32767",
            ":13: column ID: the ID must be a whole number from 1 to 32767",
            ":16: column ID: ID 1 is also on line 2",
            ":17: column ImageUrl: the picture 'nowhere.jpg' is neither in",
            ":18: column ImageUrl: '../there.jpg' must be a file name without a folder",
            ":19: the row has 12 cells, the header 13",
            ":20: the row has 14 cells, the header 13",
        };
        QCOMPARE(outcome.problems.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(outcome.problems[i].startsWith(file + expected[i]),
                     qPrintable(outcome.problems[i]));
        QCOMPARE(fileHash(bank.file), hash);
        QCOMPARE(everything(bank.file), before);
        QVERIFY(!QFile::exists(bank.folder("there.jpg")));

        // The command says the same and exits with 1.
        QProcess process;
        process.start(tool(), {"import", bank.file, file, "--pictures", bank.path("pictures")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
        const QStringList said = errors(process).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(said.mid(0, said.size() - 1), outcome.problems);
        QCOMPARE(said.last(), QStringLiteral("question.dll: nothing was changed"));
        QCOMPARE(fileHash(bank.file), hash);
    }

    void unreadableFilesAndHeadersChangeNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        const QByteArray header = Header.toUtf8() + "\r\n";
        QTest::newRow("quote never closed")
            << header + goodRow(1).toUtf8() + "\r\n2,2,\"没有结束\r\n的引号,,,,,1,,C,1,,\r\n"
            << ":3: a quoted cell is never closed";
        QTest::newRow("quote inside a plain cell") << header + "2,2,半个\"引号,,,,,1,,C,1,,\r\n"
                                                   << ":2: a quote in the middle of a cell";
        QTest::newRow("neither UTF-8 nor GB18030") << header + "\xFF\xFF\xFF\r\n"
                                                   << ": the file is neither UTF-8 nor GB18030";
        QTest::newRow("unknown column")
            << QByteArray("ID,Type,Question,An1,An2,An3,An4,AnswerTrue,LicenseType,chap,Remark\r\n")
            << ":1: column Remark: the bank's Paper table has no such column";
        QTest::newRow("missing column")
            << QByteArray("ID,Type,Question,An1,An2,An3,An4,LicenseType,chap\r\n")
            << ":1: column AnswerTrue: missing from the header";
        QTest::newRow("column twice")
            << QByteArray("ID,Type,Question,An1,An2,An3,An4,AnswerTrue,LicenseType,chap,type\r\n")
            << ":1: column type: named twice in the header";
        QTest::newRow("empty file") << QByteArray("\r\n\r\n") << ": the file is empty";
    }
    void unreadableFilesAndHeadersChangeNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        BankDir bank(checkedBank());
        const QString file = bank.path("in.csv");
        writeFile(file, bytes);
        const QByteArray hash = fileHash(bank.file);
        const Outcome outcome = importCsv(bank.file, file);
        QCOMPARE(outcome.problems.size(), 1);
        QVERIFY2(outcome.problems[0].startsWith(file + problem), qPrintable(outcome.problems[0]));
        QCOMPARE(fileHash(bank.file), hash);
    }

    void aResultThatFailsTheBankChecksChangesNothing() {
        BankDir bank(checkedBank());
        writeFile(bank.path("pictures/new.jpg"), "new picture");
        // Fifty chapter-1 questions move to chapter 9: too few are left for chapter 1 (class C
        // keeps 25 and gains the new question 1).
        QStringList lines = {Header};
        for (int i = 0; i < 50; ++i)
            lines.append(goodRow(1000 + i, "9"));
        lines.append(csvLine({"1", "2", "判断", "", "", "", "", "1", "new.jpg", "C", "1", "", ""}));
        writeFile(bank.path("move.csv"), lines.join("\n").toUtf8());
        const QStringList before = everything(bank.file);
        const Outcome outcome = importCsv(bank.file, bank.path("move.csv"), bank.path("pictures"));
        QVERIFY(!outcome.ok());
        QVERIFY(outcome.problems.first().startsWith(
            "question.dll: after this import the bank would fail"));
        QVERIFY(outcome.problems.contains("question.dll: class C, chapter 1: 26 questions, fewer "
                                          "than 75 (three times its exam quota)"));
        QCOMPARE(everything(bank.file), before);
        QVERIFY(!QFile::exists(bank.folder("new.jpg")));
    }

    void marksSettingsAndRecordsSurviveAnImport() {
        BankDir bank(checkedBank(), settingsWith({{"考试车型", "B"}, {"考试时间", "30"}}));
        Db db(bank.file);
        db.exec("update Paper set ErrPaper=1 where ID in (1000, 1001, 2002)");
        db.exec("insert into Record(score, RecordTime) values(88, '2024-05-01 10:00:00'), (95, "
                "'2024-05-02 11:30:00')");
        const QStringList settings = db.rows("select * from Param order by ParamID");
        const QStringList records = db.rows("select * from Record order by ID");
        // ErrPaper in the file is left out: the marks are the learner's.
        const QString file = bank.path("in.csv");
        writeFile(file, (Header + ",ErrPaper\r\n" + goodRow(1000, "1", "改过的") + ",0\r\n" +
                         goodRow(1002) + ",1\r\n" + goodRow(5) + ",1\r\n")
                            .toUtf8());
        const Outcome outcome = importCsv(bank.file, file);
        QVERIFY2(outcome.ok(), qPrintable(outcome.problems.join('\n')));
        QCOMPARE(outcome.warnings.size(), 1);
        QVERIFY(outcome.warnings[0].contains("column ErrPaper left out"));
        QCOMPARE(db.value("select Question from Paper where ID=1000").toString(),
                 QStringLiteral("改过的"));
        QCOMPARE(db.rows("select ID from Paper where ErrPaper=1 order by ID"),
                 (QStringList{"qlonglong:1000", "qlonglong:1001", "qlonglong:2002"}));
        QCOMPARE(db.value("select ErrPaper from Paper where ID=5").toInt(), 0);
        QCOMPARE(db.value("select count(*) from Paper").toInt(), 331); // nothing left the bank
        QCOMPARE(db.rows("select * from Param order by ParamID"), settings);
        QCOMPARE(db.rows("select * from Record order by ID"), records);
    }

    void picturesComeFromTheFolderAndReplaceOnlyAfterTheCommit() {
        BankDir bank(checkedBank());
        writeFile(bank.path("pictures/new.jpg"), "new picture");
        writeFile(bank.path("pictures/pic.jpg"), "a better picture");
        const QString file = bank.path("in.csv");
        writeFile(
            file,
            (Header + "\n" +
             csvLine({"1", "2", "图一", "", "", "", "", "1", "new.jpg", "C", "1", "", ""}) + "\n" +
             csvLine({"2", "2", "图二", "", "", "", "", "2", "pic.jpg", "C", "1", "", ""}) + "\n")
                .toUtf8());
        const Outcome outcome = importCsv(bank.file, file, bank.path("pictures"));
        QVERIFY2(outcome.ok(), qPrintable(outcome.problems.join('\n')));
        QVERIFY(outcome.summary.endsWith("2 pictures copied"));
        QCOMPARE(readFile(bank.folder("new.jpg")), QByteArray("new picture"));
        QCOMPARE(readFile(bank.folder("pic.jpg")), QByteArray("a better picture"));
        QCOMPARE(QDir(bank.folder()).entryList(QDir::Files | QDir::Hidden).size(), 3);
        QCOMPARE(checkBank(bank.file, bank.folder()), QStringList());
    }

    void columnsTheBankAddsComeAndGo() {
        BankDir bank(checkedBank());
        QVERIFY(Db(bank.file).exec("alter table Paper add column Remark text"));
        const QString file = bank.path("in.csv");
        writeFile(file, (Header + ",remark\n" + goodRow(1) + ",备注\n").toUtf8());
        const Outcome outcome = importCsv(bank.file, file);
        QVERIFY2(outcome.ok(), qPrintable(outcome.problems.join('\n')));
        QCOMPARE(Db(bank.file).value("select Remark from Paper where ID=1").toString(),
                 QStringLiteral("备注"));
        QVERIFY(exportCsv(bank.file, bank.path("out.csv")).ok());
        QVERIFY(readFile(bank.path("out.csv"))
                    .contains(ExportHeader.toUtf8() + ",Remark\r\n1,1,导入的题目 1,"));
        QVERIFY(readFile(bank.path("out.csv")).contains(",解析,,,备注\r\n"));
    }

    void ruleColumnRoundTripsAndOlderFilesStillImport() {
        QList<Question> questions = checkedBank();
        questions[0].rule = "points-2022";
        questions[1].rule = "licence-2022-c6";
        const QList<RuleChange> rules = {{"points-2022", "2022-04-01", "163号令", "五档记分。"},
                                         {"licence-2022-c6", "2022-04-01", "162号令", "新设C6。"}};
        BankDir a(questions);
        QCOMPARE(writeBank(a.file, questions, shippedSettings(), rules), QString());
        QVERIFY(exportCsv(a.file, a.path("a.csv")).ok());

        // Into a bank whose questions lack the keys: they come back.
        BankDir b(checkedBank());
        QCOMPARE(writeBank(b.file, checkedBank(), shippedSettings(), rules), QString());
        const Outcome imported = importCsv(b.file, a.path("a.csv"));
        QVERIFY2(imported.ok(), qPrintable(imported.problems.join('\n')));
        QCOMPARE(content(b.file), content(a.file));
        QCOMPARE(Db(b.file).rows("select ID, Rule from Paper where Rule is not null order by ID"),
                 (QStringList{"qlonglong:1000|QString:points-2022",
                              "qlonglong:1001|QString:licence-2022-c6"}));
        QVERIFY(exportCsv(b.file, b.path("b.csv")).ok());
        QCOMPARE(readFile(b.path("b.csv")), readFile(a.path("a.csv")));

        // A file from before the column: the keys stay as they were.
        writeFile(b.path("old.csv"), (Header + '\n' + goodRow(1000)).toUtf8());
        const Outcome old = importCsv(b.file, b.path("old.csv"));
        QVERIFY2(old.ok(), qPrintable(old.problems.join('\n')));
        QCOMPARE(Db(b.file).value("select Rule from Paper where ID=1000").toString(),
                 QStringLiteral("points-2022"));

        // A key the bank's change list lacks is refused, and nothing changes.
        const QStringList before = everything(b.file);
        writeFile(b.path("bad.csv"), (Header + ",Rule\n" + goodRow(1000) + ",age-60\n").toUtf8());
        const Outcome bad = importCsv(b.file, b.path("bad.csv"));
        QCOMPARE(
            bad.problems,
            QStringList{b.path("bad.csv") +
                        ":2: column Rule: rule 'age-60' is not one of the bank's rule changes"});
        QCOMPARE(everything(b.file), before);
    }

    void aKilledImportLeavesTheOldBank() {
        BankDir bank(checkedBank());
        Db(bank.file).exec("update Paper set ErrPaper=1 where ID=1003");
        Db(bank.file).exec("insert into Record(score) values(91)");
        const QStringList before = everything(bank.file);
        QVERIFY(exportCsv(bank.file, bank.path("before.csv")).ok());
        QByteArray text = Header.toUtf8() + "\r\n";
        for (int id = 1; id <= 30000; ++id)
            text += goodRow(id, QString::number(id % 9 + 1),
                            QStringLiteral("大批导入的题目 %1，用来拖慢导入").arg(id))
                        .toUtf8() +
                    "\r\n";
        writeFile(bank.path("large.csv"), text);

        // Killed as soon as it is caught writing: the rollback journal is there.
        const QString journal = bank.file + "-journal";
        QProcess process;
        process.start(tool(), {"import", bank.file, bank.path("large.csv")});
        QVERIFY(process.waitForStarted());
        QElapsedTimer timer;
        timer.start();
        bool writing = false;
        while (!writing && timer.elapsed() < 30000 && !process.waitForFinished(0)) {
            writing = QFileInfo::exists(journal);
            if (!writing) QThread::usleep(200);
        }
        // Killed once it is well into its changes: the journal holds a good part of the bank.
        while (writing && QFileInfo(journal).size() < 8 * 1024 && !process.waitForFinished(0))
            QThread::usleep(200);
        if (writing) process.kill(); // SIGKILL, or TerminateProcess on Windows
        QVERIFY(process.waitForFinished(10000));
        QVERIFY2(writing, "the import ended before it was caught writing");
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QVERIFY(QFile::exists(journal));
        // The first to read the bank afterwards, even an export, rolls back what was half done.
        QVERIFY(exportCsv(bank.file, bank.path("after.csv")).ok());
        QCOMPARE(readFile(bank.path("after.csv")), readFile(bank.path("before.csv")));
        QCOMPARE(Db(bank.file).value("pragma integrity_check").toString(), QStringLiteral("ok"));
        QCOMPARE(everything(bank.file), before);
        QCOMPARE(checkBank(bank.file, bank.folder()), QStringList());

        // Left alone, the same import goes through.
        process.start(tool(), {"import", bank.file, bank.path("large.csv")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(
            QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
            QStringLiteral("question.dll: 29670 questions added, 330 updated, 0 pictures copied"));
        QCOMPARE(Db(bank.file).value("select count(*) from Paper").toInt(), 30000);
        QVERIFY(Db(bank.file).value("select ErrPaper from Paper where ID=1003").toBool());
    }

    void aBusyBankIsWaitedFor() {
        BankDir bank(checkedBank());
        writeFile(bank.path("in.csv"), (Header + "\n" + goodRow(1) + "\n").toUtf8());
        Db holder(bank.file);
        QVERIFY(holder.exec("begin immediate"));
        QVERIFY(holder.exec("update Param set ParamValue='A' where ParamID='考试车型'"));
        QProcess process;
        process.setReadChannel(QProcess::StandardError);
        process.start(tool(), {"import", bank.file, bank.path("in.csv")});
        QByteArray said;
        QElapsedTimer timer;
        timer.start();
        while (!said.contains("waiting") && timer.elapsed() < 10000 &&
               process.waitForReadyRead(10000))
            said += process.readAllStandardError();
        QCOMPARE(said.replace("\r\n", "\n"),
                 QByteArray("waiting for the bank (another program is using it)...\n"));
        QVERIFY(holder.exec("commit"));
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardError().isEmpty());
        QCOMPARE(holder.value("select count(*) from Paper where ID=1").toInt(), 1);
        QCOMPARE(holder.value("select ParamValue from Param where ParamID='考试车型'").toString(),
                 QStringLiteral("A"));
    }

    void exportNeedsABank() {
        QTemporaryDir dir;
        const Outcome missing = exportCsv(dir.filePath("none.dll"), dir.filePath("out.csv"));
        QCOMPARE(missing.problems, QStringList{"none.dll: the bank file does not exist"});
        QVERIFY(!QFile::exists(dir.filePath("none.dll")));
        writeFile(dir.filePath("other.dll"), "");
        QVERIFY(!exportCsv(dir.filePath("other.dll"), dir.filePath("out.csv")).ok());
        QVERIFY(!QFile::exists(dir.filePath("out.csv")));
    }

    void backupThenRestoreOnAFreshBank() {
        BankDir old(checkedBank(),
                    settingsWith({{"考试车型", "A"}, {"考试时间", "30"}, {"自定义设置", "x"}}));
        Db db(old.file);
        db.exec("update Paper set ErrPaper=1 where ID in (1000, 2005, 9001)");
        db.exec("insert into Record(score, RecordTime) values(88, '2024-05-01 10:00:00'), "
                "(95, '2024-05-02 11:30:00'), (72, '2024-06-03 08:15:00')");
        db.exec("delete from Record where score=95"); // IDs with a gap
        db.exec("update Record set CarType='A', Seconds=1500, ChapterRights='1:25,2:14', Hall=1 "
                "where score=88");
        // How each answer was given travels with it (the pass estimate weighs answers by it).
        db.exec("insert into History(QuestionID, CarType, Mode, Answer, Right, Seconds, "
                "AnsweredAt, Cue) values(1000, 'A', 'random', 'B', 0, 12, '2024-05-01 10:00:00', "
                "1), (9001, 'A', 'random', 'A', 1, 5, '2024-05-01 10:01:00', null)");
        const QString backup = old.path("learner.backup");
        const Outcome saved = backupLearner(old.file, backup);
        QVERIFY2(saved.ok(), qPrintable(saved.problems.join('\n')));
        QCOMPARE(saved.summary,
                 backup + QStringLiteral(": 3 wrong-question marks, %1 settings, 2 exam records, "
                                         "2 answers, 0 in the review schedule, 0 favourites")
                              .arg(ShippedSettings().size() + 1));

        // A fresh bank without question 2005, with a mark, a record and a setting of its own.
        QList<Question> questions = checkedBank();
        questions.removeIf([](const Question& q) { return q.id == 2005; });
        questions.append(choice(2100, "ABC", "2", "B"));
        BankDir fresh(questions, settingsWith({{"只在新库", "y"}}));
        Db target(fresh.file);
        const QStringList questionsBefore = content(fresh.file);
        target.exec("update Paper set ErrPaper=1 where ID=3000");
        target.exec("insert into Record(score) values(60)");
        const Outcome restored = restoreLearner(fresh.file, backup);
        QVERIFY2(restored.ok(), qPrintable(restored.problems.join('\n')));
        QCOMPARE(
            restored.summary,
            QStringLiteral("question.dll: 2 wrong-question marks restored (1 marked questions "
                           "are not in this bank), %1 settings (1 new), 2 exam records, 2 answers, "
                           "0 in the review schedule, 0 favourites")
                .arg(ShippedSettings().size() + 1));
        QCOMPARE(target.rows("select ID from Paper where ErrPaper=1 order by ID"),
                 (QStringList{"qlonglong:1000", "qlonglong:9001"}));
        QCOMPARE(target.rows("select * from Record order by ID"),
                 db.rows("select * from Record order by ID"));
        QCOMPARE(target.rows("select QuestionID, Right, Cue from History order by ID"),
                 db.rows("select QuestionID, Right, Cue from History order by ID"));
        QCOMPARE(target.rows("select * from Param where ParamID<>'只在新库' order by ParamID"),
                 db.rows("select * from Param order by ParamID"));
        QCOMPARE(target.value("select ParamValue from Param where ParamID='只在新库'").toString(),
                 QStringLiteral("y"));
        QCOMPARE(content(fresh.file), questionsBefore);
        QCOMPARE(checkBank(fresh.file, fresh.folder()), QStringList());
    }

    void aDamagedOrForeignBackupChangesNothing() {
        BankDir bank(checkedBank());
        Db(bank.file).exec("update Paper set ErrPaper=1 where ID in (1000, 1001)");
        Db(bank.file).exec("insert into Record(score) values(90)");
        const QString backup = bank.path("learner.backup");
        QVERIFY(backupLearner(bank.file, backup).ok());
        const QByteArray good = readFile(backup);

        BankDir other(checkedBank());
        Db(other.file).exec("update Paper set ErrPaper=1 where ID=4000");
        const QByteArray hash = fileHash(other.file);
        const QStringList before = everything(other.file);
        // Every single byte flipped is caught.
        const QString damaged = bank.path("damaged.backup");
        for (qsizetype i = 0; i < good.size(); ++i) {
            QByteArray bytes = good;
            bytes[i] = char(bytes[i] ^ 0xFF);
            writeFile(damaged, bytes);
            const Outcome outcome = restoreLearner(other.file, damaged);
            QVERIFY2(!outcome.ok(),
                     qPrintable(QStringLiteral("byte %1 flipped went unnoticed").arg(i)));
        }
        QByteArray digit = good;
        digit[good.indexOf("1001")] = '2'; // still well-formed JSON
        writeFile(damaged, digit);
        QCOMPARE(restoreLearner(other.file, damaged).problems,
                 QStringList{damaged +
                             ": the backup is damaged (its checksum does not match its content)"});

        const QByteArray newer = QByteArray(good).replace("\"version\":3", "\"version\":4");
        writeFile(damaged, newer);
        QVERIFY(restoreLearner(other.file, damaged)
                    .problems.first()
                    .contains("made by a newer bank tool"));

        // Files that are no backup at all.
        writeFile(bank.path("empty"), "");
        writeFile(bank.path("other.json"), "{\"format\":\"something-else\",\"version\":1}\n{}");
        writeFile(bank.path("in.csv"), (Header + "\n" + goodRow(1)).toUtf8());
        for (const QString& name :
             {bank.path("empty"), bank.path("other.json"), bank.path("in.csv"), bank.file}) {
            const Outcome outcome = restoreLearner(other.file, name);
            QCOMPARE(
                outcome.problems,
                QStringList{name +
                            ": not a learner backup (it does not start with the backup marker)"});
        }
        QVERIFY(!restoreLearner(other.file, bank.path("missing")).ok());
        QCOMPARE(fileHash(other.file), hash);
        QCOMPARE(everything(other.file), before);

        // The command says why and exits with 1.
        writeFile(damaged, digit);
        QProcess process;
        process.start(tool(), {"restore", other.file, damaged});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(errors(process),
                 damaged + ": the backup is damaged (its checksum does not match its content)\n"
                           "question.dll: nothing was changed\n");
        QCOMPARE(fileHash(other.file), hash);
    }
};

QTEST_GUILESS_MAIN(ImportTest)
#include "test_import.moc"
