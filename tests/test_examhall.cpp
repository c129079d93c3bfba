// The exam-hall mode as a candidate meets it: the briefing's choice, the confirm page, answering
// by key and mouse, the number grid, 交卷, too many wrong answers, the clock running out and 补考.
#include "TestProgram.h"
#include "domain/Domain.h"
#include "exam/frmExamHall.h"
#include "exam/frmScore.h"
#include "practice/Comfort.h"
#include "progress/ScoreChart.h"
#include "services/Practice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

namespace {

using Action = std::function<void(QDialog*)>;

// 模拟考试 with 考场模式 chosen in the briefing; `inHall` runs while the hall is open, then
// `inScore` while the score window is.
void sitHall(TestProgram& p, Action inHall, Action inScore = {}) {
    p.platform().modalActions.push_back([](QDialog* d) {
        control<QCheckBox>(*d, "ChkExamHall")->setChecked(true);
        control<QPushButton>(*d, "BtnStart")->click();
    });
    p.platform().modalActions.push_back(std::move(inHall));
    p.platform().modalActions.push_back(inScore ? std::move(inScore) : [](QDialog*) {});
    control<QPushButton>(p.main(), "BtnMoNiKaoShi")->click();
}

// The next box the hall opens is handled by `inBox`.
void whenBox(TestProgram& p, Action inBox) {
    p.platform().modalActions.push_front(std::move(inBox));
}

QString page(QDialog* hall) {
    return control<QStackedWidget>(*hall, "HallPages")->currentWidget()->objectName();
}

QString text(QDialog* d, const char* name) {
    return control<QLabel>(*d, name)->text();
}

QuestionData current(TestProgram& p) {
    return *ReadQuestion(p.session().practice, p.session().practice.set.currentId());
}

// The key a candidate presses for `answer` ("A"–"D", "对"/"错").
Qt::Key keyFor(const QString& answer) {
    if (answer == QStringLiteral("对")) return Qt::Key_Y;
    if (answer == QStringLiteral("错")) return Qt::Key_2;
    return Qt::Key(Qt::Key_A + (answer.at(0).unicode() - u'A'));
}

QString wrongAnswer(const QuestionData& q) {
    if (q.kind == Kind::TrueFalse)
        return q.rightAnswer == QStringLiteral("对") ? QStringLiteral("错") : QStringLiteral("对");
    return q.rightAnswer == QStringLiteral("A") ? QStringLiteral("B") : QStringLiteral("A");
}

// Answers the question on screen by key, rightly or not, and goes on by the grid's next number
// (the settings decide whether the hall would have moved by itself).
void answer(TestProgram& p, QDialog* hall, bool right) {
    const QuestionData q = current(p);
    QTest::keyClick(hall, keyFor(right ? q.rightAnswer : wrongAnswer(q)));
}

int viewNumber(QDialog* hall) {
    return text(hall, "LblNumber").section(QLatin1Char(' '), 1, 1).toInt();
}

void next(QDialog* hall) {
    QTest::keyClick(hall, Qt::Key_Right);
}

int hallRecords(TestProgram& p) {
    return p.value("select count(*) from Record where Hall = 1").toInt();
}

QList<QPair<QString, QString>> stayPut(const QList<QPair<QString, QString>>& more = {}) {
    auto changes = more;
    changes.append({Key::HallMovesOn, QStringLiteral("0")});
    return settingsWith(changes);
}

} // namespace

class ExamHallTest : public QObject {
    Q_OBJECT

  private slots:
    // The choice and the candidate's details are kept; the details are never required; the
    // hall starts its clock only on 确认 (Enter).
    void theBriefingKeepsTheChoiceAndTheHallWaitsForConfirm() {
        TestProgram p(checkedBank());
        p.start();
        p.platform().modalActions.push_back([](QDialog* d) {
            control<QCheckBox>(*d, "ChkExamHall")->setChecked(true);
            control<QLineEdit>(*d, "TxtName")->setText(QStringLiteral("王小明"));
            control<QComboBox>(*d, "CboHallOrder")->setCurrentIndex(1);
            control<QCheckBox>(*d, "ChkHallChangeable")->setChecked(false);
            control<QPushButton>(*d, "BtnStart")->click();
        });
        p.platform().modalActions.push_back([&p](QDialog* hall) {
            QCOMPARE(page(hall), QStringLiteral("PageConfirm"));
            QVERIFY(text(hall, "LblConfirmDetails").contains(QStringLiteral("王小明")));
            QVERIFY(!p.clock("hallClock")->isActive());
            QTest::keyClick(hall, Qt::Key_Return);
            QCOMPARE(page(hall), QStringLiteral("PageQuestion"));
            QVERIFY(p.clock("hallClock")->isActive());
            // True/false first: the first question on screen is one.
            QCOMPARE(current(p).kind, Kind::TrueFalse);
            p.clock("hallClock")->advance(61);
            QCOMPARE(text(hall, "LblRemaining"), QStringLiteral("剩余时间 43:59"));
            p.platform().answers.push_back(true); // yes, leave the sitting
            hall->reject();
        });
        control<QPushButton>(p.main(), "BtnMoNiKaoShi")->click();
        QCOMPARE(p.setting(Key::ExamHall), QStringLiteral("1"));
        QCOMPARE(p.setting(Key::CandidateName), QStringLiteral("王小明"));
        QCOMPARE(p.setting(Key::HallOrder), QStringLiteral("1"));
        QCOMPARE(p.setting(Key::HallChangeable), QStringLiteral("0"));
        QCOMPARE(p.setting(Key::CandidateId), QString());
        // Left without handing in: no score, and the paper is not running behind the window.
        QCOMPARE(p.value("select count(*) from Record").toInt(), 0);
        QVERIFY(!p.session().practice.examRunning());
    }

    // The answer shows marked with ✓ or ✗ at once, never the right one; whether it can be
    // changed until 交卷 is the candidate's setting.
    void anAnswerShowsItsMarkAndChangesOnlyWhenAllowed_data() {
        QTest::addColumn<bool>("changeable");
        QTest::addRow("changeable") << true;
        QTest::addRow("fixed") << false;
    }
    void anAnswerShowsItsMarkAndChangesOnlyWhenAllowed() {
        QFETCH(bool, changeable);
        TestProgram p(checkedBank(), stayPut({{Key::HallChangeable, changeable ? "1" : "0"}}));
        p.start();
        sitHall(p, [&](QDialog* hall) {
            control<QPushButton>(*hall, "BtnConfirm")->click();
            const QuestionData q = current(p);
            answer(p, hall, false);
            QCOMPARE(text(hall, "LblVerdict"), QStringLiteral("✗"));
            QCOMPARE(text(hall, "LblGiven"), QStringLiteral("您的答案：") + wrongAnswer(q));
            QVERIFY(!text(hall, "LblGiven").contains(q.rightAnswer));
            // The right answer's mark is not ticked or set apart in any way.
            for (auto* option : hall->findChildren<QRadioButton*>())
                QCOMPARE(option->isChecked(),
                         option->text().startsWith(wrongAnswer(q)) && option->isVisible());
            // By mouse this time.
            const QString right = q.kind != Kind::TrueFalse ? "Opt" + q.rightAnswer
                                  : q.rightAnswer == QStringLiteral("对")
                                      ? QStringLiteral("OptRight")
                                      : QStringLiteral("OptWrong");
            control<QRadioButton>(*hall, qPrintable(right))->click();
            QCOMPARE(text(hall, "LblVerdict"),
                     changeable ? QStringLiteral("✓") : QStringLiteral("✗"));
            QCOMPARE(p.session().practice.set.rightCount(), changeable ? 1 : 0);
            QCOMPARE(p.session().practice.set.answeredCount(), 1);
            QCOMPARE(text(hall, "LblAnswered"), QStringLiteral("已答 1 / 100"));
        });
    }

    // On by default, the hall moves on by itself after a short pause; off, it stays.
    void theHallMovesOnByItselfWhenSet_data() {
        QTest::addColumn<QString>("movesOn");
        QTest::addColumn<int>("after");
        QTest::addRow("on") << "1" << 2;
        QTest::addRow("off") << "0" << 1;
    }
    void theHallMovesOnByItselfWhenSet() {
        QFETCH(QString, movesOn);
        QFETCH(int, after);
        TestProgram p(checkedBank(), settingsWith({{Key::HallMovesOn, movesOn}}));
        p.start();
        sitHall(p, [&](QDialog* hall) {
            control<QPushButton>(*hall, "BtnConfirm")->click();
            answer(p, hall, true);
            QCOMPARE(viewNumber(hall), 1); // the mark is seen first
            p.clock("hallNext")->advance();
            QCOMPARE(viewNumber(hall), after);
        });
    }

    // The grid jumps to any number and shows which are answered and which is current; the
    // arrow keys step.
    void theGridAndTheArrowsMoveAboutThePaper() {
        TestProgram p(checkedBank(), stayPut());
        p.start();
        sitHall(p, [&](QDialog* hall) {
            control<QPushButton>(*hall, "BtnConfirm")->click();
            answer(p, hall, true);
            control<QPushButton>(*hall, "Num37")->click();
            QCOMPARE(viewNumber(hall), 37);
            QCOMPARE(control<QPushButton>(*hall, "Num37")->property("cell").toString(), "current");
            QCOMPARE(control<QPushButton>(*hall, "Num1")->property("cell").toString(), "answered");
            QCOMPARE(control<QPushButton>(*hall, "Num2")->property("cell").toString(), "plain");
            QTest::keyClick(hall, Qt::Key_Left);
            QCOMPARE(viewNumber(hall), 36);
            control<QPushButton>(*hall, "Num100")->click();
            next(hall); // past the end stays
            QCOMPARE(viewNumber(hall), 100);
            QVERIFY(!control<QPushButton>(*hall, "BtnNext")->isEnabled());
        });
    }

    // 交卷 with questions unanswered: 继续考试 goes back with the clock running, 确定交卷 (Enter)
    // scores and shows the result; one record, of the hall.
    void handingInAsksWithTheCountsFirst() {
        TestProgram p(checkedBank(), stayPut());
        p.start();
        sitHall(p, [&](QDialog* hall) {
            control<QPushButton>(*hall, "BtnConfirm")->click();
            for (int i = 0; i < 3; ++i) {
                answer(p, hall, i != 1);
                next(hall);
            }
            QString shown;
            whenBox(p, [&](QDialog* box) {
                shown = text(box, "LblBoxText");
                control<QPushButton>(*box, "BtnContinue")->click();
            });
            control<QPushButton>(*hall, "BtnHandIn")->click();
            QVERIFY(shown.contains(QStringLiteral("当前得分：2 分")));
            QVERIFY(shown.contains(QStringLiteral("未答题数：97 题")));
            QVERIFY(shown.contains(QStringLiteral("答错题数：1 题")));
            QCOMPARE(page(hall), QStringLiteral("PageQuestion"));
            QVERIFY(p.clock("hallClock")->isActive());
            p.clock("hallClock")->advance(10);
            whenBox(p, [](QDialog* box) { QTest::keyClick(box, Qt::Key_Return); });
            control<QPushButton>(*hall, "BtnHandIn")->click();
            QCOMPARE(page(hall), QStringLiteral("PageResult"));
            QCOMPARE(text(hall, "LblResult"), QStringLiteral("不合格"));
            QCOMPARE(text(hall, "LblResultScore"), QStringLiteral("考试成绩：2 分"));
            QCOMPARE(text(hall, "LblTimeUsed"), QStringLiteral("用时 0 分 10 秒"));
            QVERIFY(!p.clock("hallClock")->isActive());
            QCOMPARE(hallRecords(p), 1);
            QCOMPARE(p.value("select score from Record").toInt(), 2);
        });
        QCOMPARE(hallRecords(p), 1); // the score window only lists it
    }

    // The 11th wrong answer at a pass mark of 90: told with a choice, ended, or nothing said.
    void theEleventhWrongAnswer_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("pressed"); // in the box; empty: no box expected
        QTest::addColumn<bool>("ended");
        QTest::addRow("told, goes on") << "0"
                                       << "BtnContinue" << false;
        QTest::addRow("told, ends") << "0"
                                    << "BtnEndExam" << true;
        QTest::addRow("ends") << "1"
                              << "" << true;
        QTest::addRow("says nothing") << "2"
                                      << "" << false;
    }
    void theEleventhWrongAnswer() {
        QFETCH(QString, setting);
        QFETCH(QString, pressed);
        QFETCH(bool, ended);
        TestProgram p(checkedBank(), stayPut({{Key::HallTooManyWrong, setting}}));
        p.start();
        sitHall(p, [&](QDialog* hall) {
            control<QPushButton>(*hall, "BtnConfirm")->click();
            QStringList boxes;
            p.platform().modalActions.push_front([&](QDialog* box) {
                boxes.append(box->objectName());
                control<QPushButton>(*box, qPrintable(pressed))->click();
            });
            for (int i = 0; i < 10; ++i) {
                answer(p, hall, false);
                next(hall);
            }
            QVERIFY(boxes.isEmpty());
            answer(p, hall, false);
            QCOMPARE(boxes, pressed.isEmpty() ? QStringList() : QStringList{"BoxTooManyWrong"});
            if (pressed.isEmpty()) p.platform().modalActions.pop_front();
            QCOMPARE(page(hall),
                     ended ? QStringLiteral("PageResult") : QStringLiteral("PageQuestion"));
            QCOMPARE(hallRecords(p), ended ? 1 : 0);
            QCOMPARE(p.platform().messages.size(), setting == "1" ? 1 : 0);
            // Told once: the 12th wrong answer asks nothing more.
            if (!ended) {
                next(hall);
                answer(p, hall, false);
                QCOMPARE(boxes.size(), pressed.isEmpty() ? 0 : 1);
            }
        });
    }

    // The time runs out under an open box: the box closes, the paper is handed in once.
    void timeRunningOutUnderABoxHandsInOnce_data() {
        QTest::addColumn<bool>("tooManyWrong");
        QTest::addRow("交卷 box") << false;
        QTest::addRow("too-many-wrong box") << true;
    }
    void timeRunningOutUnderABoxHandsInOnce() {
        QFETCH(bool, tooManyWrong);
        TestProgram p(checkedBank(), stayPut());
        p.start();
        sitHall(p, [&](QDialog* hall) {
            control<QPushButton>(*hall, "BtnConfirm")->click();
            bool closedUnderIt = false;
            whenBox(p, [&](QDialog* box) {
                p.clock("hallClock")->advance(100000);
                closedUnderIt = !box->isVisible();
                // A late press on the closed box changes nothing.
                control<QPushButton>(*box, tooManyWrong ? "BtnEndExam" : "BtnConfirmHandIn")
                    ->click();
            });
            if (tooManyWrong) {
                for (int i = 0; i < 11; ++i) {
                    answer(p, hall, false);
                    next(hall);
                }
            } else {
                control<QPushButton>(*hall, "BtnHandIn")->click();
            }
            QVERIFY(closedUnderIt);
            QCOMPARE(page(hall), QStringLiteral("PageResult"));
            QCOMPARE(text(hall, "LblTimeUsed"), QStringLiteral("用时 45 分 0 秒"));
            control<QPushButton>(*hall, "BtnHandIn")->click();
        });
        QCOMPARE(p.value("select count(*) from Record").toInt(), 1);
    }

    // A failed first sitting offers 补考 on a new paper; the second sitting offers none; the
    // score window follows with both records, and the main window shows the last paper's review.
    void aFailedSittingOffersOneRetryOnANewPaper() {
        TestProgram p(checkedBank(), stayPut());
        p.start();
        QStringList first, second;
        sitHall(
            p,
            [&](QDialog* hall) {
                control<QPushButton>(*hall, "BtnConfirm")->click();
                first = p.session().practice.set.ids();
                whenBox(p, [](QDialog* box) {
                    control<QPushButton>(*box, "BtnConfirmHandIn")->click();
                });
                control<QPushButton>(*hall, "BtnHandIn")->click();
                QVERIFY(control<QPushButton>(*hall, "BtnRetry")->isVisible());
                control<QPushButton>(*hall, "BtnRetry")->click();
                QCOMPARE(page(hall), QStringLiteral("PageQuestion"));
                QVERIFY(p.clock("hallClock")->isActive());
                QVERIFY(text(hall, "LblCandidate").contains(QStringLiteral("补考")));
                second = p.session().practice.set.ids();
                answer(p, hall, true);
                whenBox(p, [](QDialog* box) {
                    control<QPushButton>(*box, "BtnConfirmHandIn")->click();
                });
                control<QPushButton>(*hall, "BtnHandIn")->click();
                QVERIFY(!control<QPushButton>(*hall, "BtnRetry")->isVisible());
                control<QPushButton>(*hall, "BtnEnd")->click();
            },
            [&](QDialog* score) {
                QCOMPARE(text(score, "LblInfo"), QStringLiteral("考试得分：1分"));
            });
        QCOMPARE(second.size(), 100);
        QVERIFY(first != second);
        QCOMPARE(p.value("select group_concat(score) from (select score from Record where Hall = 1 "
                         "order by ID)")
                     .toString(),
                 QStringLiteral("0,1"));
        QCOMPARE(p.session().practice.phase(), PracticeSession::Phase::Reviewing);
        QCOMPARE(p.session().practice.set.ids(), second);
    }

    // A passed sitting offers no 补考.
    // At every text size the hall fits a 1280-pixel-wide screen: the number grid and the
    // buttons beside it must not push it wider.
    void theHallFitsASmallScreenAtEveryTextSize_data() {
        QTest::addColumn<int>("step");
        for (int step = Comfort::SmallestStep; step <= Comfort::LargestStep; ++step)
            QTest::addRow("step %d", step) << step;
    }
    void theHallFitsASmallScreenAtEveryTextSize() {
        QFETCH(int, step);
        TestProgram p(checkedBank(), stayPut({{Key::FontStep, QString::number(step)}}));
        p.start();
        sitHall(p, [&](QDialog* hall) {
            control<QPushButton>(*hall, "BtnConfirm")->click();
            QVERIFY(hall->minimumSizeHint().width() <= 1280);
            QVERIFY(hall->minimumSizeHint().height() <= 720);
            p.platform().answers.push_back(true);
            hall->reject();
        });
    }

    // Options longer than the frame is wide break into lines inside it at 特大 (an imported
    // bank may have such); a screen reader still hears each option whole.
    void longOptionsWrapAtTheLargestText() {
        const QString tail =
            QStringLiteral("处二十元以上二百元以下罚款并可以将车辆拖移到不妨碍交通的指定地点")
                .repeated(2);
        QList<Question> bank = checkedBank();
        for (Question& q : bank)
            if (q.type == QStringLiteral("1"))
                for (QString& option : q.options)
                    option += tail;
        TestProgram p(bank, stayPut({{Key::FontStep, QString::number(Comfort::LargestStep)}}));
        p.start();
        sitHall(p, [&](QDialog* hall) {
            control<QPushButton>(*hall, "BtnConfirm")->click();
            while (current(p).kind == Kind::TrueFalse)
                next(hall);
            auto fits = [](QRadioButton* option) {
                const QStringList lines = option->text().split(QLatin1Char('\n'));
                for (const QString& line : lines)
                    if (option->fontMetrics().horizontalAdvance(line) >= option->width())
                        return false;
                return lines.size() > 1 &&
                       option->height() >= lines.size() * option->fontMetrics().height();
            };
            for (const char* name : {"OptA", "OptB", "OptC", "OptD"}) {
                auto* option = control<QRadioButton>(*hall, name);
                QTRY_VERIFY2(fits(option), name); // once the hall's layout has settled
                QVERIFY(option->accessibleName().endsWith(tail));
            }
            p.platform().answers.push_back(true);
            hall->reject();
        });
    }

    void aPassedSittingOffersNoRetry() {
        TestProgram p(checkedBank(), stayPut({{Key::PassScore, "2"}}));
        p.start();
        p.execute("insert into Record(score, RecordTime, CarType) values(70, '2026-01-01', 'C')");
        sitHall(p, [&](QDialog* hall) {
            control<QPushButton>(*hall, "BtnConfirm")->click();
            answer(p, hall, true);
            next(hall);
            answer(p, hall, true);
            whenBox(p, [](QDialog* box) { QTest::keyClick(box, Qt::Key_Return); });
            control<QPushButton>(*hall, "BtnHandIn")->click();
            QCOMPARE(text(hall, "LblResult"), QStringLiteral("合格"));
            QVERIFY(!control<QPushButton>(*hall, "BtnRetry")->isVisible());
        });
        QCOMPARE(hallRecords(p), 1);
        // 学习进度's trend marks the hall's sitting among the mock exams.
        p.platform().modalActions.push_back([](QDialog* d) {
            QCOMPARE(control<ScoreChart>(*d, "ChartScores")->hall(), (QList<bool>{false, true}));
        });
        control<QPushButton>(p.main(), "BtnProgress")->click();
    }
};

QTEST_MAIN(ExamHallTest)
#include "test_examhall.moc"
