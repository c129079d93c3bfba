// Answer by pattern: each rule of `bank check` catches a planted fault, the shipped bank's
// enforced rules fail its check, and a guesser by surface cues alone stays near chance.
#include "BankFile.h"
#include "Patterns.h"
#include "TestProgram.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

namespace {

PatternQuestion statement(int id, const QString& text, bool right) {
    PatternQuestion q;
    q.id = QString::number(id);
    q.chap = QStringLiteral("1");
    q.question = text;
    q.answer = right ? 1 : 2;
    q.explain = QStringLiteral("《道路交通安全法》第%1条。").arg(id);
    return q;
}

PatternQuestion choiceOf(int id, const QString& chap, const QStringList& options, int key) {
    PatternQuestion q;
    q.id = QString::number(id);
    q.chap = chap;
    q.choice = true;
    q.question = QStringLiteral("遇到这种情况怎么办？%1").arg(id);
    q.options = options;
    q.answer = key;
    q.explain = QStringLiteral("安全驾驶常识。");
    return q;
}

QStringList rulesBroken(const QList<PatternQuestion>& questions) {
    QStringList rules;
    for (const PatternFinding& f : patternFindings(measurePatterns(questions)))
        rules.append(f.rule);
    return rules;
}

// Off: the guesser's true/false score is an expected failure rather than failing the suite.
constexpr bool TrueFalseGuessEnforced = true;

QString runTool(const QStringList& arguments, int* status) {
    QProcess tool;
    tool.start(qEnvironmentVariable("BANK_TOOL"), arguments);
    tool.waitForFinished(30000);
    *status = tool.exitCode();
    return QString::fromUtf8(tool.readAllStandardError() + tool.readAllStandardOutput());
}

} // namespace

class PatternsTest : public QObject {
    Q_OBJECT

  private slots:
    void cueWordsMayNotPredictTheKey_data() {
        QTest::addColumn<int>("statements");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<bool>("broken");
        QTest::newRow("always 错") << 10 << 10 << true;
        QTest::newRow("mostly 对") << 10 << 2 << true;
        QTest::newRow("70 % is still fair") << 10 << 7 << false;
        QTest::newRow("balanced") << 12 << 6 << false;
        QTest::newRow("too few to count") << 7 << 7 << false;
    }
    void cueWordsMayNotPredictTheKey() {
        QFETCH(int, statements);
        QFETCH(int, wrong);
        QFETCH(bool, broken);
        QList<PatternQuestion> bank;
        for (int i = 0; i < statements; ++i)
            bank.append(statement(i, QStringLiteral("只要第%1种情况就行。").arg(i), i >= wrong));
        for (int i = 0; i < 20; ++i)
            bank.append(statement(100 + i, QStringLiteral("第%1种情况。").arg(i), i % 2));
        QCOMPARE(rulesBroken(bank).contains("cue-words"), broken);
        const PatternReport report = measurePatterns(bank);
        QCOMPARE(report.cues.first().word, QStringLiteral("只要"));
        QCOMPARE(report.cues.first().wrong, wrong);
    }

    void aPhraseOutsideTheListIsShownWhenItLeansBeyondChance() {
        QList<PatternQuestion> bank;
        for (int i = 0; i < 24; ++i)
            bank.append(statement(i, QStringLiteral("碰到黄牛横穿第%1次。").arg(i), false));
        for (int i = 0; i < 40; ++i)
            bank.append(statement(100 + i, QStringLiteral("第%1种情况。").arg(i), i % 2));
        const PatternReport report = measurePatterns(bank);
        QVERIFY(!report.phrases.isEmpty());
        QVERIFY(QStringLiteral("碰到黄牛横穿").contains(report.phrases.first().word));
        QCOMPARE(report.phrases.first().wrong, 24);
    }

    // One careful option among reckless ones, question after question.
    void anAbsurdDistractorListIsFound() {
        QList<PatternQuestion> bank;
        for (int i = 0; i < 10; ++i)
            bank.append(
                choiceOf(i, "3", {"加速通过", "鸣喇叭催促", "减速慢行，注意观察", "紧跟前车"}, 3));
        QVERIFY(rulesBroken(bank).contains("careful-option"));
        const PatternFinding reckless = patternFindings(measurePatterns(bank)).last();
        QCOMPARE(reckless.rule, QStringLiteral("reckless-distractors"));
        QCOMPARE(reckless.ids.size(), 10);

        // Distractors a learner really chooses: the careful word is in the key by chance only.
        bank.clear();
        for (int i = 0; i < 12; ++i)
            bank.append(choiceOf(i, "3",
                                 {"在50米处减速", "在100米处开启危险报警闪光灯",
                                  "在150米处设置警告标志", "在200米处开启示廓灯"},
                                 i % 4 + 1));
        QCOMPARE(rulesBroken(bank), QStringList());
    }

    void allOfTheAboveKeysAreCounted() {
        QList<PatternQuestion> bank;
        for (int i = 0; i < 3; ++i)
            bank.append(choiceOf(i, "1", {"交通信号灯", "交通标志", "交通标线", "以上都对"}, 4));
        // The key repeats the other options in other words.
        bank.append(choiceOf(
            9, "1", {"交通信号灯", "交通标志", "交通标线", "信号灯、标志、标线和交警指挥"}, 4));
        const PatternReport report = measurePatterns(bank);
        QCOMPARE(report.chapters.first().allOption, 4);
        QCOMPARE(report.chapters.first().allKeyed, 4);
        QVERIFY(rulesBroken(bank).contains("all-of-the-above"));
        bank[0].answer = bank[1].answer = 1;
        QVERIFY(!rulesBroken(bank).contains("all-of-the-above"));
    }

    void anExplanationCitesTheProvision_data() {
        QTest::addColumn<QString>("explain");
        QTest::addColumn<bool>("cited");
        QTest::newRow("law and article")
            << "依据《道路交通安全法》第四十七条，应当停车让行。" << true;
        QTest::newRow("bare name, digits") << "道路交通安全法实施条例第38条第一款。" << true;
        QTest::newRow("annex") << "《道路交通安全违法行为记分管理办法》附件：一次记12分。" << true;
        QTest::newRow("rule with its order number")
            << "《机动车驾驶证申领和使用规定》（公安部令第162号）第七十六条。" << true;
        QTest::newRow("standard and clause") << "见GB 5768.2—2022 第4.3条。" << true;
        QTest::newRow("standard, clause after a comma") << "（GB 5768.2—2022，5.2）" << true;
        QTest::newRow("standard and chapter") << "（GB 5768.2—2022 第6章 指示标志）" << true;
        QTest::newRow("standard by title and number")
            << "《车辆驾驶人员血液、呼气酒精含量阈值与检验》（GB 19522—2024）第4章。" << true;
        QTest::newRow("common knowledge") << "急救常识：先止血再包扎。" << true;
        QTest::newRow("standard without a clause") << "（依据：GB 5768.2）" << false;
        QTest::newRow("syllabus") << "（依据：《机动车驾驶培训教学与考试大纲》）" << false;
        QTest::newRow("rule without an article")
            << "《道路交通安全法实施条例》规定，最高30公里。" << false;
        QTest::newRow("second source without one")
            << "《道路交通安全法》第22条和《道路交通安全法实施条例》规定。" << false;
        QTest::newRow("nothing named") << "跟车太近来不及制动。" << false;
        QTest::newRow("regulation named bare") << "校车安全管理条例规定，校车不得超员。" << false;
        QTest::newRow("regulation and article") << "校车安全管理条例第三十四条：不得超员。" << true;
    }
    void anExplanationCitesTheProvision() {
        QFETCH(QString, explain);
        QFETCH(bool, cited);
        QVERIFY2(citationProblem(explain).isEmpty() == cited, qPrintable(citationProblem(explain)));
        QList<PatternQuestion> bank{statement(1, QStringLiteral("题。"), true)};
        bank[0].explain = explain;
        QCOMPARE(rulesBroken(bank).contains("citations"), !cited);
    }

    // Every rule fails the shipped bank; a bank that is not shipped only gets a warning.
    void theShippedCheckFailsOnAPlantedFault() {
        QTemporaryDir dir;
        const QString file = dir.filePath("question.dll");
        QList<Question> bank = checkedBank();
        for (Question& q : bank) {
            q.explain = QStringLiteral("道路交通安全法第%1条。").arg(q.id);
            q.tags = QStringLiteral("速度");
        }
        QCOMPARE(writeBank(file, bank), QString());
        int status = -1;
        QString output = runTool({"check", "--shipped", file}, &status);
        QVERIFY2(status == 0, qPrintable(output));

        bank[0].explain = QStringLiteral("校车安全管理条例规定，校车不得超员。");
        QCOMPARE(writeBank(file, bank), QString());
        output = runTool({"check", "--shipped", file}, &status);
        QVERIFY2(status == 1 && output.contains("[citations] (1000)"), qPrintable(output));
        output = runTool({"check", file}, &status);
        QVERIFY2(status == 0 && output.contains("warning: "), qPrintable(output));

        bank[0].explain = bank[1].explain;
        for (int i = 0; i < 3; ++i) {
            Question& q = bank[2 * i];
            q.options[3] = QStringLiteral("以上都对");
            q.answerTrue = QStringLiteral("4");
        }
        QCOMPARE(writeBank(file, bank), QString());
        output = runTool({"check", "--shipped", file}, &status);
        QVERIFY2(status == 1 && output.contains("[all-of-the-above]"), qPrintable(output));
    }

    // The guesser is worth its name: it finds cues that are there.
    void theGuesserReadsPlantedCues() {
        QList<PatternQuestion> bank;
        for (int i = 0; i < 40; ++i) {
            QStringList options = {"甲", "乙", "丙", "丁"};
            options[i % 4] = QStringLiteral("明显更长的那个选项");
            bank.append(choiceOf(i, "1", options, i % 4 + 1));
        }
        for (int i = 0; i < 20; ++i)
            bank.append(statement(100 + i, QStringLiteral("只要情况%1就行。").arg(i), false));
        for (int i = 0; i < 20; ++i)
            bank.append(statement(200 + i, QStringLiteral("应当情况%1。").arg(i), true));
        const GuessScore all = guessWithoutKnowledge(bank).value(QString());
        QCOMPARE(all.choices, 40);
        QCOMPARE(all.choicesRight, 40);
        QCOMPARE(all.judgesRight, 40);
    }

    void aLearnerWhoKnowsNothingStaysNearChance() {
        auto db = QSqlDatabase::addDatabase("QSQLITE", "shipped");
        db.setDatabaseName(QStringLiteral(RUNTIME_IMAGES) + "/mark/question.dll");
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        QVERIFY(db.open());
        QString error;
        const QList<PatternQuestion> bank = readPatternQuestions(db, error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("shipped");
        const QMap<QString, GuessScore> scores = guessWithoutKnowledge(bank);
        for (auto it = scores.cbegin(); it != scores.cend(); ++it)
            qInfo("chapter %s: choice %d of %d, true/false %d of %d",
                  qPrintable(it.key().isEmpty() ? QStringLiteral("all") : it.key()),
                  it->choicesRight, it->choices, it->judgesRight, it->judges);
        const GuessScore all = scores.value(QString());
        QVERIFY(all.choices > 0 && all.judges > 0);
        QVERIFY2(
            all.choicesRight * 100 <= all.choices * 35,
            qPrintable(QStringLiteral("choice %1 of %2").arg(all.choicesRight).arg(all.choices)));
        if (!TrueFalseGuessEnforced && all.judgesRight * 100 > all.judges * 58)
            QEXPECT_FAIL("", "true/false statements still give their key away", Continue);
        QVERIFY2(
            all.judgesRight * 100 <= all.judges * 58,
            qPrintable(QStringLiteral("true/false %1 of %2").arg(all.judgesRight).arg(all.judges)));
    }
};

QTEST_MAIN(PatternsTest)
#include "test_patterns.moc"
