// Sharing with a driving school against a real PostgreSQL server the test starts: every row
// arrives once whatever happens to the program or the server, nothing is lost in the bank.
#include "PgServer.h"
#include "TestProgram.h"
#include "progress/ScoreChart.h"
#include "school/LinkSettings.h"
#include "school/SchoolSchema.h"
#include "school/SchoolSync.h"
#include "school/Summary.h"
#include "schoolview/frmInstructor.h"
#include "store/Bank.h"
#include "store/DatabaseError.h"
#include "store/Progress.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

using namespace School;

namespace {

// One server for the whole program; each School is a database of its own on it, with one
// school, a learner and an instructor whose role names no other test uses.
PgServer* server = nullptr;

struct SchoolDb {
    inline static int count = 0;
    QString name = QStringLiteral("sync%1").arg(++count);
    QSqlDatabase owner;
    QString learnerPassword;
    SchoolDb() {
        if (!server->createDatabase(name)) qFatal("no database %s", qPrintable(name));
        owner = server->connect(name);
        SchoolSchema schema(owner);
        schema.install();
        schema.addSchool(QStringLiteral("东风驾校"));
        learnerPassword = schema.addPerson(
            {role("learner"), QStringLiteral("东风驾校"), QStringLiteral("小王"), {}});
    }
    QString role(const char* who) const { return QStringLiteral("%1_%2").arg(who, name); }
    void exec(const QString& sql) {
        QSqlQuery q(owner);
        if (!q.exec(sql)) qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    }
    QVariant value(const QString& sql) {
        QSqlQuery q(owner);
        if (!q.exec(sql) || !q.next()) return {};
        return q.value(0);
    }
    JoinDetails learner() const {
        JoinDetails j;
        j.host = server->host();
        j.port = server->port();
        j.database = name;
        j.role = role("learner");
        j.password = learnerPassword;
        return j;
    }
    void removeLearner() { SchoolSchema(owner).removeLearner(role("learner")); }
    // An immediate stop cuts every session; the owner's connection opens again afterwards.
    void stop() {
        if (!server->stop()) qFatal("the server did not stop");
    }
    void start() {
        server->start();
        owner.close();
        owner.open();
    }
};

// The learner's bank with `answers` answers and `records` exam records.
struct LearnerBank {
    TestProgram program{checkedBank(), settingsWith({{Key::CarType, QStringLiteral("C")}})};
    Bank bank;
    LearnerBank(int answers, int records) {
        bank.open(program.bankFile());
        try {
            add(answers, records);
        } catch (const DatabaseError& e) {
            qFatal("%s", qPrintable(e.description()));
        }
    }
    void add(int answers, int records) {
        bank.execute({QStringLiteral(
                          "with recursive n(i) as (select 1 union all select i+1 from n where i<?) "
                          "insert into History(QuestionID, CarType, Mode, Answer, Right, Seconds, "
                          "AnsweredAt, Cue) select p.ID, 'C', 'random', 'A', i % 3 > 0, i % 40, "
                          "datetime('now', 'localtime', '-' || (i % 20) || ' days'), 0 from n "
                          "join (select ID, row_number() over (order by ID) - 1 as k from "
                          "Paper where ID < 8000) p on p.k = n.i % 300 order by i"),
                      {answers}});
        for (int i = 0; i < records; ++i)
            bank.execute({QStringLiteral("insert into Record(score, RecordTime, CarType, Seconds, "
                                         "Hall) values(?, datetime('now','localtime'), 'C', 1500, "
                                         "0)"),
                          {80 + i}});
    }
    qint64 answers() {
        return bank
            .firstValue(QStringLiteral("select count(*) as n from History"), QStringLiteral("n"))
            .toLongLong();
    }
};

SyncTuning quick(int batch = 1000) {
    SyncTuning t;
    t.pollMs = 50;
    t.batchRows = batch;
    t.firstRetryMs = 50;
    t.lastRetryMs = 200;
    return t;
}

} // namespace

class SchoolTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        server = new PgServer;
        if (!server->isRunning()) QSKIP(qPrintable(server->whyNot()));
    }
    void cleanupTestCase() { delete server; }
    void everyRowArrivesOnce_data();
    void everyRowArrivesOnce();
    void serverStoppedMidBatch();
    void programKilledMidBatch();
    void refusalIsSaidOnceAndNothingIsLost();
    void summaryIsTheLearnersOwnPage();
    void learnerJoinsByCodeAndLeaves_data();
    void learnerJoinsByCodeAndLeaves();
    void passwordPlaceIsKept_data();
    void passwordPlaceIsKept();
    void passwordTypedAtStart_data();
    void passwordTypedAtStart();
    void instructorSeesOwnSchoolAsLearnersDo();
};

void SchoolTest::everyRowArrivesOnce_data() {
    QTest::addColumn<int>("answers");
    QTest::addColumn<int>("batch");
    QTest::addColumn<bool>("forgetSent"); // the bank lost track of what was sent
    QTest::addRow("one batch") << 30 << 1000 << false;
    QTest::addRow("many batches") << 2500 << 400 << false;
    QTest::addRow("sent twice") << 700 << 300 << true;
}

void SchoolTest::everyRowArrivesOnce() {
    QFETCH(int, answers);
    QFETCH(int, batch);
    QFETCH(bool, forgetSent);
    SchoolDb school;
    LearnerBank learner(answers, 3);
    for (int round = 0; round < (forgetSent ? 2 : 1); ++round) {
        if (round == 1) SchoolSync::forgetSent(learner.bank);
        SchoolSync sync(learner.program.bankFile(), school.learner(), quick(batch));
        QTRY_COMPARE_WITH_TIMEOUT(sync.state(), SyncState::Synced, 20000);
    }
    QCOMPARE(school.value("select count(*) from school.answers").toInt(), answers);
    QCOMPARE(school.value("select count(distinct row_id) from school.answers").toInt(), answers);
    QCOMPARE(school.value("select max(row_id) from school.answers").toInt(), answers);
    QCOMPARE(school.value("select count(*) from school.records").toInt(), 3);
    // The instructor's list reads the count the trigger kept, never the answers.
    QCOMPARE(school.value("select answers from school.summaries").toInt(), answers);
}

void SchoolTest::serverStoppedMidBatch() {
    SchoolDb school;
    LearnerBank learner(20000, 2);
    SchoolSync sync(learner.program.bankFile(), school.learner(), quick(200));
    QTRY_VERIFY_WITH_TIMEOUT(school.value("select count(*) from school.answers").toInt() > 0,
                             20000);
    QVERIFY(school.value("select count(*) from school.answers").toInt() < 20000);
    school.stop();
    QTRY_COMPARE_WITH_TIMEOUT(sync.state(), SyncState::Waiting, 20000);
    school.start();
    QTRY_COMPARE_WITH_TIMEOUT(sync.state(), SyncState::Synced, 30000);
    QCOMPARE(school.value("select count(distinct row_id) from school.answers").toInt(), 20000);
    QCOMPARE(school.value("select count(*) from school.records").toInt(), 2);
    QCOMPARE(learner.answers(), 20000);
}

void SchoolTest::programKilledMidBatch() {
    SchoolDb school;
    LearnerBank learner(20000, 2);
    const JoinDetails j = school.learner();
    QProcess child;
    child.start(QStringLiteral(SCHOOLSEND),
                {learner.program.bankFile(), j.host, QString::number(j.port), j.database, j.role,
                 j.password, QStringLiteral("100")});
    QVERIFY(child.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(school.value("select count(*) from school.answers").toInt() > 0,
                             20000);
    child.kill();
    child.waitForFinished();
    const int before = school.value("select count(*) from school.answers").toInt();
    QVERIFY2(before < 20000, "the child finished before it was killed");
    SchoolSync sync(learner.program.bankFile(), j, quick());
    QTRY_COMPARE_WITH_TIMEOUT(sync.state(), SyncState::Synced, 30000);
    QCOMPARE(school.value("select count(*) from school.answers").toInt(), 20000);
    QCOMPARE(school.value("select count(distinct row_id) from school.answers").toInt(), 20000);
    QCOMPARE(learner.answers(), 20000);
}

void SchoolTest::refusalIsSaidOnceAndNothingIsLost() {
    SchoolDb school;
    LearnerBank learner(50, 0);
    SchoolSync sync(learner.program.bankFile(), school.learner(), quick());
    QSignalSpy refused(&sync, &SchoolSync::refused);
    QTRY_COMPARE_WITH_TIMEOUT(sync.state(), SyncState::Synced, 20000);
    school.removeLearner();
    learner.add(20, 0);
    sync.sendNow();
    QTRY_COMPARE_WITH_TIMEOUT(sync.state(), SyncState::Refused, 20000);
    for (int i = 0; i < 3; ++i)
        sync.sendNow();
    QTRY_COMPARE(refused.size(), 1);
    QCOMPARE(learner.answers(), 70);
    // Removing the learner took their rows off the server; the bank keeps every one.
    QCOMPARE(school.value("select count(*) from school.answers").toInt(), 0);
}

void SchoolTest::summaryIsTheLearnersOwnPage() {
    SchoolDb school;
    LearnerBank learner(400, 2);
    SchoolSync sync(learner.program.bankFile(), school.learner(), quick());
    QTRY_COMPARE_WITH_TIMEOUT(sync.state(), SyncState::Synced, 20000);
    const Progress own = ReadProgress(learner.bank, QStringLiteral("C"));
    QVERIFY(own.estimate.enough);
    QCOMPARE(school.value("select readiness_enough from school.summaries").toBool(), true);
    QCOMPARE(school.value("select readiness_low from school.summaries").toFloat(),
             float(own.estimate.low));
    QCOMPARE(school.value("select readiness_high from school.summaries").toFloat(),
             float(own.estimate.high));
    const QList<ChapterOutlook> chapters =
        ChaptersFromJson(school.value("select weak_chapters from school.summaries").toString());
    QCOMPARE(chapters.size(), own.estimate.chapters.size());
    // Weakest first, as the learner's page lists them.
    for (qsizetype i = 1; i < chapters.size(); ++i)
        QVERIFY(chapters[i - 1].expectedLoss() >= chapters[i].expectedLoss());
    int seen = 0;
    for (const ChapterOutlook& c : own.estimate.chapters)
        seen += c.seen;
    QCOMPARE(school.value("select seen from school.summaries").toInt(), seen);
}

void SchoolTest::learnerJoinsByCodeAndLeaves_data() {
    QTest::addColumn<QString>("place");
    QTest::addRow("password file") << "OptPasswordFile";
    // No desktop session here, so no keyring: the learner is asked and takes the file.
    if (KeyringBuiltIn() && qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        QTest::addRow("keyring missing") << "OptPasswordKeyring";
}

void SchoolTest::learnerJoinsByCodeAndLeaves() {
    QFETCH(QString, place);
    SchoolDb school;
    LearnerBank learner(120, 1);
    TestProgram& p = learner.program;
    p.start();
    auto* status = p.w<QLabel>("LblSchoolStatus");
    QCOMPARE(status->text(), QStringLiteral("未加入"));
    const JoinDetails j = school.learner();
    p.platform().modalActions.push_back([&](QDialog* d) {
        control<QLineEdit>(*d, "TxtJoinCode")->setText(j.toCode());
        control<QRadioButton>(*d, qPrintable(place))->click();
        QCOMPARE(control<QLineEdit>(*d, "TxtRole")->text(), j.role);
        control<QPushButton>(*d, "BtnTest")->click();
        QTRY_COMPARE_WITH_TIMEOUT(control<QLabel>(*d, "LblTestResult")->text(),
                                  QStringLiteral("连接成功。"), 20000);
        control<QPushButton>(*d, "BtnJoin")->click();
    });
    p.platform().answers.push_back(true);
    p.w<QPushButton>("BtnSchool")->click();
    QCOMPARE(p.platform().questions.size(), place == "OptPasswordKeyring" ? 1 : 0);
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("已同步"), 20000);
    QCOMPARE(school.value("select count(*) from school.answers").toInt(), 120);

    // The password is in a file only the learner can read, never in the bank.
    const QString file =
        PasswordFile(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), j);
    QCOMPARE(QFile(file).permissions() & 0x0077, QFileDevice::Permissions());
    QFile bank(p.bankFile());
    QVERIFY(bank.open(QIODevice::ReadOnly));
    QVERIFY(!bank.readAll().contains(j.password.toUtf8()));

    p.platform().modalActions.push_back([](QDialog* d) {
        control<QCheckBox>(*d, "ChkErase")->setChecked(true);
        control<QPushButton>(*d, "BtnLeave")->click();
    });
    p.w<QPushButton>("BtnSchool")->click();
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("未加入"), 20000);
    QCOMPARE(school.value("select count(*) from school.answers").toInt(), 0);
    QCOMPARE(school.value("select count(*) from school.records").toInt(), 0);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(learner.answers(), 120);
}

// Where the learner chose to keep the password is what the next start reads.
void SchoolTest::passwordPlaceIsKept_data() {
    QTest::addColumn<PasswordPlace>("place");
    QTest::addRow("typed at each start") << PasswordPlace::Ask;
    QTest::addRow("own file") << PasswordPlace::File;
    QTest::addRow("keyring") << PasswordPlace::Keyring;
}

void SchoolTest::passwordPlaceIsKept() {
    QFETCH(PasswordPlace, place);
    LearnerBank learner(0, 0);
    JoinDetails join;
    join.host = QStringLiteral("school.example.cn");
    join.port = 6543;
    join.database = QStringLiteral("dongfeng");
    join.role = QStringLiteral("anna");
    join.sslmode = QStringLiteral("require");
    WriteLinkSettings(learner.bank, {join, place});
    const auto read = ReadLinkSettings(learner.bank);
    QVERIFY(read);
    QCOMPARE(read->place, place);
    QCOMPARE(read->join.host, join.host);
    QCOMPARE(read->join.port, join.port);
    QCOMPARE(read->join.role, join.role);
    QCOMPARE(read->join.sslmode, join.sslmode);
}

void SchoolTest::passwordTypedAtStart_data() {
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("status");
    QTest::addRow("typed") << true << "已同步";
    QTest::addRow("cancelled") << false << "未同步（没有密码）";
}

void SchoolTest::passwordTypedAtStart() {
    QFETCH(bool, typed);
    QFETCH(QString, status);
    SchoolDb school;
    LearnerBank learner(30, 0);
    JoinDetails join = school.learner();
    const QString password = std::exchange(join.password, {});
    WriteLinkSettings(learner.bank, {join, PasswordPlace::Ask});
    QStringList asked;
    learner.program.platform().modalActions.push_back([&](QDialog* d) {
        asked.append(d->objectName());
        if (!typed) return;
        auto* prompt = qobject_cast<QInputDialog*>(d);
        prompt->setTextValue(password);
        prompt->accept();
    });
    learner.program.start();
    QTRY_COMPARE_WITH_TIMEOUT(learner.program.w<QLabel>("LblSchoolStatus")->text(), status, 20000);
    QCOMPARE(asked, QStringList{"frmSchoolPassword"});
    QCOMPARE(school.value("select count(*) from school.answers").toInt(), typed ? 30 : 0);
}

void SchoolTest::instructorSeesOwnSchoolAsLearnersDo() {
    SchoolDb school;
    // 小王 sends from a bank; 小李 (B班) and 小赵 are made by hand; 小张 is another school's.
    LearnerBank learner(400, 0);
    {
        SchoolSync sync(learner.program.bankFile(), school.learner(), quick());
        QTRY_COMPARE_WITH_TIMEOUT(sync.state(), SyncState::Synced, 20000);
    }
    SchoolSchema schema(school.owner);
    schema.addSchool(QStringLiteral("西湖驾校"));
    schema.addPerson({school.role("b"), QStringLiteral("东风驾校"), QStringLiteral("小李"),
                      QStringLiteral("B班")});
    schema.addPerson({school.role("d"), QStringLiteral("东风驾校"), QStringLiteral("小赵"), {}});
    schema.addPerson({school.role("c"), QStringLiteral("西湖驾校"), QStringLiteral("小张"), {}});
    JoinDetails teacher = school.learner();
    teacher.role = school.role("teacher");
    teacher.password = schema.addPerson({teacher.role,
                                         QStringLiteral("东风驾校"),
                                         QStringLiteral("李老师"),
                                         {},
                                         PersonKind::Instructor});
    const QString lastWeek = QDateTime::currentDateTime().addDays(-10).toString(Qt::ISODate);
    for (const QString& who : {school.role("b"), school.role("c")})
        school.exec(
            QStringLiteral("insert into school.summaries(learner, car_type, "
                           "readiness_enough, readiness_low, readiness_mid, readiness_high, "
                           "coverage, seen, total, answers, last_active) values ('%1', 'C', "
                           "true, 0.85, 0.9, 0.95, 0.8, 240, 300, 900, '%2')")
                .arg(who, lastWeek));
    const QList<int> scores = {95, 92, 88, 96, 97, 80};
    for (int i = 0; i < scores.size(); ++i)
        school.exec(QStringLiteral("insert into school.records(learner, row_id, score, taken_at) "
                                   "values ('%1', %2, %3, '%4')")
                        .arg(school.role("b"))
                        .arg(i + 1)
                        .arg(scores[i])
                        .arg(QDateTime::currentDateTime().addDays(i - 20).toString(Qt::ISODate)));

    frmInstructor window(learner.program.session());
    window.show();
    control<QLineEdit>(window, "TxtJoinCode")->setText(teacher.toCode());
    control<QPushButton>(window, "BtnConnect")->click();
    auto* list = control<QTreeWidget>(window, "LstLearners");
    QMap<QString, QTreeWidgetItem*> shown;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        shown.insert(list->topLevelItem(i)->text(0), list->topLevelItem(i));
    QCOMPARE(shown.keys(), (QStringList{"小李", "小王", "小赵"}));
    // 小王's range is the one on their own 学习进度.
    const Progress own = ReadProgress(learner.bank, QStringLiteral("C"));
    QCOMPARE(shown["小王"]->text(3), ReadinessText(own.estimate, true));
    QVERIFY(shown["小李"]->text(5).startsWith(QStringLiteral("80 97 96 88 92")));

    auto visible = [&] {
        QStringList names;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (!list->topLevelItem(i)->isHidden()) names.append(list->topLevelItem(i)->text(0));
        names.sort();
        return names;
    };
    control<QCheckBox>(window, "ChkInactive")->setChecked(true);
    QCOMPARE(visible(), (QStringList{"小李", "小赵"}));
    control<QCheckBox>(window, "ChkReadyOnly")->setChecked(true);
    QCOMPARE(visible(), QStringList{"小李"});

    const QString csv = learner.program.folder() + QStringLiteral("/list.csv");
    learner.program.platform().savePath = csv;
    control<QPushButton>(window, "BtnExport")->click();
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3); // the header, 小李, and the end of the last line
    QVERIFY(lines[1].startsWith(QStringLiteral("小李,B班,小车,")));

    QList<int> charted;
    learner.program.platform().modalActions.push_back(
        [&](QDialog* d) { charted = control<ScoreChart>(*d, "ChartScores")->scores(); });
    const QRect row = list->visualItemRect(shown["小李"]);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(charted, scores);
}

QTEST_MAIN(SchoolTest)
#include "test_schoolsync.moc"
