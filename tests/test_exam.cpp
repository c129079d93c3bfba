// The mock exam: briefing, paper, clocks, hand-in and the score records.
#include "TestProgram.h"
#include "exam/frmScore.h"
#include "practice/AnswerCardView.h"
#include "store/Statements.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

QList<Question> examBank() {
    QList<Question> list;
    for (int chap = 1; chap <= 7; ++chap)
        list.append(series(chap * 100, 30, "ABC", QString::number(chap)));
    list.append(series(800, 10, "A", "8"));
    list.append(series(900, 10, "B", "9"));
    return list;
}

// Hands in and runs `inScore` while the score window is open.
void handIn(TestProgram& p, std::function<void(frmScore*)> inScore = {}) {
    p.platform().modalActions.push_back([inScore](QDialog* d) {
        if (inScore) inScore(static_cast<frmScore*>(d));
    });
    // Yes to handing in with questions unanswered, when asked.
    if (p.session().practice.set.unansweredCount() > 0) p.platform().answers.push_back(true);
    control<QPushButton>(p.main(), "BtnJiaoJuan")->click();
}

// Answers the next `n` questions of the paper right (each answer moves on).
void answerRight(TestProgram& p, int n) {
    for (int i = 0; i < n; ++i) {
        const QString right = control<QLabel>(p.main(), "LblAn")->text();
        const QString name = right == QStringLiteral("对")   ? QStringLiteral("BtnRight")
                             : right == QStringLiteral("错") ? QStringLiteral("BtnWrong")
                                                             : "Btn" + right;
        control<QPushButton>(p.main(), qPrintable(name))->click();
    }
}

QStringList chaptersOf(TestProgram& p) {
    QStringList chapters;
    for (const QString& id : p.session().practice.set.ids())
        chapters.append(QString::number(id.toInt() / 100));
    return chapters;
}

QStringList listRows(frmScore* score) {
    QStringList rows;
    auto* list = control<QTreeWidget>(*score, "ListView1");
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        auto* item = list->topLevelItem(i);
        rows.append(item->text(0) + ":" + item->text(2));
    }
    return rows;
}

} // namespace

class ExamTest : public QObject {
    Q_OBJECT

  private slots:
    // Closing 考试说明 without starting keeps the exam layout and the set; 交卷 then scores
    // nothing (a practice set is no exam).
    void aClosedBriefingKeepsTheExamLayoutAndHandsInNothing() {
        TestProgram p(checkedBank());
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        const QString question = control<QLabel>(m, "LblQuestion")->text();
        control<QPushButton>(m, "BtnMoNiKaoShi")->click(); // closed by its close box
        QVERIFY(control<QPushButton>(m, "BtnJiaoJuan")->isVisible());
        QVERIFY(!control<QPushButton>(m, "BtnShowAnswer")->isVisible());
        QVERIFY(!control<QCheckBox>(m, "ChkAutoSkip")->isVisible());
        QCOMPARE(control<QLabel>(m, "LblQuestion")->text(), question);
        control<QPushButton>(m, "BtnJiaoJuan")->click();
        QVERIFY(!p.platform().modalTitles.contains(QStringLiteral("得分情况")));
        QCOMPARE(p.value(QStringLiteral("select count(*) from Record")).toInt(), 0);
    }

    // 退出 and the close box ask before a running exam is given up; 否 keeps it running.
    void exitAndCloseBoxAskDuringAnExam() {
        TestProgram p(checkedBank());
        frmMain& m = p.start();
        startExam(p);
        control<QPushButton>(m, "BtnExit")->click();
        QVERIFY(!m.close());
        QCOMPARE(p.platform().questions.size(), 2);
        for (const auto& q : p.platform().questions)
            QCOMPARE(q.text, QStringLiteral("正在考试，确定放弃本次考试吗?"));
        QCOMPARE(p.platform().ends, 0);
        QVERIFY(p.clock("Timer4")->isActive());
        QVERIFY(control<QPushButton>(m, "BtnJiaoJuan")->isVisible());
        p.platform().answers.push_back(true);
        QVERIFY(m.close());
        QCOMPARE(p.platform().ends, 1);
    }

    void papersFollowTheQuotaTableWithoutRepeats_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("fromTwo");
        QTest::newRow("car") << "C"
                             << "7" << 20;
        QTest::newRow("truck") << "B"
                               << "9" << 15;
        QTest::newRow("bus") << "A"
                             << "8" << 15;
    }
    void papersFollowTheQuotaTableWithoutRepeats() {
        QFETCH(QString, code);
        QFETCH(QString, last);
        QFETCH(int, fromTwo);
        TestProgram p(examBank(), settingsWith({{Key::CarType, code}}));
        frmMain& m = p.start();
        startExam(p);
        const QStringList ids = p.session().practice.set.ids();
        QCOMPARE(ids.size(), 100);
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), 100);
        const QStringList chapters = chaptersOf(p);
        QCOMPARE(chapters.count("1"), 25);
        QCOMPARE(chapters.count("2"), fromTwo);
        QCOMPARE(chapters.count("3"), 25);
        QCOMPARE(chapters.count("6"), 5);
        QCOMPARE(chapters.last(), last);
        QStringList sorted = chapters;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(chapters, sorted); // chapter by chapter in table order
        QVERIFY(p.session().practice.set.isExam());
        QCOMPARE(control<AnswerCardView>(m, "MSHFlexGrid1")->card()->rowCount(), 10);
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("1."));
        QVERIFY(p.clock("Timer4")->isActive());
        QVERIFY(!p.clock("Timer3")->isActive());
        const QString suffix = code == "C" ? "小车版" : code == "B" ? "货车版" : "客车版";
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(), "模拟考试共100题—" + suffix);
        QCOMPARE(p.session().practice.ExamSeconds, 45 * 60);
    }

    void anEmptyChapterStopsTheStartWithAMessage() {
        QList<Question> list = examBank();
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [](const Question& q) { return q.chap == "5"; }),
                   list.end());
        TestProgram p(list);
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        const QStringList before = p.session().practice.set.ids();
        startExam(p);
        QCOMPARE(p.platform().messages.size(), 1);
        QVERIFY(p.platform().messages[0].text.contains("第5章"));
        QCOMPARE(p.session().practice.set.ids(), before);
        QVERIFY(!p.session().practice.set.isExam());
        QVERIFY(!p.clock("Timer4")->isActive());
        // The briefing was closed without a start: the exam layout stays over the old set.
        QVERIFY(!control<QPushButton>(m, "BtnJiaoJuan")->isHidden());
        QVERIFY(control<QPushButton>(m, "BtnShowAnswer")->isHidden());
    }

    void briefingTellsTheRules() {
        TestProgram p(
            examBank(),
            settingsWith({{Key::ExamTime, "30"}, {Key::PassScore, "80"}, {Key::CarType, "B"}}));
        frmMain& m = p.start();
        QStringList texts;
        p.platform().modalActions.push_back([&](QDialog* d) {
            for (const char* name :
                 {"LblCount", "LblTime", "LblContent", "LblOrganizeWay", "LblPassStandard"})
                texts.append(control<QLabel>(*d, name)->text());
        });
        control<QPushButton>(m, "BtnMoNiKaoShi")->click();
        QCOMPARE(p.platform().modalTitles, QStringList{"考试说明"});
        QCOMPARE(texts, (QStringList{"试题数量：100题", "考试时间：30分钟",
                                     "考试内容：\"货车版\"共有试题共220题",
                                     "组题方式：按公安部的规定比例随机抽取、组合",
                                     "合格标准：满分为100分,成绩达到80分为合格"}));
    }

    void layoutsHideAndShowTheRightControls() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        QVERIFY(control<QPushButton>(m, "BtnJiaoJuan")->isHidden());
        startExam(p);
        for (QWidget* w : QList<QWidget*>{
                 control<QLabel>(m, "LblAnLabel"), control<QLabel>(m, "LblAn"),
                 control<QLabel>(m, "LblRightRate"), control<QLabel>(m, "LblRate"),
                 control<QLabel>(m, "LblRightReplyCount"), control<QLabel>(m, "LblCorrect"),
                 control<QPushButton>(m, "BtnSetWrongQuestion"),
                 control<QPushButton>(m, "BtnShowAnswer"), control<QCheckBox>(m, "ChkAutoSkip")})
            QVERIFY(w->isHidden());
        QVERIFY(!control<QPushButton>(m, "BtnJiaoJuan")->isHidden());
        handIn(p);
        // Closing the score window reviews the paper.
        QVERIFY(control<QPushButton>(m, "BtnJiaoJuan")->isHidden());
        QVERIFY(!control<QPushButton>(m, "BtnShowAnswer")->isHidden());
        QVERIFY(!control<QLabel>(m, "LblRate")->isHidden());
    }

    void closingTheBriefingKeepsARunningExam() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        startExam(p);
        control<QPushButton>(m, "BtnMoNiKaoShi")->click(); // closed with its close box
        QVERIFY(!control<QPushButton>(m, "BtnJiaoJuan")->isHidden());
        QVERIFY(p.clock("Timer4")->isActive());
        QVERIFY(p.session().practice.set.isExam());
    }

    void everyAnswerMovesOnAndTheCardHidesVerdicts() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        startExam(p);
        const QString first = control<QLabel>(m, "LblQuestion")->text();
        control<QPushButton>(m, "BtnA")->click();
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("2."));
        control<QPushButton>(m, "BtnRight")->click();
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("3."));
        auto* card = control<AnswerCardView>(m, "MSHFlexGrid1")->card();
        QCOMPARE(card->background(0), AnswerCardModel::LightYellow);
        QCOMPARE(card->background(1), AnswerCardModel::LightYellow);
        QVERIFY(!card->isBoldRed(0) && !card->isBoldRed(1));
        QVERIFY(first != control<QLabel>(m, "LblQuestion")->text());
    }

    void scoreCountsLastAnswersAndReviewMarksWrongOnes() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        startExam(p);
        // Answer the first question right, go back and change it to wrong.
        auto button = [&](const QString& answer) {
            const QHash<QString, QPushButton*> buttons = {
                {"A", control<QPushButton>(m, "BtnA")},
                {"B", control<QPushButton>(m, "BtnB")},
                {"C", control<QPushButton>(m, "BtnC")},
                {"D", control<QPushButton>(m, "BtnD")},
                {"对", control<QPushButton>(m, "BtnRight")},
                {"错", control<QPushButton>(m, "BtnWrong")}};
            return buttons.value(answer);
        };
        const QString right = control<QLabel>(m, "LblAn")->text();
        const QString wrong = right == "A"    ? "B"
                              : right == "对" ? "错"
                              : right == "错" ? "对"
                                              : "A";
        button(right)->click();
        QCOMPARE(p.session().practice.set.rightCount(), 1);
        control<QPushButton>(m, "BtnPreQuestion")->click();
        button(wrong)->click();
        QCOMPARE(p.session().practice.set.rightCount(), 0);
        QString info;
        handIn(p, [&](frmScore* s) { info = control<QLabel>(*s, "LblInfo")->text(); });
        QCOMPARE(info, QStringLiteral("考试得分：0分"));
        QVERIFY(control<AnswerCardView>(m, "MSHFlexGrid1")->card()->isBoldRed(0));
        QVERIFY(!control<AnswerCardView>(m, "MSHFlexGrid1")->card()->isBoldRed(2));
        QVERIFY(p.errPaper(p.session().practice.set.ids()[0].toLongLong()));
        // The review shows the finished paper: no click or key adds an answer to it.
        const int answers = p.value("select count(*) from History").toInt();
        QVERIFY(!button(right)->isEnabled());
        button(right)->click();
        for (int key : {Qt::Key_A, Qt::Key_B, Qt::Key_1, Qt::Key_2})
            QTest::keyClick(&m, Qt::Key(key));
        QCOMPARE(p.value("select count(*) from History").toInt(), answers);
        QCOMPARE(p.session().practice.set.rightCount(), 0);
        // A new practice set takes answers again.
        control<QPushButton>(m, "BtnSequence")->click();
        QVERIFY(button(control<QLabel>(m, "LblAn")->text())->isEnabled());
    }

    // At the last question an exam cannot move on: the answer stays in view, and the learner
    // may still change it.
    void theLastQuestionKeepsItsAnswerAndTakesAnother() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        startExam(p);
        auto* view = control<AnswerCardView>(m, "MSHFlexGrid1");
        const int last = p.session().practice.set.size() - 1;
        const auto cell = view->model()->index(last / 10, last % 10);
        view->scrollTo(cell);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
        QCOMPARE(p.session().practice.set.position(), last);
        const bool choice = control<QWidget>(m, "PicABCD")->isVisible();
        auto* first = control<QPushButton>(m, choice ? "BtnA" : "BtnRight");
        auto* second = control<QPushButton>(m, choice ? "BtnB" : "BtnWrong");
        first->click();
        QCOMPARE(p.session().practice.set.position(), last);
        QVERIFY(!p.clock("Timer2")->isActive());
        QCOMPARE(control<QLabel>(m, "LblCorrectAn")->text(), first->text());
        control<QPushButton>(m, "BtnNextQuestion")->click(); // nowhere to go
        second->click();
        QCOMPARE(control<QLabel>(m, "LblCorrectAn")->text(), second->text());
        // The answer kept is the second: the one the hand-in records.
        const QString id = p.session().practice.set.currentId();
        p.platform().answers.push_back(true);
        control<QPushButton>(m, "BtnJiaoJuan")->click();
        QCOMPARE(p.value(QStringLiteral("select group_concat(Answer) from History where "
                                        "QuestionID = %1")
                             .arg(id))
                     .toString(),
                 second->text());
    }

    void passMarkDecidesTheVerdict() {
        TestProgram p(examBank(), settingsWith({{Key::PassScore, "3"}}));
        frmMain& m = p.start();
        for (int score : {3, 2}) {
            startExam(p);
            answerRight(p, score);
            QString prompt, style;
            handIn(p, [&](frmScore* s) {
                prompt = control<QLabel>(*s, "LblPrompt")->text();
                style = control<QLabel>(*s, "LblInfo")->styleSheet();
            });
            if (score == 3) {
                QCOMPARE(prompt, QStringLiteral("呵呵，恭喜您，您及格啦!"));
                QVERIFY(style.contains("#00C000"));
            } else {
                QCOMPARE(prompt, QStringLiteral("您还没有及格，要继续努力哦!"));
                QVERIFY(style.contains("#FF0000"));
            }
        }
        QCOMPARE(p.value("select count(*) from Record").toInt(), 2);
        Q_UNUSED(m);
    }

    void countdownRunsOutIntoTheScoreWindow() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        startExam(p);
        p.clock("Timer4")->advance();
        QCOMPARE(control<QLabel>(m, "LblTime")->text(), QStringLiteral("00:44:59"));
        p.clock("Timer4")->advance(2699);
        QCOMPARE(control<QLabel>(m, "LblTime")->text(), QStringLiteral("00:00:00"));
        QCOMPARE(p.value("select count(*) from Record").toInt(), 0);
        QString info;
        p.platform().modalActions.push_back(
            [&](QDialog* d) { info = control<QLabel>(*d, "LblInfo")->text(); });
        p.clock("Timer4")->advance();
        QCOMPARE(info, QStringLiteral("考试得分：0分"));
        QVERIFY(!p.clock("Timer4")->isActive());
        QCOMPARE(p.value("select score from Record").toInt(), 0);
        // Moving through the paper never restarts the practice clock.
        const QString shown = control<QLabel>(m, "LblTime")->text();
        control<QPushButton>(m, "BtnNextQuestion")->click();
        QCOMPARE(control<QLabel>(m, "LblTime")->text(), shown);
    }

    void practiceClockCarries() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        int at = 0;
        auto after = [&](int seconds) {
            p.clock("Timer3")->advance(seconds - at);
            at = seconds;
            return control<QLabel>(m, "LblTime")->text();
        };
        QCOMPARE(after(59), QStringLiteral("00:00:59"));
        QCOMPARE(after(60), QStringLiteral("00:01:00"));
        QCOMPARE(after(3599), QStringLiteral("00:59:59"));
        QCOMPARE(after(3600), QStringLiteral("01:00:00"));
        QCOMPARE(after(86399), QStringLiteral("23:59:59"));
        QCOMPARE(after(86400), QStringLiteral("24:00:00"));
        QCOMPARE(after(89999), QStringLiteral("24:59:59"));
        QCOMPARE(after(90000), QStringLiteral("00:00:00"));
        // Another question starts the clock again.
        control<QPushButton>(m, "BtnNextQuestion")->click();
        QCOMPARE(control<QLabel>(m, "LblTime")->text(), QStringLiteral("00:00:00"));
    }

    void examTimeOutOfRangeIsRefused() {
        TestProgram p(examBank(), settingsWith({{Key::ExamTime, "600"}}));
        p.start();
        startExam(p);
        QCOMPARE(p.platform().messages.size(), 1);
        QVERIFY(p.platform().messages[0].text.contains("546"));
        QVERIFY(!p.clock("Timer4")->isActive());
        QVERIFY(!p.session().practice.set.isExam());
    }

    void handInOnlyFromAPaper() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "BtnJiaoJuan")->click();
        QVERIFY(p.platform().modalTitles.isEmpty());
        QCOMPARE(p.value("select count(*) from Record").toInt(), 0);
    }

    void tenBestRecordsOrderedAndDeleted() {
        TestProgram p(examBank());
        p.execute("insert into Record(score) values(50)");
        for (int s : {90, 70, 90, 60, 80, 55, 65, 75, 85, 95, 40})
            p.execute(QString("insert into Record(score) values(%1)").arg(s));
        frmMain& m = p.start();
        startExam(p);
        answerRight(p, 55); // equal to the tenth best: does not enter
        QStringList rows, afterDelete, afterAll;
        QString deletedId;
        handIn(p, [&](frmScore* s) {
            rows = listRows(s);
            auto* list = control<QTreeWidget>(*s, "ListView1");
            auto* item = list->topLevelItem(1);
            deletedId = item->text(1);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(item).center());
            control<QPushButton>(*s, "BtnDel")->click();
            afterDelete = listRows(s);
            control<QPushButton>(*s, "BtnDel")->click(); // no new choice: asks again
            s->findChild<QAction*>("mnuSytemRight_FullDel")->trigger();
            afterAll = listRows(s);
        });
        QCOMPARE(rows, (QStringList{"1:95", "2:90", "3:90", "4:85", "5:80", "6:75", "7:70", "8:65",
                                    "9:60", "10:55"}));
        QCOMPARE(afterDelete.first(), QStringLiteral("1:95"));
        QCOMPARE(afterDelete[1], QStringLiteral("3:90"));
        QCOMPARE(afterDelete.size(), 9);
        QCOMPARE(p.platform().messageTexts(),
                 (QStringList{"请选择要删除的记录!", "所有考试记录删除完成!"}));
        QVERIFY(afterAll.isEmpty());
        QCOMPARE(p.value("select count(*) from Record").toInt(), 0);
        QVERIFY(!deletedId.isEmpty());
        Q_UNUSED(m);
    }

    void tiesListTheOlderFirst() {
        TestProgram p(examBank());
        p.execute("insert into Record(score) values(90)");
        p.execute("insert into Record(score) values(90)");
        frmMain& m = p.start();
        startExam(p);
        answerRight(p, 90);
        QStringList ids;
        handIn(p, [&](frmScore* s) {
            for (int i = 0; i < 3; ++i)
                ids.append(control<QTreeWidget>(*s, "ListView1")->topLevelItem(i)->text(1));
        });
        QCOMPARE(ids, (QStringList{"1", "2", "3"}));
        Q_UNUSED(m);
    }

    void retakeKeepsThePaperAndNewPaperDiffers() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        startExam(p);
        const QStringList paper = p.session().practice.set.ids();
        control<QPushButton>(m, "BtnA")->click();
        control<QPushButton>(m, "BtnA")->click();
        handIn(p, [](frmScore* s) { control<QPushButton>(*s, "BtnAgainOwn")->click(); });
        QCOMPARE(p.session().practice.set.ids(), paper);
        QCOMPARE(p.session().practice.set.rightCount(), 0);
        QCOMPARE(p.session().practice.set.answeredCount(), 0);
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("1."));
        QVERIFY(p.clock("Timer4")->isActive());
        QVERIFY(!control<QPushButton>(m, "BtnJiaoJuan")->isHidden()); // no review
        QCOMPARE(control<AnswerCardView>(m, "MSHFlexGrid1")->card()->background(1),
                 AnswerCardModel::White);
        QCOMPARE(p.session().practice.ExamSeconds, 45 * 60);

        handIn(p, [](frmScore* s) { control<QPushButton>(*s, "BtnRandomQueston")->click(); });
        QVERIFY(p.session().practice.set.ids() != paper);
        QCOMPARE(p.session().practice.set.ids().size(), 100);
        QVERIFY(p.clock("Timer4")->isActive());
        QVERIFY(!control<QPushButton>(m, "BtnJiaoJuan")->isHidden());
        QCOMPARE(p.value("select count(*) from Record").toInt(), 2);
    }
};

QTEST_MAIN(ExamTest)
#include "test_exam.moc"
