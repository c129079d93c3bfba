// Showing a question: kinds, numbering, pictures, stored answers and failures.
#include "TestProgram.h"
#include "practice/AnswerCardView.h"
#include "store/Statements.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class DisplayTest : public QObject {
    Q_OBJECT

    static void show(frmMain& m, int position) {
        m.txtPreArrayNum->setText(m.txtCurrentArrayNum->text());
        m.txtCurrentArrayNum->setText(QString::number(position));
        m.CurrentPosition = position;
        m.GetQuestion(m.session().QuestionIds[position]);
    }

  private slots:
    void choiceAfterTrueFalseBringsBackTheOptions() {
        TestProgram p({judge(1, "C", "1", "对", "pic.jpg"), choice(2, "C", "1", "C")});
        frmMain& m = p.start();
        m.BtnSequence->click();
        QVERIFY(m.PicYesNo->isVisible());
        QVERIFY(!m.PicABCD->isVisible());
        QVERIFY(!m.LblA->isVisible());
        QVERIFY(m.ImgMarkPic->pixmap().isNull() == false);
        QCOMPARE(m.ImgMarkPic->accessibleName(), QStringLiteral("题目图片 pic.jpg"));
        QCOMPARE(m.LblAn->text(), QStringLiteral("对"));
        m.BtnNextQuestion->click();
        QVERIFY(m.PicABCD->isVisible());
        QVERIFY(!m.PicYesNo->isVisible());
        for (QLabel* l : {m.LblA, m.LblB, m.LblC, m.LblD, m.LblAnswerA, m.LblAnswerB, m.LblAnswerC,
                          m.LblAnswerD})
            QVERIFY(l->isVisible());
        QCOMPARE(m.LblAnswerC->text(), QStringLiteral("丙2"));
        QCOMPARE(m.LblAn->text(), QStringLiteral("C"));
        QVERIFY(m.ImgMarkPic->pixmap().isNull()); // no picture: cleared
        QCOMPARE(m.LblTime->text(), QStringLiteral("00:00:00"));
        QVERIFY(m.Timer3->isActive());
    }

    void numberingByPositionOrById() {
        {
            TestProgram p({choice(57, "C", "1", "A"), choice(58, "C", "1", "A")});
            frmMain& m = p.start();
            m.BtnSequence->click();
            QCOMPARE(m.LblNum->text(), QStringLiteral("1."));
            QCOMPARE(m.MSHFlexGrid1->card()->text(0, 1), QStringLiteral("2"));
        }
        {
            TestProgram p({choice(57, "C", "1", "A"), choice(58, "C", "1", "A")},
                          settingsWith({{Key::NumberMode, "0"}}));
            frmMain& m = p.start();
            m.BtnSequence->click();
            QCOMPARE(m.LblNum->text(), QStringLiteral("57."));
            QCOMPARE(m.MSHFlexGrid1->card()->text(0, 1), QStringLiteral("58"));
        }
    }

    void unknownKindKeepsThePreviousQuestion() {
        Question odd = choice(2, "C", "1", "A");
        odd.type = "7";
        TestProgram p({choice(1, "C", "1", "B"), odd});
        frmMain& m = p.start();
        m.BtnSequence->click();
        m.LblTime->setText("00:00:09");
        m.BtnNextQuestion->click();
        QCOMPARE(m.LblQuestion->text(), QStringLiteral("选择题 1"));
        QCOMPARE(m.LblNum->text(), QStringLiteral("1."));
        QCOMPARE(m.LblTime->text(), QStringLiteral("00:00:00"));
        auto* card = m.MSHFlexGrid1->card();
        QCOMPARE(card->background(1), AnswerCardModel::LightCyan);
        QCOMPARE(card->background(0), AnswerCardModel::White);
    }

    void missingPictureShowsThePlaceholderAndTheRest() {
        TestProgram p({choice(1, "C", "1", "B"), judge(2, "C", "1", "错", "gone.jpg")});
        frmMain& m = p.start();
        m.BtnSequence->click();
        m.BtnNextQuestion->click();
        QVERIFY(!m.ImgMarkPic->pixmap().isNull());
        QVERIFY(m.ImgMarkPic->accessibleName().contains("gone.jpg"));
        QCOMPARE(m.LblQuestion->text(), QStringLiteral("判断题 2"));
        QCOMPARE(m.LblAn->text(), QStringLiteral("错"));
        QVERIFY(m.PicYesNo->isVisible());
        QCOMPARE(m.MSHFlexGrid1->card()->background(1), AnswerCardModel::LightCyan);
        QVERIFY(p.platform().messages.isEmpty());
    }

    void storedAnswerAndVerdictComeBack() {
        TestProgram p({choice(1, "C", "1", "B"), choice(2, "C", "1", "A")},
                      settingsWith({{Key::AutoSkip, "0"}}));
        frmMain& m = p.start();
        m.BtnSequence->click();
        m.BtnC->click(); // wrong
        m.BtnNextQuestion->click();
        QVERIFY(m.LblCorrectAn->text().isEmpty());
        m.BtnPreQuestion->click();
        QCOMPARE(m.LblCorrectAn->text(), QStringLiteral("C"));
        QCOMPARE(m.ImgYesNo->accessibleName(), QStringLiteral("回答错误"));
        auto* card = m.MSHFlexGrid1->card();
        QCOMPARE(card->background(0), AnswerCardModel::LightCyan);
        QVERIFY(card->isBoldRed(0));
        m.BtnNextQuestion->click();
        QCOMPARE(card->background(0), AnswerCardModel::LightYellow);
        QVERIFY(card->isBoldRed(0));
    }

    void absentQuestionStopsQuietlyAfterThePageSwitch() {
        TestProgram p({choice(1, "C", "1", "B")});
        frmMain& m = p.start();
        QVERIFY(m.PicWelcome->isVisible());
        m.GetQuestion("999");
        QVERIFY(m.PicPractice->isVisible());
        QVERIFY(!m.PicWelcome->isVisible());
        m.GetQuestion("abc");
        QVERIFY(p.platform().messages.isEmpty());
        QVERIFY(p.platform().fatalErrors.isEmpty());
    }

    void nullWordingStopsAtThatLabel() {
        TestProgram p({choice(1, "C", "1", "B"), choice(2, "C", "1", "A")});
        p.execute("update Paper set An3=null where ID=2");
        frmMain& m = p.start();
        m.BtnSequence->click();
        show(m, 1);
        QCOMPARE(m.LblAnswerB->text(), QStringLiteral("乙2"));
        QCOMPARE(m.LblAnswerC->text(), QStringLiteral("丙1")); // left from before
        QVERIFY(p.platform().messages.isEmpty());
    }

    void answerStaysShownWhileMovingButNeverInAnExam() {
        TestProgram p({choice(1, "C", "1", "B"), judge(2, "C", "1", "错")});
        frmMain& m = p.start();
        m.BtnSequence->click();
        m.BtnShowAnswer->click();
        QCOMPARE(m.BtnShowAnswer->text(), QStringLiteral("隐藏答案"));
        QVERIFY(m.LblAn->isVisible());
        QCOMPARE(m.LblAn->text(), QStringLiteral("B"));
        m.BtnNextQuestion->click();
        QVERIFY(m.LblAn->isVisible());
        QCOMPARE(m.LblAn->text(), QStringLiteral("错"));
        m.ExamMode = true;
        m.SimulationExam();
        show(m, 0);
        QVERIFY(!m.LblAn->isVisible());
    }
};

QTEST_MAIN(DisplayTest)
#include "test_display.moc"
