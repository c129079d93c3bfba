// Start-up, the class chooser, the auto-skip switch and leaving the program.
#include "TestProgram.h"
#include "practice/AnswerCardView.h"
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
        QCOMPARE(m.CombolCarType->currentIndex(), 2);
        QCOMPARE(m.CombolCarType->currentText(), QStringLiteral("客车版(A1、A3、B1)"));
        QCOMPARE(m.FrameQuestion->title(), QStringLiteral("关于软件"));
        QVERIFY(m.PicWelcome->isVisible());
        QVERIFY(!m.PicPractice->isVisible());
        QVERIFY(!m.MSHFlexGrid1->isVisible());
        QVERIFY(!m.Line1->isVisible());
        QVERIFY(m.btnCheXing->isVisible());
        QVERIFY(!m.CombolCarType->isVisible());
        QCOMPARE(
            m.CombolCarType->toolTip(),
            QStringLiteral("小车版(C1、C2、C3、C4、C5)\r\n货车版(A2、B2)\r\n客车版(A1、A3、B1)"));
        // The whole class is loaded behind the welcome page, nothing shown.
        QCOMPARE(p.session().QuestionIds, (QStringList{"10", "21", "30"}));
        QVERIFY(m.LblCorrectAn->text().isEmpty());
        QVERIFY(m.isHidden() == false);
        QCOMPARE(m.minimumSize(), m.maximumSize());
        QVERIFY(p.platform().messages.isEmpty());
    }

    void choosingAClassShowsItsFirstQuestionAndStoresIt() {
        TestProgram p(bank());
        frmMain& m = p.start();
        QTest::mouseClick(m.btnCheXing, Qt::LeftButton);
        QVERIFY(m.CombolCarType->isVisible());
        QVERIFY(!m.btnCheXing->isVisible());
        m.CombolCarType->setCurrentIndex(1);
        emit m.CombolCarType->activated(1);
        QCOMPARE(m.FrameQuestion->title(), QStringLiteral("顺序练习—共3题—货车版"));
        QCOMPARE(p.setting(Key::CarType), QStringLiteral("B"));
        QCOMPARE(p.session().CarTypeCode, QStringLiteral("B"));
        QVERIFY(!m.PicWelcome->isVisible());
        QVERIFY(m.PicPractice->isVisible());
        QCOMPARE(m.LblQuestion->text(), QStringLiteral("选择题 10"));
        QCOMPARE(m.LblNum->text(), QStringLiteral("1."));
        QVERIFY(m.btnCheXing->isVisible());
        QVERIFY(!m.CombolCarType->isVisible());
        QVERIFY(m.IsSequencePractice);
    }

    void unknownStoredClassLetsTheFirstChoiceWork() {
        TestProgram p(bank(), settingsWith({{Key::CarType, "X"}}));
        frmMain& m = p.start();
        QCOMPARE(m.CombolCarType->currentIndex(), -1);
        QVERIFY(m.CarTypeClickArmed);
        m.CombolCarType->setCurrentIndex(0);
        emit m.CombolCarType->activated(0);
        QCOMPARE(p.setting(Key::CarType), QStringLiteral("C"));
        QCOMPARE(m.FrameQuestion->title(), QStringLiteral("顺序练习—共2题—小车版"));
    }

    void autoSkipPersistsAcrossRuns() {
        TestProgram p(bank(), settingsWith({{Key::AutoSkip, "0"}}));
        {
            frmMain& m = p.start();
            QVERIFY(!m.ChkAutoSkip->isChecked());
            m.show();
            m.BtnSequence->click();
            QTest::mouseClick(m.ChkAutoSkip, Qt::LeftButton);
            QCOMPARE(p.setting(Key::AutoSkip), QStringLiteral("1"));
        }
        frmMain& again = p.start();
        QVERIFY(again.ChkAutoSkip->isChecked());
        again.BtnSequence->click();
        QTest::mouseClick(again.ChkAutoSkip, Qt::LeftButton);
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
        m.BtnRandom->click();
        QVERIFY(p.platform().fatalErrors.isEmpty());
        m.BtnSequence->click();
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
        QTest::mouseClick(m.BtnExit, Qt::LeftButton);
        QCOMPARE(p.platform().ends, 1);
        QVERIFY(!p.session().Conn.isOpen());
    }

    void classWithoutQuestionsKeepsThePreviousSet() {
        TestProgram p({choice(1, "C", "1", "A"), choice(2, "C", "1", "B")});
        frmMain& m = p.start();
        m.BtnSequence->click();
        m.CombolCarType->setCurrentIndex(1);
        emit m.CombolCarType->activated(1);
        QCOMPARE(p.platform().messages.size(), 1);
        QCOMPARE(p.platform().messages[0].title, QStringLiteral("提示"));
        QCOMPARE(p.session().QuestionIds, (QStringList{"1", "2"}));
        QCOMPARE(m.LblQuestion->text(), QStringLiteral("选择题 1"));
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
