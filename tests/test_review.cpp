// Review that sticks: the review schedule with a clock the test sets, favourites through
// restarts, imports and backups, topic drills and their counts, random practice with unseen
// questions first, and the topics column in spreadsheet files.
#include "BankFile.h"
#include "Csv.h"
#include "Exchange.h"
#include "TestProgram.h"
#include "domain/Domain.h"
#include "services/Practice.h"
#include "services/Schedule.h"
#include "store/Module1.h"
#include "store/ReviewStatements.h"
#include "store/RuleChanges.h"
#include "store/Statements.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <limits>
#include <unistd.h>

namespace {

// The learner's local time on a given day.
qint64 at(int year, int month, int day, int hour = 12, int minute = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute)).toMSecsSinceEpoch();
}

QDate day(qint64 ms) {
    return LearnerDay(ms);
}

// Car questions 1, 2, 4 (4 is a bus and car question), truck-only 3; each tagged.
// The same with the rest of a bank an import accepts.
QList<Question> importableBank();

QList<Question> smallBank() {
    QList<Question> list = {choice(1, "C", "1", "B"), judge(2, "C", "1", "错"),
                            choice(3, "B", "1", "B"), choice(4, "AC", "2", "C")};
    list[0].tags = QStringLiteral("交通标志, 速度");
    list[1].tags = QStringLiteral("速度");
    list[2].tags = QStringLiteral("交通标志");
    list[3].tags = QStringLiteral("罚款与记分, 交通标志");
    return list;
}

QList<Question> importableBank() {
    return smallBank() + checkedBank();
}

// The session of a program that is not started: its bank open, the car class chosen.
PracticeSession& openSession(TestProgram& p, const QString& code = QStringLiteral("C")) {
    p.session().Conn.open(p.session().bankFile);
    p.session().practice.CarTypeCode = code;
    return p.session().practice;
}

// Answers the question at the current position right or wrong at `nowMs`.
void answer(PracticeSession& s, bool right, qint64 nowMs) {
    const QString id = s.set.currentId();
    const QString key =
        s.Conn.firstValue(Sql::typeAndAnswer(id.toLongLong()), QStringLiteral("AnswerTrue"))
            .toString();
    const bool trueFalse =
        s.Conn.firstValue(Sql::typeAndAnswer(id.toLongLong()), QStringLiteral("Type")).toInt() == 2;
    const QString yes = QStringLiteral("对"), no = QStringLiteral("错");
    const QString rightText =
        trueFalse ? (key == "1" ? yes : no) : QString("ABCD").mid(key.toInt() - 1, 1);
    const QString wrongText = trueFalse ? (key == "1" ? no : yes) : QString(key == "1" ? "B" : "A");
    QVERIFY(AnswerQuestion(s, right ? rightText : wrongText, false, nowMs).taken);
}

QString schedule(TestProgram& p, qint64 id) {
    return p
        .value(QStringLiteral("select Step || ' ' || Due from ReviewSchedule where QuestionID=%1")
                   .arg(id))
        .toString();
}

bool loadReview(PracticeSession& s, qint64 nowMs) {
    const QString today = day(nowMs).toString(Qt::ISODate);
    return LoadPracticeSet(s, Sql::dueCount(s.CarTypeCode, today),
                           Sql::dueIds(s.CarTypeCode, today), QuestionSet::Mode::Review,
                           false) == SetLoad::Loaded;
}

void click(frmMain& m, const char* name) {
    control<QAbstractButton>(m, name)->click();
}

QByteArray readFile(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

} // namespace

class ReviewTest : public QObject {
    Q_OBJECT

  private slots:
    void theRule_data() {
        QTest::addColumn<int>("step");  // -1: not scheduled
        QTest::addColumn<int>("dueIn"); // days from today
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("inReview");
        QTest::addColumn<int>("nextStep"); // -1: not scheduled
        QTest::addColumn<int>("nextDueIn");
        QTest::addRow("wrong enters") << -1 << 0 << false << false << 0 << 1;
        QTest::addRow("right outside stays out") << -1 << 0 << true << true << -1 << 0;
        QTest::addRow("due right moves to 2 days") << 0 << 0 << true << true << 1 << 2;
        QTest::addRow("overdue right counts from today") << 1 << -5 << true << true << 2 << 4;
        QTest::addRow("then 7") << 2 << 0 << true << true << 3 << 7;
        QTest::addRow("then 15") << 3 << 0 << true << true << 4 << 15;
        QTest::addRow("then 30") << 4 << 0 << true << true << 5 << 30;
        QTest::addRow("after the last it leaves") << 5 << 0 << true << true << -1 << 0;
        QTest::addRow("wrong resets") << 4 << 0 << false << true << 0 << 1;
        QTest::addRow("wrong elsewhere resets") << 3 << 6 << false << false << 0 << 1;
        QTest::addRow("right elsewhere leaves it") << 2 << 0 << true << false << 2 << 0;
        QTest::addRow("not yet due leaves it") << 2 << 1 << true << true << 2 << 1;
        // Values no build writes (an edited backup, a clock years fast).
        QTest::addRow("a step past the last leaves")
            << std::numeric_limits<int>::max() << 0 << true << true << -1 << 0;
        QTest::addRow("years ahead comes back after 30 days")
            << 2 << 5 * 365 << true << true << 2 << 30;
        QTest::addRow("years ahead, answered elsewhere")
            << 2 << 5 * 365 << true << false << 2 << 30;
    }
    void theRule() {
        QFETCH(int, step);
        QFETCH(int, dueIn);
        QFETCH(bool, right);
        QFETCH(bool, inReview);
        QFETCH(int, nextStep);
        QFETCH(int, nextDueIn);
        const QDate today(2026, 12, 7);
        std::optional<ReviewStep> current;
        if (step >= 0) current = ReviewStep{step, today.addDays(dueIn)};
        const auto next = NextReview(current, right, inReview, today);
        QCOMPARE(next.has_value(), nextStep >= 0);
        if (next) {
            QCOMPARE(next->step, nextStep);
            QCOMPARE(next->due, today.addDays(nextDueIn));
        }
    }

    void dueAcrossMidnightAndSkippedDays() {
        TestProgram p(smallBank());
        PracticeSession& s = openSession(p);
        QVERIFY(LoadPracticeSet(s, Sql::classCount("C"), Sql::classIds("C"),
                                QuestionSet::Mode::Sequential, false) == SetLoad::Loaded);
        const qint64 lateEvening = at(2026, 3, 10, 23, 58);
        answer(s, false, lateEvening); // question 1, wrong just before midnight
        QCOMPARE(schedule(p, 1), QStringLiteral("0 2026-03-11"));
        QCOMPARE(DueCount(s, day(lateEvening)), 0);
        QCOMPARE(DueCount(s, day(at(2026, 3, 11, 0, 1))), 1); // three minutes later: a new day
        QCOMPARE(DueCount(s, day(at(2026, 3, 25))), 1);       // days skipped: still due
        // A right answer outside review does not move it.
        answer(s, true, at(2026, 3, 11, 8));
        QCOMPARE(schedule(p, 1), QStringLiteral("0 2026-03-11"));

        // Two weeks later the review holds it; a right answer sends it two days on.
        const qint64 later = at(2026, 3, 25, 9);
        QVERIFY(loadReview(s, later));
        QCOMPARE(s.set.ids(), QStringList{"1"});
        QCOMPARE(QuestionSet::modeName(s.set.mode()), QStringLiteral("review"));
        answer(s, true, later);
        QCOMPARE(schedule(p, 1), QStringLiteral("1 2026-03-27"));
        answer(s, true, later); // again the same day: no longer due, no further
        QCOMPARE(schedule(p, 1), QStringLiteral("1 2026-03-27"));
        QCOMPARE(DueCount(s, day(at(2026, 3, 26))), 0);
        QCOMPARE(DueCount(s, day(at(2026, 3, 27))), 1);
        QCOMPARE(p.value("select Mode from History order by ID desc limit 1").toString(),
                 QStringLiteral("review"));

        // Wrong in review: back to the first interval.
        QVERIFY(loadReview(s, at(2026, 3, 27)));
        answer(s, false, at(2026, 3, 27));
        QCOMPARE(schedule(p, 1), QStringLiteral("0 2026-03-28"));
    }

    // The clock ran five years fast while a question was answered wrong; back at the real date
    // the question comes due within the longest interval, not in five years.
    void aClockYearsFastDoesNotHideAQuestion() {
        TestProgram p(smallBank());
        PracticeSession& s = openSession(p);
        QVERIFY(LoadPracticeSet(s, Sql::classCount("C"), Sql::classIds("C"),
                                QuestionSet::Mode::Sequential, false) == SetLoad::Loaded);
        answer(s, false, at(2031, 6, 1));
        QCOMPARE(schedule(p, 1), QStringLiteral("0 2031-06-02"));
        const QDate today(2026, 6, 1);
        QCOMPARE(DueCount(s, today), 0);
        QCOMPARE(schedule(p, 1), QStringLiteral("0 2026-07-01"));
        QCOMPARE(DueCount(s, today.addDays(29)), 0);
        QCOMPARE(DueCount(s, today.addDays(30)), 1);
    }

    void leavesAfterTheLastInterval() {
        TestProgram p(smallBank());
        PracticeSession& s = openSession(p);
        QVERIFY(LoadPracticeSet(s, Sql::classCount("C"), Sql::classIds("C"),
                                QuestionSet::Mode::Random, false) == SetLoad::Loaded);
        QDate today(2026, 1, 1);
        const qint64 id = s.set.currentId().toLongLong();
        answer(s, false, at(2026, 1, 1));
        QStringList dues;
        for (int round = 0; round < int(ReviewIntervals.size()); ++round) {
            today = QDate::fromString(schedule(p, id).section(' ', 1), Qt::ISODate);
            dues.append(today.toString("MM-dd"));
            const qint64 ms = QDateTime(today, QTime(10, 0)).toMSecsSinceEpoch();
            QVERIFY(loadReview(s, ms));
            answer(s, true, ms);
        }
        // 1, 2, 4, 7, 15 and 30 days apart, then out of the schedule.
        QCOMPARE(dues, (QStringList{"01-02", "01-04", "01-08", "01-15", "01-30", "03-01"}));
        QCOMPARE(p.value("select count(*) from ReviewSchedule").toInt(), 0);
        QCOMPARE(DueCount(s, today.addDays(100)), 0);
    }

    void classFilteringAndTheEntry() {
        TestProgram p(smallBank(), settingsWith({{Key::AutoSkip, "0"}}));
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        const QString tomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate);
        // Due: 2 and 4 (car), 3 (truck only); 1 not yet.
        p.execute(QStringLiteral("insert into ReviewSchedule values(1, 0, '%1'), (2, 1, '%2'), "
                                 "(3, 0, '%2'), (4, 2, '2020-01-01')")
                      .arg(tomorrow, today));
        frmMain& m = p.start();
        auto* entry = control<QPushButton>(m, "BtnReview");
        QCOMPARE(entry->text(), QStringLiteral("今日复习 (2)"));
        click(m, "BtnReview");
        QCOMPARE(p.session().practice.set.ids(), (QStringList{"4", "2"})); // oldest due first
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("今日复习—共2题—小车版"));
        click(m, "BtnC"); // question 4, right
        QCOMPARE(entry->text(), QStringLiteral("今日复习 (1)"));
        QCOMPARE(schedule(p, 4).section(' ', 0, 0), QStringLiteral("3"));
        // A wrong answer in any mode enters the schedule; it is due tomorrow, not today.
        click(m, "BtnSequence");
        click(m, "BtnA"); // question 1 is already scheduled: back to the first interval
        QCOMPARE(schedule(p, 1), QStringLiteral("0 ") + tomorrow);
        QCOMPARE(entry->text(), QStringLiteral("今日复习 (1)"));
        QVERIFY(entry->toolTip().contains(QStringLiteral("明天到期 1 题"))); // question 1, car only
        // A window left open (say past midnight): the count follows without any action.
        p.execute(
            QStringLiteral("update ReviewSchedule set Due = '%1' where QuestionID = 1").arg(today));
        p.clock("reviewDay")->advance();
        QCOMPARE(entry->text(), QStringLiteral("今日复习 (2)"));
        p.execute(QStringLiteral("update ReviewSchedule set Due = '%1' where QuestionID = 1")
                      .arg(tomorrow));
        p.clock("reviewDay")->advance();

        // The truck class sees its own.
        p.platform().answers.push_back(false); // no resume
        click(m, "btnCheXing");
        auto* chooser = control<QComboBox>(m, "CombolCarType");
        chooser->setCurrentIndex(1);
        emit chooser->activated(1);
        QCOMPARE(entry->text(), QStringLiteral("今日复习 (1)"));
        click(m, "BtnReview");
        QCOMPARE(p.session().practice.set.ids(), QStringList{"3"});

        // Nothing due: the learner is told (with what comes tomorrow) and keeps the set they had.
        p.execute(QStringLiteral("delete from ReviewSchedule where Due <= '%1'").arg(today));
        p.execute(QStringLiteral("insert or replace into ReviewSchedule values(3, 0, '%1')")
                      .arg(tomorrow));
        const int told = p.platform().messages.size();
        click(m, "BtnReview");
        QCOMPARE(p.platform().messages.size(), told + 1);
        QVERIFY(p.platform().messages.last().text.startsWith(QStringLiteral("今天没有要复习的题")));
        QVERIFY(p.platform().messages.last().text.endsWith(QStringLiteral("明天到期 1 题。")));
        QCOMPARE(p.session().practice.set.ids(), QStringList{"3"});
        QCOMPARE(entry->text(), QStringLiteral("今日复习 (0)"));
        // The wrong-question marks are their own: the schedule never touched them.
        QVERIFY(p.errPaper(1));
    }

    // Answering 今日复习 or 错题练习 to its end says so, with what the schedule brings next.
    void aDrillThatRunsOutSaysSo() {
        TestProgram p(smallBank(), settingsWith({{Key::AutoSkip, "1"}, {Key::AutoRemove, "1"}}));
        const QDate today = QDate::currentDate();
        p.execute(QStringLiteral("insert into ReviewSchedule values(1, 2, '%1'), (2, 0, '%2'), "
                                 "(4, 1, '%2')")
                      .arg(today.addDays(3).toString(Qt::ISODate), today.toString(Qt::ISODate)));
        p.execute("update Paper set ErrPaper=1 where ID in (1, 2)");
        frmMain& m = p.start();
        const qsizetype before = p.platform().messages.size();
        auto saidLast = [&] {
            const QStringList now = p.platform().messageTexts();
            return now.size() > before ? now.last() : QString();
        };
        click(m, "BtnReview"); // 2, then 4
        click(m, "BtnWrong");  // 2 right: on to its next interval
        QVERIFY(saidLast().isEmpty());
        click(m, "BtnA"); // 4 wrong: due tomorrow, nothing left today
        QVERIFY(saidLast().startsWith(QStringLiteral("今天的复习已完成")));
        QVERIFY(saidLast().endsWith(QStringLiteral("明天，1 题。")));
        const qsizetype afterReview = p.platform().messages.size();

        p.platform().modalActions.push_back(
            [](QDialog* d) { control<QPushButton>(*d, "BtnSequence")->click(); });
        click(m, "BtnWrongQuestion"); // 1, 2, 4
        click(m, "BtnB");             // 1 right: its mark goes
        click(m, "BtnRight");         // 2 wrong: the mark stays, due tomorrow
        click(m, "BtnWrong");         // 2 right
        QCOMPARE(p.platform().messages.size(), afterReview);
        click(m, "BtnC"); // 4 right: the list is empty
        QCOMPARE(p.platform().messages.size(), afterReview + 1);
        QVERIFY(saidLast().startsWith(QStringLiteral("错题已全部答对")));
        QVERIFY(saidLast().endsWith(QStringLiteral("明天，2 题。")));
        click(m, "BtnC"); // said once
        QCOMPARE(p.platform().messages.size(), afterReview + 1);
        QCOMPARE(p.value("select count(*) from Paper where ErrPaper=1").toInt(), 0);
    }

    // 自动除去 belongs to 错题练习: a drill started after it judges like any other practice.
    void aDrillAfterWrongPracticeKeepsTheMarks() {
        TestProgram p(smallBank(), settingsWith({{Key::AutoSkip, "0"}, {Key::AutoRemove, "1"}}));
        p.execute("update Paper set ErrPaper=1 where ID=1");
        p.execute("insert into Favourite(QuestionID) values(1)");
        frmMain& m = p.start();
        p.platform().modalActions.push_back(
            [](QDialog* d) { control<QPushButton>(*d, "BtnSequence")->click(); });
        click(m, "BtnWrongQuestion");
        QVERIFY(p.session().practice.IsWrongQuestionPractice);
        click(m, "BtnFavourites");
        QCOMPARE(p.session().practice.set.ids(), QStringList{"1"});
        click(m, "BtnB"); // right
        QVERIFY(p.errPaper(1));
    }

    void favouritesSurviveRestartImportAndRestore() {
        TestProgram p(importableBank(), settingsWith({{Key::AutoSkip, "0"}}));
        {
            frmMain& m = p.start();
            click(m, "BtnSequence");
            auto* star = control<QToolButton>(m, "BtnFavourite");
            QVERIFY(!star->isChecked());
            click(m, "BtnFavourite");
            QVERIFY(star->isChecked());
            QCOMPARE(star->text(), QStringLiteral("★"));
            click(m, "BtnNextQuestion");
            QVERIFY(!star->isChecked());
            QTest::keyClick(&m, Qt::Key_F); // question 2 by key
            QVERIFY(star->isChecked());
            click(m, "BtnNextQuestion");
            QTest::keyClick(&m, Qt::Key_F); // question 4, then off again
            QTest::keyClick(&m, Qt::Key_F);
            QVERIFY(!star->isChecked());
        }
        QCOMPARE(p.value("select group_concat(QuestionID) from Favourite").toString(),
                 QStringLiteral("1,2"));

        // An import rewrites question 1; the bank tool's refresh rewrites them all.
        const QString csv = p.folder() + "/q.csv";
        QVERIFY(exportCsv(p.bankFile(), csv).ok());
        QByteArray bytes = readFile(csv);
        bytes.replace(QStringLiteral("选择题 1").toUtf8(),
                      QStringLiteral("改过的选择题 1").toUtf8());
        writeFile(csv, bytes);
        const Outcome imported = importCsv(p.bankFile(), csv);
        QVERIFY2(imported.ok(), qPrintable(imported.problems.join('\n')));
        QCOMPARE(writeBank(p.bankFile(), importableBank()), QString());

        // The program again: the stars are there and 收藏练习 drills them.
        frmMain& again = p.start();
        click(again, "BtnFavourites");
        QCOMPARE(p.session().practice.set.ids(), (QStringList{"1", "2"}));
        QCOMPARE(control<QGroupBox>(again, "FrameQuestion")->title(),
                 QStringLiteral("收藏练习—共2题—小车版"));
        QVERIFY(control<QToolButton>(again, "BtnFavourite")->isChecked());
        QCOMPARE(QuestionSet::modeName(p.session().practice.set.mode()),
                 QStringLiteral("favourites"));

        // Backup and restore carry the favourites and the schedule.
        p.execute("insert into ReviewSchedule values(2, 3, '2026-05-01')");
        const QString backup = p.folder() + "/learner.backup";
        const Outcome saved = backupLearner(p.bankFile(), backup);
        QVERIFY2(saved.ok(), qPrintable(saved.problems.join('\n')));
        QVERIFY(saved.summary.endsWith("1 in the review schedule, 2 favourites"));
        p.execute("delete from Favourite");
        p.execute("update ReviewSchedule set Step=0");
        p.execute("insert into ReviewSchedule values(4, 0, '2026-01-01')");
        const Outcome restored = restoreLearner(p.bankFile(), backup);
        QVERIFY2(restored.ok(), qPrintable(restored.problems.join('\n')));
        QCOMPARE(p.value("select group_concat(QuestionID) from Favourite").toString(),
                 QStringLiteral("1,2"));
        QCOMPARE(p.value("select group_concat(QuestionID||' '||Step||' '||Due) from "
                         "ReviewSchedule")
                     .toString(),
                 QStringLiteral("2 3 2026-05-01"));

        // A backup from before them (version 2) restores with both empty.
        const QByteArray all = readFile(backup);
        QJsonObject data = QJsonDocument::fromJson(all.mid(all.indexOf('\n') + 1)).object();
        data.remove("schedule");
        data.remove("favourites");
        const QByteArray payload = QJsonDocument(data).toJson();
        const QByteArray header =
            QJsonDocument(
                QJsonObject{
                    {"format", "kemu1-learner-backup"},
                    {"version", 2},
                    {"sha256",
                     QString::fromLatin1(
                         QCryptographicHash::hash(payload, QCryptographicHash::Sha256).toHex())}})
                .toJson(QJsonDocument::Compact);
        writeFile(backup, header + '\n' + payload);
        const Outcome older = restoreLearner(p.bankFile(), backup);
        QVERIFY2(older.ok(), qPrintable(older.problems.join('\n')));
        QCOMPARE(p.value("select count(*) from Favourite").toInt(), 0);
        QCOMPARE(p.value("select count(*) from ReviewSchedule").toInt(), 0);
    }

    void topicCountsFromAHandMadeBank() {
        const QList<TopicCount> counted = CountTopics(
            {{"交通标志, 速度", 4, 3}, {"速度", 0, 0}, {"", 2, 2}, {"本校专题,交通标志", 1, 0}});
        QCOMPARE(counted.size(), 3);
        // Shipped topics in their own order, then others.
        QCOMPARE(counted[0].topic, QStringLiteral("交通标志"));
        QCOMPARE(counted[0].questions, 2);
        QCOMPARE(counted[0].answered, 5);
        QCOMPARE(counted[0].right, 3);
        QCOMPARE(counted[1].topic, QStringLiteral("速度"));
        QCOMPARE(counted[1].questions, 2);
        QCOMPARE(counted[2].topic, QStringLiteral("本校专题"));

        TestProgram p(smallBank(), settingsWith({{Key::AutoSkip, "0"}}));
        p.execute("insert into History(QuestionID, CarType, Mode, Answer, Right) values "
                  "(1, 'C', 'sequential', 'A', 0), (1, 'C', 'sequential', 'B', 1), "
                  "(4, 'C', 'exam', 'C', 1), (3, 'B', 'exam', 'A', 0)");
        frmMain& m = p.start();
        QStringList rows;
        p.platform().modalActions.push_back([&rows](QDialog* d) {
            auto* list = control<QTreeWidget>(*d, "LvTopics");
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = list->topLevelItem(i);
                rows.append(
                    QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join(
                        ' '));
            }
            list->setCurrentItem(list->topLevelItem(0));
            control<QPushButton>(*d, "BtnSequence")->click();
        });
        click(m, "BtnTopics");
        // Car class: 1, 2, 4; truck-only question 3 and its answer do not count.
        QCOMPARE(rows, (QStringList{"交通标志 2 3 67%", "速度 2 2 50%", "罚款与记分 1 1 100%"}));
        QCOMPARE(p.session().practice.set.ids(), (QStringList{"1", "4"}));
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("《专项练习》交通标志—共2题—小车版"));
        QCOMPARE(QuestionSet::modeName(p.session().practice.set.mode()), QStringLiteral("topic"));
        // Closing the window starts nothing.
        click(m, "BtnTopics");
        QCOMPARE(p.session().practice.set.ids(), (QStringList{"1", "4"}));
    }

    // 法规变化: each change with its day and the class's questions that follow it; a click
    // practises them as a topic drill does.
    void ruleChangesListTheirQuestionsAndDrillThem() {
        QList<Question> bank = smallBank();
        bank.append(judge(5, "C", "1", "对"));
        for (int i : {0, 1, 2})
            bank[i].rule = QStringLiteral("points-2022");
        bank[3].rule = QStringLiteral("licence-2022-c6");
        TestProgram p(bank, settingsWith({{Key::AutoSkip, "0"}}));
        p.execute("insert into RuleChange(RuleKey, Since, Source, Change) values "
                  "('points-2022', '2022-04-01', '记分管理办法', '记分分为五档，取消2分。'), "
                  "('licence-2025-age63', '2025-01-01', '172号令', '年龄上限提高到63周岁。'), "
                  "('licence-2022-c6', '2022-04-01', '162号令', '新设C6。')");
        frmMain& m = p.start();
        QStringList rows;
        QString source;
        p.platform().modalActions.push_back([&](QDialog* d) {
            auto* list = control<QTreeWidget>(*d, "LvRuleChanges");
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = list->topLevelItem(i);
                rows.append(QStringList{item->text(0), item->text(1), item->text(2)}.join(' '));
            }
            list->setCurrentItem(list->topLevelItem(1));
            source = control<QLabel>(*d, "LblRuleDetail")->text();
            control<QPushButton>(*d, "BtnSequence")->click();
        });
        click(m, "BtnRuleChanges");
        // Oldest first; the car class counts 1 and 2, not the truck-only question 3.
        QCOMPARE(rows, (QStringList{"2022-04-01 新设C6。 1", "2022-04-01 记分分为五档，取消2分。 2",
                                    "2025-01-01 年龄上限提高到63周岁。 0"}));
        QCOMPARE(source, QStringLiteral("记分分为五档，取消2分。\n依据：记分管理办法"));
        QCOMPARE(p.session().practice.set.ids(), (QStringList{"1", "2"}));
        QCOMPARE(control<QGroupBox>(m, "FrameQuestion")->title(),
                 QStringLiteral("《法规变化》记分分为五档—共2题—小车版"));

        // A change no question of the class follows: the learner is told, nothing starts.
        p.platform().modalActions.push_back([](QDialog* d) {
            auto* list = control<QTreeWidget>(*d, "LvRuleChanges");
            list->setCurrentItem(list->topLevelItem(2));
            control<QPushButton>(*d, "BtnRandom")->click();
        });
        click(m, "BtnRuleChanges");
        QVERIFY(p.platform().messages.last().text.contains("还没有按这项变化出的题"));
        QCOMPARE(p.session().practice.set.ids(), (QStringList{"1", "2"}));

        // A bank from before rule changes lists none.
        p.execute("drop table RuleChange");
        QCOMPARE(ReadRuleChanges(p.session().Conn, "C").size(), 0);
    }

    void unseenFirst() {
        // The runs are shuffled on their own and stay in order.
        std::mt19937 random(7);
        QStringList ids = {"a", "b", "c", "d", "e", "f", "g"};
        ShuffleRuns(ids, {3}, random);
        QStringList first = ids.mid(0, 3), rest = ids.mid(3);
        first.sort();
        rest.sort();
        QCOMPARE(first, (QStringList{"a", "b", "c"}));
        QCOMPARE(rest, (QStringList{"d", "e", "f", "g"}));

        QList<Question> bank;
        for (int id = 1; id <= 30; ++id)
            bank.append(judge(id, "C", "1", "对"));
        TestProgram p(bank, settingsWith({{Key::AutoSkip, "0"}}));
        for (int id = 1; id <= 30; id += 3)
            p.execute(QStringLiteral("insert into History(QuestionID, CarType, Mode, Answer, "
                                     "Right) values(%1, 'C', 'sequential', '对', 1)")
                          .arg(id));
        frmMain& m = p.start();
        auto* unseen = control<QCheckBox>(m, "ChkUnseenFirst");
        QVERIFY(!unseen->isChecked());
        unseen->click();
        QCOMPARE(p.setting(Key::UnseenFirst), QStringLiteral("1"));
        click(m, "BtnRandom");
        const QStringList order = p.session().practice.set.ids();
        QCOMPARE(order.size(), 30);
        for (int i = 0; i < 30; ++i)
            QCOMPARE(order[i].toInt() % 3 == 1, i >= 20); // 20 unseen, then the 10 answered
    }

    // A read-only bank from before the schedule and favourites still practises.
    void readOnlyOlderBankPractisesWithoutThem() {
        TestProgram p(smallBank(), settingsWith({{Key::AutoSkip, "0"}}));
        p.execute("drop table ReviewSchedule");
        p.execute("drop table Favourite");
        p.execute(QStringLiteral("delete from Param where ParamID='%1'").arg(Key::UnseenFirst));
        const bool root = getuid() == 0;
        if (root) {
            if (QProcess::execute("chattr", {"+i", p.bankFile()}) != 0)
                QSKIP("no immutable flag on this file system");
        } else {
            QFile::setPermissions(p.bankFile(), QFile::ReadOwner | QFile::ReadUser);
        }
        frmMain& m = p.start();
        click(m, "BtnSequence");
        click(m, "BtnA"); // wrong, judged, not saved
        click(m, "BtnFavourite");
        click(m, "BtnReview");
        click(m, "BtnRandom");
        const auto errors = p.platform().fatalErrors;
        const QStringList messages = p.platform().messageTexts();
        if (root) QProcess::execute("chattr", {"-i", p.bankFile()});
        QVERIFY(m.startedUp());
        QVERIFY(errors.isEmpty());
        QCOMPARE(control<QPushButton>(m, "BtnReview")->text(), QStringLiteral("今日复习 (0)"));
        QCOMPARE(messages.size(), 2); // read-only, then nothing to review here
        QVERIFY(messages[1].contains(QStringLiteral("没有复习计划")));
        QCOMPARE(p.session().practice.set.size(), 3);
    }

    void tagsRoundTripThroughSpreadsheets() {
        TestProgram p(importableBank());
        const QString csv = p.folder() + "/q.csv";
        QVERIFY(exportCsv(p.bankFile(), csv).ok());
        const CsvFile read = readCsv(csv);
        QVERIFY(read.error.isEmpty());
        const int tags = int(read.records[0].cells.indexOf(QVariant(QStringLiteral("Tags"))));
        QVERIFY(tags > 0);
        QCOMPARE(read.records[1].cells[tags].toString(), QStringLiteral("交通标志, 速度"));

        // New tags come in; a file without the column leaves them as they are.
        QByteArray bytes = readFile(csv);
        bytes.replace(QStringLiteral("\"交通标志, 速度\"").toUtf8(),
                      QStringLiteral("\"信号灯, 速度\"").toUtf8());
        writeFile(csv, bytes);
        const Outcome retagged = importCsv(p.bankFile(), csv);
        QVERIFY2(retagged.ok(), qPrintable(retagged.problems.join('\n')));
        QCOMPARE(p.value("select Tags from Paper where ID=1").toString(),
                 QStringLiteral("信号灯, 速度"));
        const QString untagged = p.folder() + "/untagged.csv";
        writeFile(untagged, "ID,Type,Question,An1,An2,An3,An4,AnswerTrue,LicenseType,chap\n"
                            "2,2,新的判断题,,,,,1,C,1\n");
        const Outcome imported = importCsv(p.bankFile(), untagged);
        QVERIFY2(imported.ok(), qPrintable(imported.problems.join('\n')));
        QCOMPARE(p.value("select Question||'|'||Tags from Paper where ID=2").toString(),
                 QStringLiteral("新的判断题|速度"));
    }
};

QTEST_MAIN(ReviewTest)
#include "test_review.moc"
