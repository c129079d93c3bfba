// The practice session's phases, without any window: every phase meets every action.
#include "services/Practice.h"
#include "services/PracticeSession.h"
#include "store/Bank.h"

#include <QTest>

using Phase = PracticeSession::Phase;
Q_DECLARE_METATYPE(Phase)

namespace {

const QStringList Ids = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};

void enter(PracticeSession& s, Phase phase) {
    if (phase == Phase::Empty) return;
    if (phase == Phase::Practising) return s.set.load(Ids, QuestionSet::Mode::Sequential);
    s.set.load(Ids, QuestionSet::Mode::Exam);
    s.startExam(2);
    if (phase == Phase::ExamRunning) return;
    s.handIn();
    if (phase == Phase::Reviewing) s.review();
}

enum class Action {
    HandIn,
    Review,
    Tick,
    TimeOut,
    StartExam,
    Retake,
    NextPastEnd,
    BackPastStart,
    LoadPractice
};

// What the action did: the phase after it and whether it changed anything.
void act(PracticeSession& s, Action action) {
    switch (action) {
    case Action::HandIn:
        s.handIn();
        break;
    case Action::Review:
        s.review();
        break;
    case Action::Tick:
        s.tick();
        break;
    case Action::TimeOut:
        for (int i = 0; i < 3; ++i)
            s.tick();
        break;
    case Action::StartExam:
        s.startExam(60);
        break;
    case Action::Retake:
        s.set.restart();
        s.startExam(60);
        break;
    case Action::NextPastEnd:
        while (s.set.next()) {
        }
        break;
    case Action::BackPastStart:
        while (s.set.back()) {
        }
        break;
    case Action::LoadPractice:
        s.set.load(Ids, QuestionSet::Mode::Random);
        break;
    }
}

} // namespace

class SessionTest : public QObject {
    Q_OBJECT
  private slots:
    void everyPhaseMeetsEveryAction_data() {
        QTest::addColumn<Phase>("from");
        QTest::addColumn<Action>("action");
        QTest::addColumn<Phase>("to");
        const struct {
            const char* name;
            Phase phase;
        } phases[] = {{"empty", Phase::Empty},
                      {"practising", Phase::Practising},
                      {"exam running", Phase::ExamRunning},
                      {"handed in", Phase::HandedIn},
                      {"reviewing", Phase::Reviewing}};
        const struct {
            const char* name;
            Action action;
        } actions[] = {{"hand in", Action::HandIn},
                       {"review", Action::Review},
                       {"tick", Action::Tick},
                       {"time out", Action::TimeOut},
                       {"start exam", Action::StartExam},
                       {"retake", Action::Retake},
                       {"next past end", Action::NextPastEnd},
                       {"back past start", Action::BackPastStart},
                       {"load practice", Action::LoadPractice}};
        for (const auto& p : phases) {
            for (const auto& a : actions) {
                Phase to = p.phase;
                if (a.action == Action::LoadPractice) to = Phase::Practising;
                if (p.phase == Phase::ExamRunning &&
                    (a.action == Action::HandIn || a.action == Action::TimeOut))
                    to = Phase::HandedIn;
                if (p.phase == Phase::HandedIn && a.action == Action::Review) to = Phase::Reviewing;
                // A paper starts again from any exam phase; a practice set never becomes one.
                if ((p.phase == Phase::HandedIn || p.phase == Phase::Reviewing) &&
                    (a.action == Action::StartExam || a.action == Action::Retake))
                    to = Phase::ExamRunning;
                QTest::addRow("%s, %s", p.name, a.name) << p.phase << a.action << to;
            }
        }
    }
    void everyPhaseMeetsEveryAction() {
        QFETCH(Phase, from);
        QFETCH(Action, action);
        QFETCH(Phase, to);
        Bank bank;
        PracticeSession s(bank);
        enter(s, from);
        QCOMPARE(s.phase(), from);
        act(s, action);
        QCOMPARE(s.phase(), to);
        // Answers are taken while practising or examining, never after hand-in; refused
        // before the bank is touched.
        const bool takes = to == Phase::Practising || to == Phase::ExamRunning;
        QCOMPARE(s.acceptsAnswers(), takes);
        if (!takes) QVERIFY(!AnswerQuestion(s, QStringLiteral("A"), false, 0).taken);
    }

    void theCountdownEndsOnceAndKeepsItsLength() {
        Bank bank;
        PracticeSession s(bank);
        s.set.load(Ids, QuestionSet::Mode::Exam);
        s.startExam(2);
        QVERIFY(!s.tick());
        QVERIFY(!s.tick());
        QCOMPARE(s.ExamSeconds, 0);
        QVERIFY(s.tick()); // the second after the last one hands the paper in
        QVERIFY(!s.tick());
        QVERIFY(!s.handIn()); // a paper handed in by time is not handed in again
        QCOMPARE(s.ExamLength, 2);
    }

    void policiesDecideJudgingAndMovingOn_data() {
        QTest::addColumn<bool>("exam");
        QTest::addColumn<bool>("studyMode");
        QTest::addColumn<bool>("autoAdvance");
        QTest::addColumn<bool>("judges");
        QTest::addColumn<bool>("movesOnRight");
        QTest::addColumn<bool>("movesOnWrong");
        QTest::newRow("practice") << false << false << false << true << false << false;
        QTest::newRow("practice, auto-advance") << false << false << true << true << true << false;
        QTest::newRow("study mode") << false << true << true << false << true << false;
        QTest::newRow("exam ignores study mode") << true << true << false << true << true << true;
    }
    void policiesDecideJudgingAndMovingOn() {
        QFETCH(bool, exam);
        QFETCH(bool, studyMode);
        QFETCH(bool, autoAdvance);
        Bank bank;
        PracticeSession s(bank);
        s.set.load(Ids, exam ? QuestionSet::Mode::Exam : QuestionSet::Mode::Sequential);
        s.policies.studyMode = studyMode;
        s.policies.autoAdvance = autoAdvance;
        QTEST(s.judges(), "judges");
        QTEST(s.movesOnAfter(true), "movesOnRight");
        QTEST(s.movesOnAfter(false), "movesOnWrong");
    }
};

QTEST_GUILESS_MAIN(SessionTest)
#include "test_session.moc"
