// The bank tool: building from the source, refreshing without losing the learner's data,
// and checking a bank.
#include "BankFile.h"
#include "TestProgram.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString write(QTemporaryDir& dir, const QString& name, const QString& text) {
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text.toUtf8());
    return path;
}

} // namespace

class BankToolTest : public QObject {
    Q_OBJECT

  private slots:
    void refreshKeepsMarksSettingsAndRecords() {
        TestProgram p(
            {choice(1, "C", "1", "A"), choice(2, "C", "1", "B"), choice(3, "C", "1", "C")});
        p.execute("update Paper set ErrPaper=1 where ID=2");
        p.execute("update Param set ParamValue='B' where ParamID='考试车型'");
        p.execute("insert into Record(score) values(93)");
        Question changed = choice(2, "C", "1", "D");
        changed.question = "改过的题目";
        QCOMPARE(
            writeBank(p.bankFile(), {choice(1, "C", "1", "A"), changed, choice(4, "B", "2", "A")}),
            QString());
        QCOMPARE(p.value("select Question from Paper where ID=2").toString(),
                 QStringLiteral("改过的题目"));
        QCOMPARE(p.value("select AnswerTrue from Paper where ID=2").toString(),
                 QStringLiteral("4"));
        QVERIFY(p.errPaper(2));
        QVERIFY(!p.errPaper(4));
        QCOMPARE(p.value("select count(*) from Paper where ID=3").toInt(), 0);
        QCOMPARE(p.setting("考试车型"), QStringLiteral("B"));
        QCOMPARE(p.value("select score from Record").toInt(), 93);
        QCOMPARE(p.value("select count(*) from Param").toInt(), 8);
    }

    void sourceFilesParseAndReportTheirProblems() {
        QTemporaryDir dir;
        QList<SourceProblem> problems;
        const QString good =
            write(dir, "a.txt",
                  "chap: 2\ntitle: 信号\n\n# a comment\nid: 2001\nclass: ABC\ntype: choice\n"
                  "question: 问？\nA: 甲\nB: 乙\nC: 丙\nD: 丁\nanswer: C\nexplain: 因为。\n\n"
                  "id: 2002\nclass: C\ntype: judge\nquestion: 对吗？\nanswer: 错\nimage: "
                  "x.jpg\nexplain: 不对。\n");
        const auto questions = readSourceFile(good, problems);
        QVERIFY(problems.isEmpty());
        QCOMPARE(questions.size(), 2);
        QCOMPARE(questions[0].answerTrue, QStringLiteral("3"));
        QCOMPARE(questions[0].strType, QStringLiteral("信号"));
        QCOMPARE(questions[1].type, QStringLiteral("2"));
        QCOMPARE(questions[1].answerTrue, QStringLiteral("2"));
        QCOMPARE(questions[1].imageUrl, QStringLiteral("x.jpg"));

        const QString bad = write(
            dir, "b.txt", "chap: 1\ntitle: 法规\n\nid: 7\ntype: essay\n\nid: x\n\nno colon here\n");
        readSourceFile(bad, problems);
        QList<int> lines;
        for (const auto& problem : problems)
            lines.append(problem.line);
        std::sort(lines.begin(), lines.end());
        QCOMPARE(lines, (QList<int>{4, 7, 9}));
    }

    void checkReportsEveryKindOfProblemWithItsId() {
        QTemporaryDir dir;
        QList<Question> list = checkedBank();
        Question badType = choice(1, "C", "1", "A");
        badType.type = "3";
        Question badAnswer = judge(2, "C", "1", "对");
        badAnswer.answerTrue = "3";
        Question empty = choice(3, "C", "1", "A");
        empty.question = " ";
        empty.options[2] = "";
        Question missingPicture = choice(4, "C", "1", "A", "nowhere.jpg");
        Question badChapter = choice(5, "C", "10", "A");
        Question badClass = choice(6, "CX", "1", "A");
        Question bigId = choice(40000, "C", "1", "A");
        list << badType << badAnswer << empty << missingPicture << badChapter << badClass << bigId;
        const QString file = dir.filePath("question.dll");
        QCOMPARE(writeBank(file, list), QString());
        const QStringList problems = checkBank(file, dir.path());
        const QString all = problems.join('\n');
        QVERIFY2(all.contains("question 1: Type is '3'"), qPrintable(all));
        QVERIFY(all.contains("question 2: AnswerTrue '3'"));
        QVERIFY(all.contains("question 3: the wording is empty"));
        QVERIFY(all.contains("question 3: option C is empty"));
        QVERIFY(all.contains("question 4: the picture 'nowhere.jpg' does not exist"));
        QVERIFY(all.contains("question 5: chapter code '10'"));
        QVERIFY(all.contains("question 6: class letter 'X'"));
        QVERIFY(all.contains("question 40000: the ID must be"));
        QCOMPARE(problems.size(), 8);
        for (const QString& line : problems)
            QVERIFY(line.startsWith("question.dll: "));
    }

    void checkCountsEveryClassChapterAgainstItsQuota() {
        QTemporaryDir dir;
        QList<Question> list = checkedBank();
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [](const Question& q) { return q.id >= 9010; }),
                   list.end());
        const QString file = dir.filePath("question.dll");
        QCOMPARE(writeBank(file, list), QString());
        const QStringList problems = checkBank(file, dir.path());
        QCOMPARE(problems, QStringList{"question.dll: class B, chapter 9: 10 questions, fewer than "
                                       "15 (three times its exam quota)"});
    }

    void duplicateIdsAreFound() {
        QTemporaryDir dir;
        const QString file = dir.filePath("question.dll");
        QCOMPARE(writeBank(file, checkedBank()), QString());
        {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "dup");
            db.setDatabaseName(file);
            db.open();
            QSqlQuery q(db);
            // A bank from elsewhere may lack the key constraint.
            q.exec("create table P2 as select * from Paper");
            q.exec("insert into P2 select * from Paper where ID=1000");
            q.exec("drop table Paper");
            q.exec("alter table P2 rename to Paper");
        }
        QSqlDatabase::removeDatabase("dup");
        const QStringList problems = checkBank(file, dir.path());
        QCOMPARE(problems,
                 QStringList{"question.dll: question 1000: the ID is used more than once"});
    }

    void shippedBankPasses() {
        const QString shipped = QStringLiteral(RUNTIME_IMAGES) + "/mark/question.dll";
        QVERIFY(QFile::exists(shipped));
        QCOMPARE(checkBank(shipped, QStringLiteral(RUNTIME_IMAGES) + "/mark"), QStringList());
    }
};

QTEST_MAIN(BankToolTest)
#include "test_banktool.moc"
