// Learning from every answer: the explanation after answering, the answer history with its
// mark, study mode, and the history in older banks and in backups.
#include "BankFile.h"
#include "Exchange.h"
#include "TestProgram.h"
#include "domain/Domain.h"

#include <QAccessible>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <functional>

namespace {

QList<Question> explained() {
    QList<Question> list = {choice(1, "C", "1", "B"), judge(2, "C", "1", "错"),
                            choice(3, "C", "1", "C")};
    list[0].explain = QStringLiteral("道路交通安全法第一条的解析。");
    list[1].explain = QString();
    list[2].explain = QStringLiteral("第三题的解析。");
    return list;
}

QList<Question> examBank() {
    QList<Question> list;
    for (int chap = 1; chap <= 7; ++chap)
        list.append(series(chap * 100, 30, "ABC", QString::number(chap)));
    return list;
}

QLabel* explanation(frmMain& m) {
    return control<QLabel>(m, "LblExplain");
}

bool explained(frmMain& m) {
    return control<QWidget>(m, "PicExplain")->isVisible();
}

void click(frmMain& m, const char* name) {
    control<QAbstractButton>(m, name)->click();
}

// The button that gives the answer shown in LblAn, or the wrong one.
QPushButton* answerButton(frmMain& m, bool right) {
    const QString key = control<QLabel>(m, "LblAn")->text();
    QString text = key;
    if (!right) text = key == "对" ? "错" : key == "错" ? "对" : key == "A" ? "B" : "A";
    const QString name = text == "对"   ? QStringLiteral("BtnRight")
                         : text == "错" ? QStringLiteral("BtnWrong")
                                        : "Btn" + text;
    return control<QPushButton>(m, qPrintable(name));
}

QStringList historyRows(TestProgram& p) {
    const QString rows =
        p.value("select group_concat(row, ';') from (select QuestionID||'|'||CarType||'|'||Mode"
                "||'|'||Answer||'|'||Right as row from History order by ID)")
            .toString();
    return rows.isEmpty() ? QStringList() : rows.split(';');
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT

  private slots:
    // A screen reader reads the explanation itself; "解析" is only its description.
    void explanationIsReadByAScreenReader() {
        TestProgram p({choice(1, "C", "1", "B")});
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "BtnA")->click();
        QAccessibleInterface* reader =
            QAccessible::queryAccessibleInterface(control<QLabel>(m, "LblExplain"));
        QVERIFY(reader);
        QVERIFY(reader->text(QAccessible::Name).contains(QStringLiteral("解析：解析")));
        QCOMPARE(reader->text(QAccessible::Description), QStringLiteral("解析"));
    }

    void explanationAfterAnsweringOrAsking() {
        TestProgram p(explained(), settingsWith({{Key::AutoSkip, "0"}}));
        frmMain& m = p.start();
        click(m, "BtnSequence");
        QVERIFY(!explained(m));
        click(m, "BtnA"); // wrong
        QVERIFY(explained(m));
        QCOMPARE(explanation(m)->text(),
                 QStringLiteral(
                     "答案：B\n解析：道路交通安全法第一条的解析。\n本题已答 1 次，答错 1 次"));
        QCOMPARE(explanation(m)->accessibleDescription(), QStringLiteral("解析"));
        QVERIFY(explanation(m)->focusPolicy() & Qt::TabFocus);
        click(m, "BtnB"); // right, a correction in the same visit
        QVERIFY(explanation(m)->text().endsWith(QStringLiteral("本题已答 1 次，答错 1 次")));
        // The next question is not answered: nothing shows, nothing stale.
        click(m, "BtnNextQuestion");
        QVERIFY(!explained(m));
        // 显示答案 shows it; a question without an explanation shows the answer alone.
        click(m, "BtnShowAnswer");
        QVERIFY(explained(m));
        QCOMPARE(explanation(m)->text(), QStringLiteral("答案：错"));
        click(m, "BtnNextQuestion");
        QCOMPARE(explanation(m)->text(), QStringLiteral("答案：C\n解析：第三题的解析。"));
        click(m, "BtnShowAnswer");
        QVERIFY(!explained(m));
    }

    void hiddenDuringAnExamShownInTheReview() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        startExam(p);
        QVERIFY(p.session().practice.set.isExam());
        answerButton(m, false)->click();
        click(m, "BtnPreQuestion");
        QVERIFY(!explained(m));
        p.platform().answers.push_back(true); // hand in with questions unanswered
        click(m, "BtnJiaoJuan");
        QVERIFY(explained(m)); // the review, on the answered question
        click(m, "BtnNextQuestion");
        QVERIFY(explained(m)); // and on the unanswered ones
        QVERIFY(explanation(m)->text().startsWith(QStringLiteral("答案：")));
    }

    void studyModeJudgesNothingAndIsRemembered() {
        TestProgram p(explained(), settingsWith({{Key::AutoSkip, "0"}}));
        {
            frmMain& m = p.start();
            click(m, "BtnSequence");
            click(m, "ChkStudyMode");
            QCOMPARE(p.setting(Key::StudyMode), QStringLiteral("1"));
            QVERIFY(explained(m));
            click(m, "BtnA"); // would be wrong
            QVERIFY(control<QLabel>(m, "LblCorrectAn")->text().isEmpty());
            QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("0/0"));
            QVERIFY(!p.errPaper(1));
            QCOMPARE(p.value("select count(*) from History").toInt(), 0);
            // The card still moves; the next question comes with its answer.
            click(m, "BtnNextQuestion");
            QCOMPARE(p.session().practice.set.position(), 1);
            QCOMPARE(explanation(m)->text(), QStringLiteral("答案：错"));
        }
        frmMain& again = p.start();
        QVERIFY(control<QCheckBox>(again, "ChkStudyMode")->isChecked());
        QVERIFY(control<QCheckBox>(again, "ChkStudyMode")->toolTip().contains("S"));
        // The key switches it off again.
        click(again, "BtnSequence");
        QTest::keyClick(&again, Qt::Key_S);
        QCOMPARE(p.setting(Key::StudyMode), QStringLiteral("0"));
        QVERIFY(!explained(again));
    }

    // Every judged answer leaves a row naming the question, class, mode, answer and verdict.
    void historyRecordsEachMode() {
        TestProgram p(examBank(), settingsWith({{Key::AutoSkip, "0"}}));
        frmMain& m = p.start();
        const qint64 started = QDateTime::currentSecsSinceEpoch();
        click(m, "BtnSequence");
        click(m, "BtnA"); // 100: A, right
        click(m, "BtnRandom");
        answerButton(m, false)->click();
        p.platform().modalActions.push_back([](QDialog* d) {
            control<QPushButton>(*d, "BtnSequence")->click(); // chapter 1 in order
        });
        click(m, "BtnPart");
        click(m, "BtnB"); // 100 again, wrong
        p.platform().modalActions.push_back(
            [](QDialog* d) { control<QPushButton>(*d, "BtnSequence")->click(); });
        click(m, "BtnWrongQuestion");
        answerButton(m, true)->click();
        startExam(p);
        const QString examId = p.session().practice.set.currentId();
        answerButton(m, true)->click();
        QCOMPARE(historyRows(p).size(), 4); // an exam's answers wait for hand-in
        p.platform().answers.push_back(true);
        click(m, "BtnJiaoJuan");
        const QStringList rows = historyRows(p);
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0], QStringLiteral("100|C|sequential|A|1"));
        QVERIFY(rows[1].contains("|C|random|") && rows[1].endsWith("|0"));
        QCOMPARE(rows[2], QStringLiteral("100|C|chapter|B|0"));
        QVERIFY(rows[3].contains("|C|wrong|") && rows[3].endsWith("|1"));
        QVERIFY(rows[4].startsWith(examId + "|C|exam|") && rows[4].endsWith("|1"));
        QVERIFY(p.value("select min(Seconds) >= 0 from History").toBool());
        const auto at = QDateTime::fromString(
            p.value("select AnsweredAt from History where ID=1").toString(), "yyyy-MM-dd HH:mm:ss");
        QVERIFY(at.isValid() && at.toSecsSinceEpoch() >= started - 2);
    }

    // Presses after the first in one visit are corrections: they keep the wrong mark and the
    // counts on screen, but tell the history and the review schedule nothing new.
    void oneRowPerVisit() {
        TestProgram p(explained(), settingsWith({{Key::AutoSkip, "0"}}));
        frmMain& m = p.start();
        click(m, "BtnSequence");
        click(m, "BtnA"); // wrong: question 1 is B
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(&m, Qt::Key_A);
        QCOMPARE(historyRows(p), QStringList{"1|C|sequential|A|0"});
        QVERIFY(explanation(m)->text().endsWith(QStringLiteral("本题已答 1 次，答错 1 次")));
        QCOMPARE(control<QLabel>(m, "LblCorrect")->text(), QStringLiteral("0/1"));
        QVERIFY(p.errPaper(1));
        QCOMPARE(
            p.value("select group_concat(QuestionID||':'||Step) from ReviewSchedule").toString(),
            QStringLiteral("1:0"));
        // Coming back is a new visit; the explanation was on screen, so it is no fresh try.
        click(m, "BtnNextQuestion");
        click(m, "BtnShowAnswer"); // question 2 with its answer in view
        click(m, "BtnWrong");
        click(m, "BtnShowAnswer");
        click(m, "BtnPreQuestion");
        click(m, "BtnB");
        click(m, "BtnNextQuestion");
        click(m, "BtnNextQuestion");
        click(m, "BtnC"); // question 3, fresh
        QCOMPARE(p.value("select group_concat(QuestionID||':'||Right||':'||Cue) from (select * "
                         "from History order by ID)")
                     .toString(),
                 QStringLiteral("1:0:0,2:1:1,1:1:1,3:1:0"));
        // 错题练习 the same day as the wrong answer: a repeat, not a fresh try.
        p.platform().modalActions.push_back(
            [](QDialog* d) { control<QPushButton>(*d, "BtnSequence")->click(); });
        click(m, "BtnWrongQuestion");
        QCOMPARE(p.session().practice.set.currentId(), QStringLiteral("1"));
        click(m, "BtnB");
        QCOMPARE(p.value("select Mode||':'||Cue from History order by ID desc limit 1").toString(),
                 QStringLiteral("wrong:2"));
    }

    // A mock exam leaves one row per answered question at hand-in: its final answer.
    void oneRowPerExamQuestion() {
        TestProgram p(examBank());
        frmMain& m = p.start();
        startExam(p);
        for (int i = 0; i < PaperSize; ++i)
            answerButton(m, false)->click(); // each moves on
        const QString first = p.session().practice.set.ids().first();
        for (bool right : {false, true}) { // back to the first question: wrong, then corrected
            while (p.session().practice.set.position() > 0)
                click(m, "BtnPreQuestion");
            answerButton(m, right)->click();
        }
        QCOMPARE(p.value("select count(*) from History").toInt(), 0);
        QCOMPARE(p.value("select count(*) from ReviewSchedule").toInt(), 0);
        click(m, "BtnJiaoJuan");
        QCOMPARE(p.value("select count(*) from History").toInt(), PaperSize);
        QCOMPARE(p.value("select count(distinct QuestionID) from History").toInt(), PaperSize);
        QCOMPARE(p.value("select sum(Right) from History").toInt(), 1);
        QCOMPARE(p.value("select Right from History where QuestionID=" + first).toInt(), 1);
        QCOMPARE(p.value("select count(*) from History where Mode='exam'").toInt(), PaperSize);
        QCOMPARE(p.value("select count(*) from ReviewSchedule").toInt(), PaperSize - 1);
        QCOMPARE(p.value("select count(*) from ReviewSchedule where QuestionID=" + first).toInt(),
                 0);
        QVERIFY(p.errPaper(first.toLongLong())); // the wrong press still marked it
        QCOMPARE(p.value("select score from Record").toInt(), 1);
    }

    // A history from before answers kept how they were given gains the column; its rows stay.
    void anOlderHistoryGainsTheCueColumn() {
        TestProgram p(explained(), settingsWith({{Key::AutoSkip, "0"}}));
        p.execute("drop table History");
        p.execute("create table History (ID integer primary key autoincrement, QuestionID "
                  "integer not null, CarType text, Mode text, Answer text, Right integer, Seconds "
                  "integer, AnsweredAt text default (datetime('now','localtime')))");
        p.execute("insert into History(QuestionID, CarType, Mode, Answer, Right, Seconds) "
                  "values(1, 'C', 'sequential', 'A', 0, 3)");
        frmMain& m = p.start();
        click(m, "BtnSequence");
        click(m, "BtnB");
        QCOMPARE(p.value("select group_concat(QuestionID||':'||Right||':'||coalesce(Cue, '-')) "
                         "from (select * from History order by ID)")
                     .toString(),
                 QStringLiteral("1:0:-,1:1:2"));
    }

    // A bank from an older build gains the history table and the study-mode row when the
    // program opens it; its marks, settings and records stay as they were.
    void anOlderBankIsUpgradedInPlace() {
        TestProgram p(explained());
        p.execute("drop table History");
        p.execute("delete from Param where ParamID='背题模式'");
        p.execute("update Paper set ErrPaper=1 where ID=2");
        p.execute("update Param set ParamValue='B' where ParamID='考试车型'");
        p.execute("insert into Record(score) values(77)");
        const QVariant before = p.value("select group_concat(ParamID||'='||ParamValue) from Param");
        frmMain& m = p.start();
        QVERIFY(m.startedUp());
        QCOMPARE(p.value("select count(*) from sqlite_master where name='History'").toInt(), 1);
        QCOMPARE(p.setting(Key::StudyMode), QStringLiteral("0"));
        QCOMPARE(p.value("select group_concat(ParamID||'='||ParamValue) from Param where "
                         "ParamID<>'背题模式'"),
                 before);
        QVERIFY(p.errPaper(2));
        QCOMPARE(p.value("select score from Record").toInt(), 77);
    }

    void backupCarriesTheHistoryAndAnOlderBackupRestores() {
        TestProgram p(explained(), settingsWith({{Key::AutoSkip, "0"}}));
        frmMain& m = p.start();
        click(m, "BtnSequence");
        click(m, "BtnA");
        click(m, "BtnNextQuestion");
        click(m, "BtnPreQuestion");
        click(m, "BtnB");
        const QString backup = p.folder() + "/learner.backup";
        const Outcome saved = backupLearner(p.bankFile(), backup);
        QVERIFY2(saved.ok(), qPrintable(saved.problems.join('\n')));
        QVERIFY(saved.summary.contains("2 answers,"));
        p.execute("delete from History");
        const Outcome restored = restoreLearner(p.bankFile(), backup);
        QVERIFY2(restored.ok(), qPrintable(restored.problems.join('\n')));
        QCOMPARE(historyRows(p), (QStringList{"1|C|sequential|A|0", "1|C|sequential|B|1"}));

        // A backup from before the history (version 1) restores, with an empty history.
        QFile file(backup);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray all = file.readAll();
        file.close();
        QJsonObject data = QJsonDocument::fromJson(all.mid(all.indexOf('\n') + 1)).object();
        data.remove("history");
        const QByteArray payload = QJsonDocument(data).toJson();
        const QByteArray header =
            QJsonDocument(
                QJsonObject{
                    {"format", "kemu1-learner-backup"},
                    {"version", 1},
                    {"sha256",
                     QString::fromLatin1(
                         QCryptographicHash::hash(payload, QCryptographicHash::Sha256).toHex())}})
                .toJson(QJsonDocument::Compact);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(header + '\n' + payload);
        file.close();
        const Outcome older = restoreLearner(p.bankFile(), backup);
        QVERIFY2(older.ok(), qPrintable(older.problems.join('\n')));
        QCOMPARE(p.value("select count(*) from History").toInt(), 0);
        QVERIFY(p.errPaper(1)); // the marks came back all the same

        // bank history: the rows as a spreadsheet file.
        click(m, "BtnNextQuestion");
        click(m, "BtnPreQuestion");
        click(m, "BtnA");
        const Outcome exported = exportHistory(p.bankFile(), p.folder() + "/history.csv");
        QVERIFY2(exported.ok(), qPrintable(exported.problems.join('\n')));
        QFile csv(p.folder() + "/history.csv");
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(csv.readAll());
        QVERIFY(text.contains("QuestionID,CarType,Mode,Answer,Right"));
        QVERIFY(text.contains(",1,C,sequential,A,0,"));
    }
};

QTEST_MAIN(HistoryTest)
#include "test_history.moc"
