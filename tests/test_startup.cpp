// Start-up, the class chooser, the auto-skip switch and leaving the program.
#include "TestProgram.h"
#include "practice/AnswerCardView.h"
#include "practice/WindowFit.h"
#include "store/Statements.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class StartupTest : public QObject {
    Q_OBJECT

    static QList<Question> bank() {
        return {choice(10, "ABC", "1", "A"), judge(11, "C", "1", "对"), choice(20, "B", "2", "B"),
                judge(21, "AB", "2", "错"), choice(30, "A", "8", "C")};
    }

  private slots:
    void startsOnTheWelcomePageWithTheStoredClass() {
        TestProgram p(bank(), settingsWith({{Key::CarType, "A"}}));
        frmMain& m = p.start();
        QVERIFY(m.startedUp());
        QCOMPARE(control<QComboBox>(m, "CombolCarType")->currentIndex(), 2);
        QCOMPARE(control<QComboBox>(m, "CombolCarType")->currentText(),
                 QStringLiteral("客车版(A1、A3、B1)"));
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(), QStringLiteral("关于软件"));
        QVERIFY(control<QWidget>(m, "PicWelcome")->isVisible());
        QVERIFY(!control<QWidget>(m, "PicPractice")->isVisible());
        QVERIFY(!control<AnswerCardView>(m, "MSHFlexGrid1")->isVisible());
        QVERIFY(!control<QFrame>(m, "Line1")->isVisible());
        QVERIFY(control<QPushButton>(m, "btnCheXing")->isVisible());
        QVERIFY(!control<QComboBox>(m, "CombolCarType")->isVisible());
        QCOMPARE(
            control<QComboBox>(m, "CombolCarType")->toolTip(),
            QStringLiteral("小车版(C1、C2、C3、C4、C5)\r\n货车版(A2、B2)\r\n客车版(A1、A3、B1)"));
        // The whole class is loaded behind the welcome page, nothing shown.
        QCOMPARE(p.session().practice.set.ids(), (QStringList{"10", "21", "30"}));
        QVERIFY(control<QLabel>(m, "LblCorrectAn")->text().isEmpty());
        QVERIFY(m.isHidden() == false);
        QVERIFY(!m.windowIcon().isNull());
        // Resizable, down to a size every control fits in.
        QCOMPARE(m.minimumSize(), WindowFit::Minimum);
        QVERIFY(m.maximumWidth() > WindowFit::Preferred.width());
        QVERIFY(p.platform().messages.isEmpty());
    }

    void choosingAClassShowsItsFirstQuestionAndStoresIt() {
        TestProgram p(bank());
        frmMain& m = p.start();
        QTest::mouseClick(control<QPushButton>(m, "btnCheXing"), Qt::LeftButton);
        QVERIFY(control<QComboBox>(m, "CombolCarType")->isVisible());
        QVERIFY(!control<QPushButton>(m, "btnCheXing")->isVisible());
        control<QComboBox>(m, "CombolCarType")->setCurrentIndex(1);
        emit control<QComboBox>(m, "CombolCarType")->activated(1);
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("顺序练习—共3题—货车版"));
        QCOMPARE(p.setting(Key::CarType), QStringLiteral("B"));
        QCOMPARE(p.session().practice.CarTypeCode, QStringLiteral("B"));
        QVERIFY(!control<QWidget>(m, "PicWelcome")->isVisible());
        QVERIFY(control<QWidget>(m, "PicPractice")->isVisible());
        QCOMPARE(control<QLabel>(m, "LblQuestion")->text(), QStringLiteral("选择题 10"));
        QCOMPARE(control<QLabel>(m, "LblNum")->text(), QStringLiteral("1."));
        QVERIFY(control<QPushButton>(m, "btnCheXing")->isVisible());
        QVERIFY(!control<QComboBox>(m, "CombolCarType")->isVisible());
        // Whole-class sequential practice: an answer stores the resume point.
        control<QPushButton>(m, "BtnA")->click();
        QCOMPARE(p.setting(Key::ResumePoint), QStringLiteral("10"));
    }

    void unknownStoredClassLetsTheFirstChoiceWork() {
        TestProgram p(bank(), settingsWith({{Key::CarType, "X"}}));
        frmMain& m = p.start();
        QCOMPARE(control<QComboBox>(m, "CombolCarType")->currentIndex(), -1);
        QVERIFY(p.platform().messages.isEmpty());
        control<QComboBox>(m, "CombolCarType")->setCurrentIndex(0);
        emit control<QComboBox>(m, "CombolCarType")->activated(0);
        QCOMPARE(p.setting(Key::CarType), QStringLiteral("C"));
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("顺序练习—共2题—小车版"));
    }

    // The class's set loads once the window has painted: a set asked for before then stays.
    void setAskedForBeforeTheFirstPaintStays() {
        TestProgram p(bank());
        frmMain& m = p.create();
        control<QPushButton>(m, "BtnRandom")->click();
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QCoreApplication::processEvents(); // what the first paint left queued
        QCOMPARE(p.session().practice.set.mode(), QuestionSet::Mode::Random);
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("随机练习—共2题—小车版(C1、C2、C3、C4、C5)"));
    }

    void autoSkipPersistsAcrossRuns() {
        TestProgram p(bank(), settingsWith({{Key::AutoSkip, "0"}}));
        {
            frmMain& m = p.start();
            QVERIFY(!control<QCheckBox>(m, "ChkAutoSkip")->isChecked());
            m.show();
            control<QPushButton>(m, "BtnSequence")->click();
            QTest::mouseClick(control<QCheckBox>(m, "ChkAutoSkip"), Qt::LeftButton);
            QCOMPARE(p.setting(Key::AutoSkip), QStringLiteral("1"));
        }
        frmMain& again = p.start();
        QVERIFY(control<QCheckBox>(again, "ChkAutoSkip")->isChecked());
        control<QPushButton>(again, "BtnSequence")->click();
        QTest::mouseClick(control<QCheckBox>(again, "ChkAutoSkip"), Qt::LeftButton);
        QCOMPARE(p.setting(Key::AutoSkip), QStringLiteral("0"));
    }

    void missingSettingsRowsStopStartUp_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("class") << Key::CarType;
        QTest::newRow("numbering") << Key::NumberMode;
        QTest::newRow("auto skip") << Key::AutoSkip;
        QTest::newRow("skin") << Key::Skin;
    }
    void missingSettingsRowsStopStartUp() {
        QFETCH(QString, key);
        TestProgram p(bank());
        p.execute("delete from Param where ParamID='" + key + "'");
        frmMain& m = p.start();
        QVERIFY(!m.startedUp());
        QCOMPARE(p.platform().fatalErrors.size(), 1);
        QVERIFY(!m.isVisible());
    }

    void resumeRowIsOnlyNeededBySequentialPractice() {
        TestProgram p(bank());
        p.execute("delete from Param where ParamID='上次顺序练习最后一题'");
        frmMain& m = p.start();
        QVERIFY(m.startedUp());
        control<QPushButton>(m, "BtnRandom")->click();
        QVERIFY(p.platform().fatalErrors.isEmpty());
        control<QPushButton>(m, "BtnSequence")->click();
        QCOMPARE(p.platform().fatalErrors.size(), 1);
    }

    void missingOrDamagedBankEndsBeforeTheWindowShows() {
        TestProgram p(bank());
        QFile::remove(p.bankFile());
        frmMain& m = p.start();
        QVERIFY(!m.startedUp());
        QCOMPARE(p.platform().fatalErrors.size(), 1);
        QVERIFY(p.platform().fatalErrors[0].second.contains("question.dll"));
        QVERIFY(!QFile::exists(p.bankFile()));
    }

    void exitClosesTheBankAndEnds() {
        TestProgram p(bank());
        frmMain& m = p.start();
        QTest::mouseClick(control<QPushButton>(m, "BtnExit"), Qt::LeftButton);
        QCOMPARE(p.platform().ends, 1);
        QVERIFY(!p.session().Conn.isOpen());
    }

    // The close box ends the program as 退出 does; every mark was saved when it was made.
    void closeBoxEndsWithNothingLost() {
        TestProgram p(bank());
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "BtnB")->click(); // wrong: question 10 is A
        QVERIFY(m.close());
        QCOMPARE(p.platform().ends, 1);
        QVERIFY(!p.session().Conn.isOpen());
        QVERIFY(p.errPaper(10));
    }

    // A class without questions changes nothing: the question, the chooser, the caption, the
    // stored class and the class the next answer is recorded under all stay.
    void classWithoutQuestionsChangesNothing() {
        TestProgram p({choice(1, "C", "1", "A"), choice(2, "C", "1", "B")});
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        const QString caption = control<QGroupBox>(m, "FrameQuestion")->title();
        auto* chooser = control<QComboBox>(m, "CombolCarType");
        chooser->setCurrentIndex(1);
        emit chooser->activated(1);
        QCOMPARE(p.platform().messages.size(), 1);
        QCOMPARE(control<QLabel>(m, "LblQuestion")->text(), QStringLiteral("选择题 1"));
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(), caption);
        QCOMPARE(chooser->currentIndex(), 0);
        QCOMPARE(p.setting(Key::CarType), QStringLiteral("C"));
        control<QPushButton>(m, "BtnA")->click();
        QCOMPARE(p.value(QStringLiteral("select group_concat(CarType) from History")).toString(),
                 QStringLiteral("C"));
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
