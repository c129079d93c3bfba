// The practice loop: answer card, sets, moves, judging, keys.
#include "TestProgram.h"
#include "domain/Review.h"
#include "practice/AnswerCardView.h"
#include "services/Practice.h"
#include "store/Statements.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace {

void clickCell(frmMain& m, int position) {
    auto* view = control<AnswerCardView>(m, "MSHFlexGrid1");
    const auto index = view->model()->index(position / 10, position % 10);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

// Counts the writes of ErrPaper, so a test can tell "no update" from "same value written".
void logMarkWrites(TestProgram& p) {
    p.execute("create table MarkLog(id integer)");
    p.execute("create trigger mark_written after update of ErrPaper on Paper "
              "begin insert into MarkLog values(new.ID); end");
}

QList<Question> tenOfEach() {
    QList<Question> list;
    for (int i = 1; i <= 8; ++i)
        list.append(choice(i, "C", "1", "B"));
    return list;
}

} // namespace

class PracticeTest : public QObject {
    Q_OBJECT

  private slots:
    // The card's model keeps every promise a view relies on, through loads and repaints.
    void cardModelPassesTheModelTester() {
        AnswerCardModel card;
        QAbstractItemModelTester tester(&card,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QStringList ids;
        for (int i = 101; i <= 195; ++i)
            ids.append(QString::number(i));
        card.load(ids, true); // numbered by id
        QCOMPARE(card.rowCount(), 10);
        QCOMPARE(card.data(card.index(0, 3), Qt::DisplayRole).toString(), QStringLiteral("104"));
        // A repaint tells the view about exactly the cell it changed.
        QSignalSpy changed(&card, &QAbstractItemModel::dataChanged);
        card.setBackground(3, AnswerCardModel::LightCyan);
        card.setBoldRed(14);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed[0][0].toModelIndex(), card.index(0, 3));
        QCOMPARE(changed[1][0].toModelIndex(), card.index(1, 4));
        card.load(ids.mid(0, 7), false);
        QCOMPARE(card.rowCount(), 1);
        QCOMPARE(card.background(3), AnswerCardModel::White);
        QCOMPARE(card.data(card.index(0, 3), Qt::DisplayRole).toString(),
                 QStringLiteral("4")); // by position
        card.clear();
        QCOMPARE(card.rowCount(), 0);
    }

    void cardLaysOutTenCellsARow() {
        TestProgram p(series(1, 95, "C", "1"));
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        auto* card = control<AnswerCardView>(m, "MSHFlexGrid1")->card();
        QCOMPARE(card->rowCount(), 10);
        QCOMPARE(card->columnCount(), 10);
        QCOMPARE(card->text(9, 4), QStringLiteral("95"));
        QVERIFY(card->text(9, 5).isEmpty());
        QVERIFY(card->text(9, 9).isEmpty());
        QCOMPARE(card->background(0), AnswerCardModel::LightCyan);
        QCOMPARE(card->data(card->index(9, 7), Qt::BackgroundRole).value<QColor>().rgb() & 0xFFFFFF,
                 AnswerCardModel::White);
        // Clicking an empty cell changes no question.
        clickCell(m, 97);
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("1."));
        QCOMPARE(p.session().practice.set.position(), 0);
        QVERIFY(p.platform().messages.isEmpty());
    }

    void randomSetsHoldEveryQuestionOnceInANewOrder() {
        TestProgram p(series(1, 60, "C", "1"));
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnRandom")->click();
        const QStringList first = p.session().practice.set.ids();
        control<QPushButton>(m, "BtnRandom")->click();
        const QStringList second = p.session().practice.set.ids();
        QCOMPARE(first.size(), 60);
        QCOMPARE(QSet<QString>(first.begin(), first.end()).size(), 60);
        QCOMPARE(QSet<QString>(second.begin(), second.end()),
                 QSet<QString>(first.begin(), first.end()));
        QVERIFY(first != second);
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("随机练习—共60题—小车版(C1、C2、C3、C4、C5)"));
        // Numbered by position, the card reads 1..n while the ids behind are shuffled.
        auto* card = control<AnswerCardView>(m, "MSHFlexGrid1")->card();
        QCOMPARE(card->text(0, 0), QStringLiteral("1"));
        QCOMPARE(card->text(1, 2), QStringLiteral("13"));
        clickCell(m, 12);
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("13."));
        const QString id = second[12];
        QVERIFY(control<QLabel>(m, "LblQuestion")->text().endsWith(" " + id));
    }

    void shuffleIsUniform() {
        // Each of the six orders of three ids comes up about equally often.
        QHash<QString, int> seen;
        std::mt19937 random(11);
        for (int i = 0; i < 6000; ++i) {
            QStringList ids{"1", "2", "3"};
            Shuffle(ids, random);
            seen[ids.join(',')]++;
        }
        QCOMPARE(seen.size(), 6);
        for (int n : seen)
            QVERIFY2(n > 850 && n < 1150, qPrintable(QString::number(n)));
    }

    // A click on the cell of the question on screen changes nothing: the next answer counts.
    void clickingTheCurrentCellKeepsAnswersComing() {
        TestProgram p(tenOfEach(), settingsWith({{Key::AutoSkip, "0"}}));
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        clickCell(m, 0);
        control<QPushButton>(m, "BtnB")->click();
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("1/1"));
        control<QPushButton>(m, "BtnNextQuestion")->click();
        clickCell(m, 1);
        control<QPushButton>(m, "BtnA")->click();
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("1/2"));
    }

    // Any number mode but "0" numbers by position; judging never depends on a caption.
    void anUnknownNumberModeNumbersByPosition() {
        TestProgram p(series(1, 25, "C", "1"), settingsWith({{Key::NumberMode, "7"}}));
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("1."));
        QCOMPARE(control<AnswerCardView>(m, "MSHFlexGrid1")->card()->text(0, 0),
                 QStringLiteral("1"));
        control<QPushButton>(m, "BtnSequence")->click();
        const QString right = control<QLabel>(m, "LblAn")->text();
        control<QPushButton>(m,
                             qPrintable(right == QStringLiteral("对")   ? QStringLiteral("BtnRight")
                                        : right == QStringLiteral("错") ? QStringLiteral("BtnWrong")
                                                                        : "Btn" + right))
            ->click();
        QCOMPARE(control<QLabel>(m, "ImgYesNo")->accessibleName(), QStringLiteral("回答正确"));
        QVERIFY(!p.errPaper(1));
        QVERIFY(!p.errPaper(22));
    }

    void resumeQuestionOffersTheLastPosition() {
        TestProgram p(series(1, 30, "C", "1"), settingsWith({{Key::ResumePoint, "17"}}));
        frmMain& m = p.start();
        p.platform().answers = {true};
        control<QPushButton>(m, "BtnSequence")->click();
        QCOMPARE(p.platform().questions.size(), 1);
        QCOMPARE(p.platform().questions[0].title, QStringLiteral("提示"));
        QCOMPARE(p.platform().questions[0].text, QStringLiteral("上次已经练习到第17题，要继续吗?"));
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("17."));
        QCOMPARE(p.session().practice.set.position(), 16);
        auto* card = control<AnswerCardView>(m, "MSHFlexGrid1")->card();
        QCOMPARE(card->background(0), AnswerCardModel::White);
        QCOMPARE(card->background(16), AnswerCardModel::LightCyan);

        p.platform().answers = {false};
        control<QPushButton>(m, "BtnSequence")->click();
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("1."));

        p.execute("update Param set ParamValue='1' where ParamID='上次顺序练习最后一题'");
        control<QPushButton>(m, "BtnSequence")->click();
        QCOMPARE(p.platform().questions.size(), 2); // nothing to resume: no question
    }

    // The point is stored as an id; the learner is asked about the number they saw on it.
    void resumeQuestionNamesTheNumberShown_data() {
        QTest::addColumn<QString>("numberMode");
        QTest::addColumn<QString>("shown");
        QTest::newRow("by position") << "1"
                                     << "8";
        QTest::newRow("by id") << "0"
                               << "1008";
    }
    void resumeQuestionNamesTheNumberShown() {
        QFETCH(QString, numberMode);
        QFETCH(QString, shown);
        TestProgram p(series(1001, 30, "C", "1"),
                      settingsWith({{Key::ResumePoint, "1008"}, {Key::NumberMode, numberMode}}));
        frmMain& m = p.start();
        p.platform().answers = {true};
        control<QPushButton>(m, "BtnSequence")->click();
        QCOMPARE(p.platform().questions.value(0).text,
                 QStringLiteral("上次已经练习到第%1题，要继续吗?").arg(shown));
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), shown + '.');
    }

    void resumePointOutsideTheSetStaysOnTheFirstQuestion() {
        TestProgram p(
            {choice(1, "C", "1", "A"), choice(2, "C", "1", "A"), choice(9, "B", "1", "A")},
            settingsWith({{Key::ResumePoint, "9"}}));
        frmMain& m = p.start();
        p.platform().answers = {true};
        control<QPushButton>(m, "BtnSequence")->click();
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("1."));
        QCOMPARE(p.session().practice.set.position(), 0);
    }

    // A move past either end stays; the question on screen still takes its answer.
    void movesStopAtBothEndsAndAnswersStillCount() {
        TestProgram p(tenOfEach(), settingsWith({{Key::AutoSkip, "0"}}));
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "BtnPreQuestion")->click();
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("1."));
        control<QPushButton>(m, "BtnB")->click();
        QCOMPARE(control<QLabel>(m, "LblCorrectAn")->text(), QStringLiteral("B"));
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text().section('/', 1), QStringLiteral("1"));
        for (int i = 0; i < 10; ++i)
            control<QPushButton>(m, "BtnNextQuestion")->click();
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("8."));
        control<QPushButton>(m, "BtnB")->click();
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text().section('/', 1), QStringLiteral("2"));
        control<QPushButton>(m, "BtnPreQuestion")->click();
        control<QPushButton>(m, "BtnB")->click();
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text().section('/', 1), QStringLiteral("3"));
        QCOMPARE(p.value("select count(*) from History").toInt(), 3);
    }

    void judgingCountsMarksAndStoresTheResumePoint() {
        TestProgram p(
            {choice(1, "C", "1", "B"), judge(2, "C", "1", "错"), choice(3, "C", "1", "D")},
            settingsWith({{Key::AutoSkip, "0"}}));
        logMarkWrites(p);
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "BtnB")->click();
        QCOMPARE(control<QLabel>(m, "LblCorrectAn")->text(), QStringLiteral("B"));
        QCOMPARE(control<QLabel>(m, "ImgYesNo")->accessibleName(), QStringLiteral("回答正确"));
        QVERIFY(!control<QLabel>(m, "ImgYesNo")->pixmap().isNull());
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("1/1"));
        QCOMPARE(control<QLabel>(m, "LblRate")->text(), QStringLiteral("100.00%"));
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("1.")); // no auto-advance
        QCOMPARE(p.setting(Key::ResumePoint), QStringLiteral("1"));
        QVERIFY(!p.errPaper(1));

        control<QPushButton>(m, "BtnNextQuestion")->click();
        control<QPushButton>(m, "BtnRight")->click();
        QCOMPARE(control<QLabel>(m, "ImgYesNo")->accessibleName(), QStringLiteral("回答错误"));
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("1/2"));
        QCOMPARE(control<QLabel>(m, "LblRate")->text(), QStringLiteral("50.00%"));
        QVERIFY(p.errPaper(2));
        QCOMPARE(p.setting(Key::ResumePoint), QStringLiteral("2"));
        QCOMPARE(p.value("select count(*) from MarkLog").toInt(), 1);
        // Wrong again: already marked, so no second write.
        control<QPushButton>(m, "BtnRight")->click();
        QCOMPARE(p.value("select count(*) from MarkLog").toInt(), 1);
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("1/2"));
        // Right after wrong counts once; a repeated right answer does not count again.
        control<QPushButton>(m, "BtnWrong")->click();
        control<QPushButton>(m, "BtnWrong")->click();
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("2/2"));
        QVERIFY(p.errPaper(2)); // not wrong-question practice: the mark stays

        // Random practice stores no resume point.
        control<QPushButton>(m, "BtnRandom")->click();
        control<QPushButton>(m, "BtnA")->click();
        control<QPushButton>(m, "BtnRight")->click();
        QCOMPARE(p.setting(Key::ResumePoint), QStringLiteral("2"));
    }

    void autoAdvanceMovesOnAndClearsTheMarkLater() {
        TestProgram p({choice(1, "C", "1", "B"), choice(2, "C", "1", "C")});
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        QVERIFY(control<QCheckBox>(m, "ChkAutoSkip")->isChecked());
        control<QPushButton>(m, "BtnB")->click();
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("2."));
        QCOMPARE(control<QLabel>(m, "LblCorrectAn")->text(), QStringLiteral("B"));
        QVERIFY(p.clock("Timer2")->isActive());
        p.clock("Timer2")->advance();
        QVERIFY(control<QLabel>(m, "LblCorrectAn")->text().isEmpty());
        QVERIFY(!p.clock("Timer2")->isActive());
        QVERIFY(control<QLabel>(m, "ImgYesNo")->pixmap().isNull());
        QCOMPARE(control<AnswerCardView>(m, "MSHFlexGrid1")->card()->background(0),
                 AnswerCardModel::LightYellow);
        // At the last question it stays; its verdict stays in view, and a second answer is
        // judged too (a learner's answer is never dropped).
        control<QPushButton>(m, "BtnC")->click();
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("2."));
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("2/2"));
        QVERIFY(!p.clock("Timer2")->isActive());
        QCOMPARE(control<QLabel>(m, "LblCorrectAn")->text(), QStringLiteral("C"));
        control<QPushButton>(m, "BtnA")->click(); // a wrong one leaves the right count alone
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("2/2"));
        QCOMPARE(control<QLabel>(m, "LblCorrectAn")->text(), QStringLiteral("A"));
        QCOMPARE(control<QLabel>(m, "ImgYesNo")->accessibleName(), QStringLiteral("回答错误"));
    }

    // The clock of one automatic move never clears the next question's wrong verdict.
    void aWrongVerdictOutlastsTheClockOfTheMoveBefore() {
        TestProgram p(
            {choice(1, "C", "1", "B"), choice(2, "C", "1", "C"), choice(3, "C", "1", "A")});
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "BtnB")->click(); // right: on to question 2
        control<QPushButton>(m, "BtnA")->click(); // wrong, before the clock of that move ticks
        p.clock("Timer2")->advance();
        QCOMPARE(control<QLabel>(m, "LblCorrectAn")->text(), QStringLiteral("A"));
        QCOMPARE(control<QLabel>(m, "ImgYesNo")->accessibleName(), QStringLiteral("回答错误"));
        QVERIFY(control<QWidget>(m, "PicExplain")->isVisible());
    }

    void setWrongByHandShowsTheConfirmationBriefly() {
        TestProgram p({choice(1, "C", "1", "B")});
        frmMain& m = p.start();
        // Before any question is on screen nothing happens.
        control<QPushButton>(m, "BtnSetWrongQuestion")->click();
        control<QPushButton>(m, "BtnShowAnswer")->click();
        QVERIFY(p.platform().fatalErrors.isEmpty());
        QVERIFY(!p.errPaper(1));
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "BtnSetWrongQuestion")->click();
        QVERIFY(p.errPaper(1));
        QVERIFY(control<QLabel>(m, "LblWrongPrompt")->isVisible());
        QCOMPARE(control<QLabel>(m, "LblWrongPrompt")->text(), QStringLiteral("设置成功"));
        QVERIFY(p.clock("Timer1")->isActive());
        p.clock("Timer1")->advance();
        QVERIFY(!control<QLabel>(m, "LblWrongPrompt")->isVisible());
    }

    void keysAnswerAndMoveAsTheButtonsDo() {
        TestProgram p(
            {choice(1, "C", "1", "B"), judge(2, "C", "1", "错"), choice(3, "C", "1", "A")},
            settingsWith({{Key::AutoSkip, "0"}}));
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        m.activateWindow();
        QTest::keyClick(&m, Qt::Key_B);
        QCOMPARE(control<QLabel>(m, "LblCorrectAn")->text(), QStringLiteral("B"));
        QTest::keyClick(&m, Qt::Key_Right);
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("2."));
        QTest::keyClick(&m, Qt::Key_A); // no choice buttons on a true/false question
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("1/1"));
        QTest::keyClick(&m, Qt::Key_2);
        QCOMPARE(control<QLabel>(m, "LblCorrectAn")->text(), QStringLiteral("错"));
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("2/2"));
        QTest::keyClick(&m, Qt::Key_PageDown);
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("3."));
        QTest::keyClick(&m, Qt::Key_Left);
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("2."));
        QCOMPARE(control<QPushButton>(m, "BtnA")->text(), QStringLiteral("A"));
    }

    void wheelPagesTheCardOnlyByWholeNotches() {
        TestProgram p(series(1, 900, "C", "1"));
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        auto* bar = control<AnswerCardView>(m, "MSHFlexGrid1")->verticalScrollBar();
        const int start = bar->value();
        auto wheel = [&](int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
            QWheelEvent e(QPointF(50, 50),
                          control<AnswerCardView>(m, "MSHFlexGrid1")->mapToGlobal(QPointF(50, 50)),
                          QPoint(), QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase, false);
            QApplication::sendEvent(control<AnswerCardView>(m, "MSHFlexGrid1")->viewport(), &e);
        };
        wheel(-120);
        const int page = bar->value() - start;
        QVERIFY(page >= 10);
        wheel(-60);
        wheel(-120, Qt::ControlModifier);
        QCOMPARE(bar->value() - start, page);
        wheel(120);
        QCOMPARE(bar->value(), start);
    }
};

QTEST_MAIN(PracticeTest)
#include "test_practice.moc"
