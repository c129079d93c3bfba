// The bank tool: building from the source, refreshing without losing the learner's data,
// and checking a bank.
#include "BankFile.h"
#include "TestProgram.h"
#include "domain/Domain.h"
#include "domain/Topics.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A bank of `questions` in a folder of its own; runs `check` on an open connection.
QStringList qualityOf(const QList<Question>& questions) {
    QTemporaryDir dir;
    const QString file = dir.filePath("question.dll");
    if (!writeBank(file, questions).isEmpty()) return {"cannot write"};
    QStringList problems;
    {
        auto db = QSqlDatabase::addDatabase("QSQLITE", "quality");
        db.setDatabaseName(file);
        db.open();
        problems = checkQuality(db, "question.dll");
    }
    QSqlDatabase::removeDatabase("quality");
    return problems;
}

// Forty tagged, explained, balanced questions that pass the quality rules.
QList<Question> goodQuestions() {
    QList<Question> list;
    for (int i = 0; i < 40; ++i) {
        Question q = i % 2 ? judge(100 + i, "ABC", "1", i % 4 == 1 ? "对" : "错")
                           : choice(100 + i, "ABC", "1", QString(QChar(u'A' + (i / 2) % 4)));
        q.question =
            QStringLiteral("第%1题：驾驶人%2").arg(i).arg(QString(i % 7 + 1, QChar(u'甲' + i)));
        if (i % 2 == 0) q.options = {"选项一", "选项二", "选项三", "选项四"};
        q.explain = QStringLiteral("道路交通安全法第%1条。").arg(i + 1);
        q.tags = QStringLiteral("速度, 高速公路");
        list.append(q);
    }
    return list;
}

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
        QCOMPARE(p.value("select count(*) from Param").toInt(), ShippedSettings().size());
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
        QStringList quality;
        QCOMPARE(checkBank(shipped, QStringLiteral(RUNTIME_IMAGES) + "/mark", &quality),
                 QStringList());
        QCOMPARE(quality, QStringList());
    }

    // What a learner can pass on: every exam topic, with pictures where the exam has them.
    void shippedBankCoversEveryTopic_data() {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<int>("atLeast");
        QTest::addColumn<bool>("pictured");
        QTest::newRow("gestures") << "交警手势" << 16 << false;
        QTest::newRow("points") << "罚款与记分" << 50 << false;
        QTest::newRow("licence") << "驾驶证与实习期" << 40 << false;
        QTest::newRow("registration") << "登记与检验" << 20 << false;
        QTest::newRow("signs") << "交通标志" << 150 << true;
        QTest::newRow("markings") << "交通标线" << 40 << true;
        QTest::newRow("signals") << "信号灯" << 30 << true;
        QTest::newRow("lamps") << "仪表与指示灯" << 30 << true;
    }
    void shippedBankCoversEveryTopic() {
        QFETCH(QString, topic);
        QFETCH(int, atLeast);
        QFETCH(bool, pictured);
        auto db = QSqlDatabase::addDatabase("QSQLITE", "topics");
        db.setDatabaseName(QStringLiteral(RUNTIME_IMAGES) + "/mark/question.dll");
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("select Tags, ImageUrl from Paper")));
        int count = 0;
        while (q.next())
            if (TagsOf(q.value(0).toString()).contains(topic) &&
                (!pictured || !q.value(1).toString().isEmpty()))
                ++count;
        QVERIFY2(count >= atLeast, qPrintable(QString::number(count)));
        QVERIFY(q.exec("select count(*) from Paper"));
        QVERIFY(q.next() && q.value(0).toInt() >= 1000);
        QVERIFY(q.exec("select count(distinct ImageUrl) from Paper where ImageUrl like 'ch2_%' "
                       "and Tags like '%交通标志%'"));
        QVERIFY(q.next() && q.value(0).toInt() >= 100);
        q = QSqlQuery();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("topics");
    }

    void qualityRulesFindGiveawaysAndGaps() {
        QCOMPARE(qualityOf(goodQuestions()), QStringList());
        QList<Question> list = goodQuestions();
        list[0].tags.clear();
        list[2].tags = "天气";
        list[4].explain.clear();
        list[6].explain = "注意安全。";
        Question twin = list[8];
        twin.id = 500;
        list.append(twin);
        Question near = list[10];
        near.id = 501;
        near.question += "。";
        list.append(near);
        const QString problems = qualityOf(list).join('\n');
        for (const char* expected :
             {"question 100: no topic tag", "question 102: '天气' is not one of the topics",
              "question 104: no explanation", "question 106: the explanation names no law",
              "question 500: the same question as 108", "question 501: the same question as 110"})
            QVERIFY2(problems.contains(QString::fromUtf8(expected)), qPrintable(problems));
        // The right option as the only longest one, in most questions of a chapter.
        list = goodQuestions();
        for (Question& q : list)
            if (q.type == "1") q.options[q.answerTrue.toInt() - 1] = "明显更长的正确选项文字";
        QVERIFY(
            qualityOf(list).join('\n').contains("chapter 1: the right option is the only longest"));
        // Keys piled on one letter, or on 对.
        list = goodQuestions();
        for (Question& q : list)
            q.answerTrue = "1";
        const QString piled = qualityOf(list).join('\n');
        QVERIFY(piled.contains("A is the right option in 20 of 20"));
        QVERIFY(piled.contains("对 is right in 20 of 20"));
    }

    void topicsComeFromTheSourceAndOldBanksGetTheColumn() {
        QTemporaryDir dir;
        const QString file = dir.filePath("question.dll");
        // A bank as an older build made it: no Tags column.
        {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "old");
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("create table Paper (ID integer primary key, Type text, Question text, "
                           "An1 text, An2 text, An3 text, An4 text, AnswerTrue text, ImageUrl "
                           "text, LicenseType text, chap text, strType text, ErrPaper integer "
                           "not null default 0, Explain text)"));
            QVERIFY(q.exec("create table Param (ParamID text primary key, ParamValue text)"));
            QVERIFY(q.exec("create table Record (ID integer primary key autoincrement, score "
                           "integer, RecordTime text)"));
            QVERIFY(
                q.exec("insert into Paper(ID, Type, Question, ErrPaper) values(1, '1', '旧', 1)"));
        }
        QSqlDatabase::removeDatabase("old");
        QDir(dir.path()).mkpath("questions");
        write(dir, "questions/c1.txt",
              "chap: 1\ntitle: 法规\n\nid: 1\nclass: ABC\ntype: judge\nquestion: 题\n"
              "answer: 对\nexplain: 道路交通安全法第一条。\ntags: 速度, 高速公路\n");
        QList<SourceProblem> problems;
        const QList<Question> source = readSource(dir.filePath("questions"), problems);
        QVERIFY(problems.isEmpty());
        QCOMPARE(writeBank(file, source), QString());
        auto db = QSqlDatabase::addDatabase("QSQLITE", "new");
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("select Tags, ErrPaper from Paper where ID=1") && q.next());
        QCOMPARE(TagsOf(q.value(0).toString()), (QStringList{"速度", "高速公路"}));
        QCOMPARE(q.value(1).toInt(), 1); // the learner's mark stays
        QVERIFY(q.exec("select Rule from Paper where ID=1") && q.next());
        QVERIFY(q.value(0).isNull());
        QVERIFY(q.exec("select count(*) from RuleChange") && q.next());
        q = QSqlQuery();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("new");
    }

    void ruleChangesAreBuiltAndUnknownKeysRefused() {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("questions");
        write(dir, "rules.txt",
              "# changes\nrule: points-2022\ndate: 2022-04-01\nsource: 记分管理办法\n"
              "change: 五档记分。\n\nrule: licence-2022-c6\ndate: 2022-04-01\nsource: 162号令\n"
              "change: 新设C6。\n");
        const QString questions = write(
            dir, "questions/c1.txt",
            "chap: 1\ntitle: 法规\n\nid: 1\nclass: ABC\ntype: judge\nquestion: 题\nanswer: 对\n"
            "rule: points-2022\n\nid: 2\nclass: ABC\ntype: judge\nquestion: 题二\nanswer: 错\n");
        QList<SourceProblem> problems;
        SourceData data = readData(dir.path(), problems);
        QVERIFY(problems.isEmpty());
        QCOMPARE(data.rules.size(), 2);
        QCOMPARE(data.rules[1].change, QStringLiteral("新设C6。"));
        QCOMPARE(data.questions[0].rule, QStringLiteral("points-2022"));
        const QString file = dir.filePath("question.dll");
        QCOMPARE(writeBank(file, data.questions, shippedSettings(), data.rules), QString());
        QString error;
        QCOMPARE(readBankRules(file, error).size(), 2);
        QCOMPARE(readBankQuestions(file, error)[0].rule, QStringLiteral("points-2022"));
        QCOMPARE(readBankQuestions(file, error)[1].rule, QString());
        QVERIFY(!checkBank(file, dir.path()).join('\n').contains("rule"));

        // A key the change list lacks: refused at its line, and by the check of a bank.
        QFile::remove(questions);
        write(dir, "questions/c1.txt",
              "chap: 1\ntitle: 法规\n\nid: 1\nclass: ABC\ntype: judge\nquestion: 题\n"
              "answer: 对\nrule: points-2021\n");
        readData(dir.path(), problems);
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems[0].line, 9);
        QVERIFY(problems[0].message.contains("points-2021"));
        {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "rules");
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery(db).exec("update Paper set Rule='age-60' where ID=2");
        }
        QSqlDatabase::removeDatabase("rules");
        QVERIFY(checkBank(file, dir.path())
                    .contains("question.dll: question 2: rule 'age-60' is not one of the bank's "
                              "rule changes"));

        // A change list with faults: each reported.
        problems.clear();
        write(dir, "bad.txt",
              "rule: Points 2022\ndate: 2022-04-01\nsource: 办法\nchange: 五档。\n\n"
              "rule: c6\ndate: 2022-4-1\nsource: 令\nchange: C6。\nnote: 多余\n\n"
              "rule: c6\ndate: 2022-04-01\nsource: 令\n");
        readRules(dir.filePath("bad.txt"), problems);
        QStringList found;
        for (const SourceProblem& p : std::as_const(problems))
            found.append(QStringLiteral("%1 %2").arg(p.line).arg(p.message));
        QCOMPARE(found.size(), 5);
        for (const char* expected :
             {"1 rule Points 2022: 'rule:' must be a key", "10 unknown key 'note'",
              "6 rule c6: 'date:'", "12 rule c6: the key is given twice",
              "12 rule c6: 'change:' is missing"})
            QVERIFY2(found.join('\n').contains(QString::fromUtf8(expected)),
                     qPrintable(found.join('\n')));
    }
};

QTEST_MAIN(BankToolTest)
#include "test_banktool.moc"
