// Chapter practice and wrong-question practice.
#include "TestProgram.h"
#include "practice/AnswerCardView.h"
#include "store/Statements.h"
#include "targeted/frmPart.h"
#include "targeted/frmWrongQt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTreeWidget>

namespace {

QList<Question> bank() {
    QList<Question> list = series(100, 12, "ABC", "1");
    for (auto& q : list)
        q.strType = "法规";
    QList<Question> two = series(200, 5, "C", "2");
    for (auto& q : two)
        q.strType = "信号";
    QList<Question> eight = series(800, 4, "A", "8");
    for (auto& q : eight)
        q.strType = "客车";
    return list + two + eight;
}

QStringList rows(QTreeWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts.append(list->topLevelItem(i)->text(0) + "|" + list->topLevelItem(i)->text(1));
    return texts;
}

void inPart(TestProgram& p, std::function<void(frmPart*)> action) {
    p.platform().modalActions.push_back([action](QDialog* d) { action(static_cast<frmPart*>(d)); });
    control<QPushButton>(p.main(), "BtnPart")->click();
}

void inWrong(TestProgram& p, std::function<void(frmWrongQt*)> action) {
    p.platform().modalActions.push_back(
        [action](QDialog* d) { action(static_cast<frmWrongQt*>(d)); });
    control<QPushButton>(p.main(), "BtnWrongQuestion")->click();
}

void mark(TestProgram& p, const QList<int>& ids) {
    for (int id : ids)
        p.execute(QString("update Paper set ErrPaper=1 where ID=%1").arg(id));
}

} // namespace

class TargetedTest : public QObject {
    Q_OBJECT

  private slots:
    void chapterListShowsTheClassChaptersInOrder() {
        TestProgram p(bank());
        p.start();
        QStringList car, bus;
        inPart(p, [&](frmPart* w) {
            car = rows(control<QTreeWidget>(*w, "LvPart"));
            QVERIFY(control<QTreeWidget>(*w, "LvPart")->isColumnHidden(0));
            QCOMPARE(control<QTreeWidget>(*w, "LvPart")->headerItem()->text(1),
                     QStringLiteral("章节标题"));
        });
        QCOMPARE(car, (QStringList{"1|1、法规(12)题", "2|2、信号(5)题"}));
        QCOMPARE(p.platform().modalTitles, QStringList{"章节练习"});
        control<QComboBox>(p.main(), "CombolCarType")->setCurrentIndex(2);
        emit control<QComboBox>(p.main(), "CombolCarType")->activated(2);
        inPart(p, [&](frmPart* w) { bus = rows(control<QTreeWidget>(*w, "LvPart")); });
        QCOMPARE(bus, (QStringList{"1|1、法规(12)题", "8|8、客车(4)题"}));
    }

    void chapterStartsSequentialRandomAndByDoubleClick() {
        TestProgram p(bank());
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        inPart(p, [](frmPart* w) {
            control<QTreeWidget>(*w, "LvPart")
                ->setCurrentItem(control<QTreeWidget>(*w, "LvPart")->topLevelItem(1));
            control<QPushButton>(*w, "BtnSequence")->click();
        });
        QCOMPARE(p.session().practice.set.ids(), (QStringList{"200", "201", "202", "203", "204"}));
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("《章节练习》2、信号(5)题—小车版"));
        QCOMPARE(control<QLabel>(m, "LblQuestion")->text(), QStringLiteral("选择题 200"));
        control<QPushButton>(m, "BtnA")->click();
        QCOMPARE(p.setting(Key::ResumePoint), QStringLiteral("1")); // chapter practice stores none

        inPart(p, [](frmPart* w) {
            control<QPushButton>(*w, "BtnRandom")->click();
        }); // no row picked: the first
        const QStringList ids = p.session().practice.set.ids();
        QCOMPARE(ids.size(), 12);
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), 12);
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("《章节练习》1、法规(12)题—小车版"));

        inPart(p, [](frmPart* w) {
            auto* item = control<QTreeWidget>(*w, "LvPart")->topLevelItem(1);
            control<QTreeWidget>(*w, "LvPart")->setCurrentItem(item);
            emit control<QTreeWidget>(*w, "LvPart")->itemDoubleClicked(item, 1);
        });
        QCOMPARE(p.session().practice.set.ids().first(), QStringLiteral("200"));
    }

    void closingTheChapterWindowStartsNothing() {
        TestProgram p(bank());
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        const QStringList before = p.session().practice.set.ids();
        inPart(p, [](frmPart*) {});
        QCOMPARE(p.session().practice.set.ids(), before);
        // Whole-class sequential practice goes on, resume point and all.
        control<QPushButton>(m, "BtnA")->click();
        QCOMPARE(p.setting(Key::ResumePoint), QStringLiteral("100"));
    }

    void classWithoutChaptersSaysSo() {
        TestProgram p({choice(1, "A", "1", "A")});
        p.start();
        inPart(p, [](frmPart* w) { control<QPushButton>(*w, "BtnSequence")->click(); });
        QCOMPARE(p.platform().messages.size(), 1);
        QCOMPARE(p.platform().messages[0].title, QStringLiteral("提示"));
    }

    void wrongQuestionsOfTheClassOnly() {
        TestProgram p(bank());
        frmMain& m = p.start();
        mark(p, {101, 103, 105, 200, 202, 204, 110, 800}); // 800 is a bus question
        QStringList texts;
        inWrong(p, [&](frmWrongQt* w) {
            for (QLabel* l : {control<QLabel>(*w, "Label1"), control<QLabel>(*w, "Label2"),
                              control<QLabel>(*w, "Label3"), control<QLabel>(*w, "Label4")})
                texts.append(l->text());
            QCOMPARE(control<QCheckBox>(*w, "Check1")->toolTip(),
                     QStringLiteral("只在错题练习中有效"));
            QCOMPARE(control<QGroupBox>(*w, "Frame1")->title(), QStringLiteral("说明与设置"));
            control<QPushButton>(*w, "BtnSequence")->click();
        });
        QCOMPARE(p.platform().modalTitles, QStringList{"错题练习-试题组成"});
        QCOMPARE(texts, (QStringList{"错题练习试题组成：", "1、练习中手工设置为错题的错题",
                                     "2、软件自动记录练习中答错的错题",
                                     "3、软件自动记录模拟考试中答错的错题"}));
        QCOMPARE(p.session().practice.set.ids(),
                 (QStringList{"101", "103", "105", "110", "200", "202", "204"}));
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("错题练习共(7题)—小车版"));
        QVERIFY(p.session().practice.IsWrongQuestionPractice);
        inWrong(p, [](frmWrongQt* w) { control<QPushButton>(*w, "BtnRandom")->click(); });
        QStringList shuffled = p.session().practice.set.ids();
        std::sort(shuffled.begin(), shuffled.end());
        QCOMPARE(shuffled, (QStringList{"101", "103", "105", "110", "200", "202", "204"}));
    }

    void removalSwitchDecidesAndLastsUntilAWholeClassStart() {
        TestProgram p(bank(), settingsWith({{Key::AutoSkip, "0"}}));
        frmMain& m = p.start();
        mark(p, {100, 102});
        inWrong(p, [](frmWrongQt* w) {
            QVERIFY(control<QCheckBox>(*w, "Check1")->isChecked());
            control<QPushButton>(*w, "BtnSequence")->click();
        });
        control<QPushButton>(m, "BtnA")->click(); // 100 is choice A: right
        QVERIFY(!p.errPaper(100));
        QCOMPARE(p.session().practice.set.ids().size(), 2); // the set stays as loaded

        // Switch off: the mark stays.
        inWrong(p, [](frmWrongQt* w) {
            control<QCheckBox>(*w, "Check1")->click();
            control<QPushButton>(*w, "BtnSequence")->click();
        });
        QCOMPARE(p.setting(Key::AutoRemove), QStringLiteral("0"));
        control<QPushButton>(m, "BtnB")->click(); // 102 is choice B: right
        QVERIFY(p.errPaper(102));

        // Back on; chapter practice after wrong-question practice still removes marks.
        inWrong(p, [](frmWrongQt* w) {
            QVERIFY(
                !control<QCheckBox>(*w, "Check1")->isChecked()); // reopened: shows the stored state
            control<QCheckBox>(*w, "Check1")->click();
        });
        QCOMPARE(p.setting(Key::AutoRemove), QStringLiteral("1"));
        inPart(p, [](frmPart* w) { control<QPushButton>(*w, "BtnSequence")->click(); });
        control<QPushButton>(m, "BtnNextQuestion")->click();
        control<QPushButton>(m, "BtnNextQuestion")->click(); // 102
        control<QPushButton>(m, "BtnB")->click();
        QVERIFY(!p.errPaper(102));

        // A whole-class start ends it.
        mark(p, {100});
        control<QPushButton>(m, "BtnRandom")->click();
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "BtnA")->click();
        QVERIFY(p.errPaper(100));
    }

    // The judge reads the stored switch when it judges, not a window's check box.
    void judgeReadsTheStoredSwitch() {
        TestProgram p(bank(), settingsWith({{Key::AutoSkip, "0"}, {Key::AutoRemove, "0"}}));
        frmMain& m = p.start();
        mark(p, {100, 102});
        inWrong(p, [](frmWrongQt* w) { control<QPushButton>(*w, "BtnSequence")->click(); });
        control<QPushButton>(m, "BtnA")->click(); // 100 is choice A: right
        QVERIFY(p.errPaper(100));
        p.execute("update Param set ParamValue='1' where ParamID='答对的试题从错题练习中自动除去'");
        control<QPushButton>(m, "BtnNextQuestion")->click();
        control<QPushButton>(m, "BtnB")->click(); // 102 is choice B: right
        QVERIFY(!p.errPaper(102));
    }

    void resetClearsEveryClassOnYesOnly() {
        TestProgram p(bank());
        p.start();
        mark(p, {100, 800});
        p.platform().answers = {false};
        inWrong(p, [](frmWrongQt* w) { control<QPushButton>(*w, "BtnAgainSet")->click(); });
        QVERIFY(p.errPaper(100) && p.errPaper(800));
        QCOMPARE(p.platform().questions[0].title, QStringLiteral("确认"));
        QCOMPARE(p.platform().questions[0].text,
                 QStringLiteral("你确定要重置错题吗?这会将以前的错误记录删除."));
        p.platform().answers = {true};
        inWrong(p, [](frmWrongQt* w) { control<QPushButton>(*w, "BtnAgainSet")->click(); });
        QVERIFY(!p.errPaper(100) && !p.errPaper(800));
        QVERIFY(p.platform().messages.isEmpty());
    }

    void noWrongQuestionsFallsBackWithoutTheResumeQuestion() {
        TestProgram p(bank(), settingsWith({{Key::ResumePoint, "105"}}));
        frmMain& m = p.start();
        mark(p, {800}); // another class's mark does not count
        inWrong(p, [](frmWrongQt* w) { control<QPushButton>(*w, "BtnRandom")->click(); });
        QCOMPARE(p.platform().messageTexts(),
                 QStringList{"暂无错题，请在练习中手工设置练习或者进行练习、模拟考试让系统自动记录"
                             "错题,\r\n点击确定进入习题练习."});
        QVERIFY(p.platform().questions.isEmpty());
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("1."));
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("顺序练习—共17题—小车版"));
        QVERIFY(!p.session().practice.IsWrongQuestionPractice);
        // It is whole-class sequential practice: an answer keeps the resume point.
        control<QPushButton>(m, "BtnA")->click();
        QCOMPARE(p.setting(Key::ResumePoint), QStringLiteral("100"));
        control<QPushButton>(m, "BtnSequence")->click();
        QCOMPARE(p.platform().questions.size(), 1); // asks again
        inWrong(p, [](frmWrongQt* w) { control<QPushButton>(*w, "BtnSequence")->click(); });
        QCOMPARE(p.platform().messages.last().text,
                 QStringLiteral("暂无错题，请在练习中手工设置练习或者进行练习、模拟考试让系统自动记"
                                "录错题\r\n点击确定进入习题练习"));
    }
};

QTEST_MAIN(TargetedTest)
#include "test_targeted.moc"
