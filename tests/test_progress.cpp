// The progress page: chapter standing from the history, the often-wrong drill, the score
// trend, and what a finished exam leaves in the bank.
#include "TestProgram.h"
#include "progress/ScoreChart.h"
#include "progress/frmProgress.h"
#include "services/Practice.h"
#include "store/Progress.h"
#include "store/Statements.h"

#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <cmath>

namespace {

void inProgress(TestProgram& p, std::function<void(frmProgress*)> action) {
    p.platform().modalActions.push_back(
        [action](QDialog* d) { action(static_cast<frmProgress*>(d)); });
    control<QPushButton>(p.main(), "BtnProgress")->click();
}

// Answers in the history, oldest first: id and whether right.
void answered(TestProgram& p, const QList<QPair<int, bool>>& answers) {
    for (const auto& [id, right] : answers)
        p.execute(QStringLiteral("insert into History(QuestionID, CarType, Mode, Answer, Right) "
                                 "values(%1, 'C', 'sequential', 'A', %2)")
                      .arg(id)
                      .arg(right ? 1 : 0));
}

void clickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QList<Question> smallBank() {
    return series(1000, 10, "ABC", "1") + series(2000, 6, "BC", "2") + series(8000, 4, "A", "8");
}

} // namespace

class ProgressTest : public QObject {
    Q_OBJECT

  private slots:
    // Too few answers: no figure but 数据不足, the chapters weakest first, and a mock exam as
    // the next step, started by its button.
    void tooLittleSaysSoAndOffersAnExam() {
        TestProgram p(checkedBank());
        p.start();
        answered(p, {{1000, false},
                     {1000, true},
                     {1001, false},
                     {1001, true},
                     {1002, true},
                     {2000, false},
                     {8000, true}});
        QStringList rows;
        p.platform().modalActions.push_back([&](QDialog* d) {
            auto* page = static_cast<frmProgress*>(d);
            auto* list = control<QTreeWidget>(*page, "LstChapters");
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                const auto* item = list->topLevelItem(i);
                rows.append(item->data(0, Qt::UserRole).toString() + "|" + item->text(1) + "|" +
                            item->text(3));
            }
            QVERIFY(control<QLabel>(*page, "LblReadiness")->text().contains("数据不足"));
            QVERIFY(!control<QLabel>(*page, "LblReadiness")->text().contains("%"));
            QVERIFY(control<QLabel>(*page, "LblNextStep")->text().contains("模拟考试"));
            control<QPushButton>(*page, "BtnNextStep")->click();
        });
        // The exam's briefing, started.
        p.platform().modalActions.push_back(
            [](QDialog* d) { control<QPushButton>(*d, "BtnStart")->click(); });
        control<QPushButton>(p.main(), "BtnProgress")->click();
        QVERIFY(rows.contains("1|3/75|72") && rows.contains("2|1/60|59"));
        QVERIFY(p.session().practice.set.isExam());
    }

    // A new bank: no figure at all.
    void aNewBankHasNoFigure() {
        TestProgram p(checkedBank());
        p.start();
        inProgress(p, [&](frmProgress* page) {
            const QString text = control<QLabel>(*page, "LblReadiness")->text();
            QVERIFY(text.contains("数据不足") && !text.contains("%"));
            QVERIFY(control<QLabel>(*page, "LblNextStep")->text().contains("模拟考试"));
        });
    }

    // Enough fair first tries: a range with its verdict, and the weakest chapter as the next
    // step, practised at random by its button.
    void enoughAnswersGiveARangeAndAStep() {
        TestProgram p(checkedBank());
        p.start();
        // Every question of chapters 1–3 and 5–7 answered once, 11 in 12 right; chapter 4
        // untried.
        QList<QPair<int, bool>> answers;
        for (const auto& [chap, n] :
             QList<QPair<int, int>>{{1, 75}, {2, 60}, {3, 75}, {5, 30}, {6, 15}, {7, 15}})
            for (int i = 0; i < n; ++i)
                answers.append({chap * 1000 + i, i % 12 != 0});
        answered(p, answers);
        inProgress(p, [&](frmProgress* page) {
            const QString text = control<QLabel>(*page, "LblReadiness")->text();
            QVERIFY2(text.contains(QRegularExpression("约 \\d+%–\\d+%")), qPrintable(text));
            QVERIFY(text.contains("还需练习") || text.contains("接近合格") ||
                    text.contains("可以考试"));
            QVERIFY2(
                control<QLabel>(*page, "LblNextStep")->text().contains("第4章还有 30 题没做过"),
                qPrintable(text + control<QLabel>(*page, "LblNextStep")->text()));
            control<QPushButton>(*page, "BtnNextStep")->click();
        });
        QCOMPARE(p.session().practice.set.mode(), QuestionSet::Mode::Random);
        QCOMPARE(p.session().practice.set.size(), 30);
        QVERIFY(p.session().practice.set.currentId().startsWith("4"));
    }

    // A bus learner's bank holds questions it shares with trucks in chapter 9, which the bus
    // paper never draws: they count as practised and every question is in some row.
    void aChapterThePaperNeverDrawsIsListedButNotExamined() {
        TestProgram p(series(1000, 10, "ABC", "1") + series(9000, 3, "AB", "9"),
                      settingsWith({{Key::CarType, "A"}}));
        p.start();
        answered(p, {{1000, true}, {9000, false}, {9001, true}});
        inProgress(p, [&](frmProgress* page) {
            auto* list = control<QTreeWidget>(*page, "LstChapters");
            int total = 0;
            const QTreeWidgetItem* nine = nullptr;
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = list->topLevelItem(i);
                total += item->text(1).section('/', 1).toInt();
                if (item->data(0, Qt::UserRole).toString() == "9") nine = item;
            }
            QCOMPARE(total, 13);
            QVERIFY(nine);
            QCOMPARE(nine->text(1) + " " + nine->text(4), QStringLiteral("2/3 不考"));
        });
        const Progress progress = ReadProgress(p.session().Conn, "A");
        QCOMPARE(progress.estimate.chapters.last().quota, 0);
    }

    void oftenWrongListAndItsDrill() {
        TestProgram p(smallBank());
        p.start();
        answered(p, {{1002, true},
                     {1002, false},
                     {1002, true},
                     {1002, false}, // 2 of 4
                     {1001, false},
                     {1001, true},
                     {1001, false}, // 2 of 3
                     {1000, false},
                     {1000, false}, // 2 of 2
                     {1003, false}, // once only
                     {1004, true},
                     {1004, true}, // never wrong
                     {8001, false},
                     {8001, false}}); // class A
        QStringList ids;
        inProgress(p, [&](frmProgress* page) {
            auto* list = control<QTreeWidget>(*page, "LstOftenWrong");
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                ids.append(list->topLevelItem(i)->text(0));
            control<QPushButton>(*page, "BtnOftenWrong")->click();
        });
        QCOMPARE(ids, (QStringList{"1000", "1001", "1002"}));
        QCOMPARE(p.session().practice.set.ids(), ids);
        QCOMPARE(p.session().practice.set.mode(), QuestionSet::Mode::OftenWrong);
        QVERIFY(control<QGroupBox>(p.main(), "FrameQuestion")->title().startsWith("易错题练习"));
        // Its answers are history like any other.
        control<QPushButton>(p.main(), "BtnA")->click();
        QCOMPARE(p.value("select Mode from History order by ID desc limit 1").toString(),
                 QStringLiteral("often-wrong"));
    }

    void noOftenWrongQuestionsNoDrill() {
        TestProgram p(smallBank());
        p.start();
        answered(p, {{1000, false}});
        inProgress(p, [&](frmProgress* page) {
            QCOMPARE(control<QTreeWidget>(*page, "LstOftenWrong")->topLevelItemCount(), 0);
            QVERIFY(!control<QPushButton>(*page, "BtnOftenWrong")->isEnabled());
        });
    }

    void aClickOnAChapterPractisesIt() {
        TestProgram p(smallBank());
        p.start();
        inProgress(p, [&](frmProgress* page) {
            auto* list = control<QTreeWidget>(*page, "LstChapters");
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                if (list->topLevelItem(i)->data(0, Qt::UserRole).toString() == "2")
                    clickRow(list, i);
        });
        QCOMPARE(p.session().practice.set.mode(), QuestionSet::Mode::Chapter);
        QCOMPARE(p.session().practice.set.ids(),
                 (QStringList{"2000", "2001", "2002", "2003", "2004", "2005"}));
        QCOMPARE(control<QGroupBox>(p.main(), "FrameQuestion")->title(),
                 QStringLiteral("《章节练习》2、道路交通信号及其含义—小车版"));
    }

    void aDrillDuringAnExamAsksFirst() {
        TestProgram p(checkedBank());
        p.start();
        startExam(p);
        const QStringList paper = p.session().practice.set.ids();
        p.platform().answers.push_back(false); // 否: stay in the exam
        inProgress(
            p, [&](frmProgress* page) { clickRow(control<QTreeWidget>(*page, "LstChapters"), 0); });
        QVERIFY(p.session().practice.set.isExam());
        QCOMPARE(p.session().practice.set.ids(), paper);
        QVERIFY(p.clock("Timer4")->isActive());
    }

    void scoreTrend_data() {
        QTest::addColumn<int>("records");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("five hundred") << 500;
    }
    void scoreTrend() {
        QFETCH(int, records);
        TestProgram p(smallBank());
        p.start();
        for (int i = 0; i < records; ++i)
            p.execute(QStringLiteral("insert into Record(score, RecordTime, CarType) values(%1, "
                                     "datetime('2026-01-01', '+%2 hours'), 'C')")
                          .arg(60 + i % 41)
                          .arg(i));
        // Another class's record stays off the car's chart.
        p.execute("insert into Record(score, CarType) values(99, 'A')");
        inProgress(p, [&](frmProgress* page) {
            auto* view = control<ScoreChart>(*page, "ChartScores");
            QCOMPARE(view->isHidden(), records == 0);
            QCOMPARE(control<QLabel>(*page, "LblNoScores")->isHidden(), records > 0);
            if (records == 0) return;
            QCOMPARE(int(view->scores().size()), records);
            QCOMPARE(view->scores().at(0), 60);
            QCOMPARE(view->passScore(), 90);
            // The exam axis names whole exams only, between one and six of them.
            const QList<int> ticks = view->ticks();
            QVERIFY2(!ticks.isEmpty() && ticks.size() <= 6,
                     qPrintable(QString::number(ticks.size())));
            for (int t : ticks)
                QVERIFY(t >= 1 && t <= records);
            // Painted without a fault, whatever the count.
            QVERIFY(!view->grab().isNull());
        });
    }

    void aFinishedExamKeepsClassSecondsAndChapterRights() {
        TestProgram p(checkedBank(), settingsWith({{Key::CarType, "B"}}));
        frmMain& m = p.start();
        startExam(p);
        // The first question answered right, then 90 seconds pass.
        const auto first = ReadQuestion(p.session().practice, p.session().practice.set.currentId());
        QVERIFY(first);
        const QString answer = first->rightAnswer;
        control<QPushButton>(m, answer == "对"   ? "BtnRight"
                                : answer == "错" ? "BtnWrong"
                                                 : qPrintable("Btn" + answer))
            ->click();
        p.clock("Timer4")->advance(90);
        p.platform().modalActions.push_back([](QDialog*) {});
        p.platform().answers.push_back(true);
        control<QPushButton>(m, "BtnJiaoJuan")->click();
        QCOMPARE(p.value("select score from Record").toInt(), 1);
        QCOMPARE(p.value("select CarType from Record").toString(), QStringLiteral("B"));
        QCOMPARE(p.value("select Seconds from Record").toInt(), 90);
        QCOMPARE(p.value("select ChapterRights from Record").toString(),
                 QStringLiteral("1:1,2:0,3:0,4:0,5:0,6:0,7:0,9:0"));
    }

    void anOlderBankKeepsItsRecords() {
        TestProgram p(smallBank());
        p.execute("drop table Record");
        p.execute("create table Record (ID integer primary key autoincrement, score integer, "
                  "RecordTime text default (datetime('now','localtime')))");
        p.execute("insert into Record(score, RecordTime) values(88, '2026-01-02 10:00:00')");
        p.execute("insert into Record(score, RecordTime) values(93, '2026-01-03 10:00:00')");
        p.start();
        QCOMPARE(p.value("select count(*) from Record where CarType is null").toInt(), 2);
        QCOMPARE(p.value("select group_concat(score) from Record").toString(),
                 QStringLiteral("88,93"));
        // Records from before the class column belong on every class's chart.
        inProgress(p, [&](frmProgress* page) {
            QCOMPARE(int(control<ScoreChart>(*page, "ChartScores")->scores().size()), 2);
        });
    }
};

QTEST_MAIN(ProgressTest)
#include "test_progress.moc"
