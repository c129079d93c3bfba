// The pass estimate against learners whose true knowledge is known. Each simulated learner
// practises as learners do, through the program's own answer path (the rows it writes, stamped
// with the simulated time); the estimate is read as the progress page reads it; the truth is
// the pass rate over papers drawn by ComposePaper with the learner's true chances.
// READINESS_HISTORIES sets the histories per behaviour (a few in CI, 200 for the full table);
// READINESS_SEED draws other learners, so tuning need not see the ones the table is taken on.
#include "TestProgram.h"
#include "domain/Paper.h"
#include "domain/Review.h"
#include "services/Practice.h"
#include "services/Records.h"
#include "store/Progress.h"
#include "store/Statements.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <random>

namespace {

// The shipped class C's chapter sizes.
const QList<QPair<QString, int>> Chapters = {{"1", 328}, {"2", 314}, {"3", 251}, {"4", 100},
                                             {"5", 85},  {"6", 58},  {"7", 83}};

QList<Question> simulatedBank() {
    QList<Question> list;
    for (const auto& [chap, n] : Chapters)
        list.append(series(chap.toInt() * 1000, n, "C", chap));
    return list;
}

struct Item {
    QString id;
    int chapter = 0; // index into Chapters
    double guess = 0.25;
    QString right, wrong; // answer texts
    double known = 0;     // true chance, before forgetting
    double lastSeenDay = -1e9;
};

enum class Family { Uniform, KnownOrGuess, WeakChapter, UnseenWorse, UnseenBetter, Forgetting };
const QStringList FamilyNames = {"uniform",      "known-or-guess", "weak chapter",
                                 "unseen worse", "unseen better",  "forgetting"};

enum class Behaviour {
    InOrder,
    InOrderThenWrongOnce,
    WrongUntilEmpty,
    Random300,
    MockOnly,
    ChapterDrills,
    ShowThenAnswer,
    WeeksAgo,
    Mixed
};
const QStringList BehaviourNames = {"whole class in order",
                                    "in order, then 错题练习 once",
                                    "in order, 错题练习 until empty",
                                    "随机练习 300 only",
                                    "5 mock exams only",
                                    "chapter drills (chapters 1–3)",
                                    "显示答案 then answer (half)",
                                    "whole class six weeks ago",
                                    "two weeks of mixed practice"};

constexpr double Day = 86400000.0;

class Learner {
  public:
    Learner(PracticeSession& s, QList<Item>& items, std::mt19937& random, Family family,
            qint64 nowMs)
        : s(s), items(items), random(random), family(family), nowMs(nowMs) {}

    // The chance of a right answer at `dayMs`, forgetting since the item was last practised.
    double chance(const Item& item, double day) const {
        if (family != Family::Forgetting || item.lastSeenDay < -1e8) return item.known;
        const double age = qMax(0.0, day - item.lastSeenDay);
        return item.guess + (item.known - item.guess) * std::exp(-age / 40.0);
    }

    // Answers the set's current question as the learner would; true when right.
    bool answerCurrent(double day, bool showFirst = false, bool removeRight = false) {
        Item& item = byId(s.set.currentId());
        if (showFirst) s.set.sawAnswer();
        std::bernoulli_distribution knows(chance(item, day));
        const bool right = showFirst || knows(random);
        const qint64 ms = nowMs + qint64(day * Day);
        s.set.shownAt(ms - 8000);
        AnswerQuestion(s, right ? item.right : item.wrong, removeRight, ms);
        item.lastSeenDay = day;
        return right;
    }

    // A set practised once through, a few seconds a question.
    void practise(const QStringList& ids, QuestionSet::Mode mode, double& day, double showShare = 0,
                  bool removeRight = false) {
        if (ids.isEmpty()) return;
        s.set.load(ids, mode);
        std::bernoulli_distribution show(showShare);
        for (int p = 0; p < s.set.size(); ++p) {
            s.set.goTo(p);
            answerCurrent(day, show(random), removeRight);
            day += 10.0 / 86400;
        }
    }

    void mockExam(double& day) {
        std::vector<QStringList> chapterIds(size_t(Chapters.size()));
        for (const Item& item : items)
            chapterIds[size_t(item.chapter)].append(item.id);
        s.set.load(ComposePaper(QuotasOf("C"), chapterIds, random), QuestionSet::Mode::Exam);
        s.startExam(45 * 60);
        for (int p = 0; p < s.set.size(); ++p) {
            s.set.goTo(p);
            answerCurrent(day);
        }
        s.ExamSeconds = 20 * 60; // handed in after 25 minutes
        day += 25.0 / 1440;
        SaveExamRecord(s, s.set.rightCount(),
                       QDateTime::fromMSecsSinceEpoch(nowMs + qint64(day * Day)));
    }

    QStringList wrongMarked() {
        QStringList ids;
        s.Conn.forEachRow(Sql::wrongIds("C"),
                          [&](const QSqlQuery& row) { ids.append(row.value(0).toString()); });
        return ids;
    }

    QStringList classIds() const {
        QStringList ids;
        for (const Item& item : items)
            ids.append(item.id);
        return ids;
    }

    void behave(Behaviour b) {
        std::uniform_real_distribution<double> recent(-3.0, -0.2);
        double day = recent(random) - 1.0;
        switch (b) {
        case Behaviour::InOrder:
            practise(classIds(), QuestionSet::Mode::Sequential, day);
            break;
        case Behaviour::InOrderThenWrongOnce:
            practise(classIds(), QuestionSet::Mode::Sequential, day);
            practise(wrongMarked(), QuestionSet::Mode::WrongQuestions, day, 0, true);
            break;
        case Behaviour::WrongUntilEmpty:
            practise(classIds(), QuestionSet::Mode::Sequential, day);
            // Each pass starts with the last one's answer shown on the wrong ones.
            for (int pass = 0; pass < 40 && !wrongMarked().isEmpty(); ++pass)
                practise(wrongMarked(), QuestionSet::Mode::WrongQuestions, day, 0.3, true);
            break;
        case Behaviour::Random300: {
            QStringList ids = classIds();
            Shuffle(ids, random);
            practise(ids.mid(0, 300), QuestionSet::Mode::Random, day);
            break;
        }
        case Behaviour::MockOnly:
            day -= 5;
            for (int e = 0; e < 5; ++e, day += 1)
                mockExam(day);
            break;
        case Behaviour::ChapterDrills: {
            for (int c = 0; c < 3; ++c) {
                QStringList ids;
                for (const Item& item : items)
                    if (item.chapter == c) ids.append(item.id);
                practise(ids, QuestionSet::Mode::Chapter, day, 0.1);
            }
            break;
        }
        case Behaviour::ShowThenAnswer:
            practise(classIds(), QuestionSet::Mode::Sequential, day, 0.5);
            break;
        case Behaviour::WeeksAgo:
            day = -42;
            practise(classIds(), QuestionSet::Mode::Sequential, day);
            break;
        case Behaviour::Mixed: {
            day = -14;
            QStringList ids = classIds();
            Shuffle(ids, random);
            for (int d = 0; d < 12; ++d, day = -14 + d) {
                practise(ids.mid(d * 100, 100), QuestionSet::Mode::Random, day);
                if (d % 3 == 2) practise(wrongMarked(), QuestionSet::Mode::WrongQuestions, day);
            }
            mockExam(day);
            break;
        }
        }
    }

  private:
    Item& byId(const QString& id) { return items[index.value(id)]; }

  public:
    QHash<QString, qsizetype> index;

  private:
    PracticeSession& s;
    QList<Item>& items;
    std::mt19937& random;
    Family family;
    qint64 nowMs;
};

// True knowledge of each item for a family.
void assignKnowledge(QList<Item>& items, Family family, Behaviour behaviour, std::mt19937& random) {
    std::uniform_real_distribution<double> level(0.78, 0.99);
    const double skill = level(random);
    std::uniform_int_distribution<int> chapterPick(0, 3);
    const int weak = chapterPick(random);
    std::bernoulli_distribution coin(0.5);
    for (Item& item : items) {
        double p = skill;
        switch (family) {
        case Family::Uniform:
        case Family::Forgetting:
            break;
        case Family::KnownOrGuess: {
            std::bernoulli_distribution knows(skill);
            p = knows(random) ? 0.99 : item.guess;
            break;
        }
        case Family::WeakChapter:
            if (item.chapter == weak) p = skill - 0.25;
            break;
        case Family::UnseenWorse:
        case Family::UnseenBetter: {
            // Questions the behaviour leaves untried stand apart from the tried ones; where it
            // tries everything, half of each chapter does.
            const bool untried =
                behaviour == Behaviour::ChapterDrills ? item.chapter >= 3 : coin(random);
            if (untried) p += family == Family::UnseenWorse ? -0.12 : 0.06;
            break;
        }
        }
        item.known = qBound(item.guess, p, 1.0);
        item.lastSeenDay = -1e9;
    }
}

// The pass rate over papers as the program draws them, each paper's chance exact.
double truePassRate(const QList<Item>& items, const Learner& learner, int papers, int passScore,
                    std::mt19937& random) {
    std::vector<QStringList> chapterIds(size_t(Chapters.size()));
    QHash<QString, double> chances;
    for (const Item& item : items) {
        chapterIds[size_t(item.chapter)].append(item.id);
        chances.insert(item.id, learner.chance(item, 0));
    }
    double sum = 0;
    for (int n = 0; n < papers; ++n) {
        std::vector<double> score{1.0};
        for (const QString& id : ComposePaper(QuotasOf("C"), chapterIds, random)) {
            const double p = chances.value(id);
            score.push_back(0);
            for (size_t r = score.size() - 1; r > 0; --r)
                score[r] = score[r] * (1 - p) + score[r - 1] * p;
            score[0] *= 1 - p;
        }
        for (size_t r = size_t(passScore); r < score.size(); ++r)
            sum += score[r];
    }
    return sum / papers;
}

// The mean true chance of a paper's question, each chapter by its quota.
double paperMean(const QList<Item>& items, const Learner& learner) {
    const ChapterQuotas quotas = QuotasOf("C");
    std::vector<double> sum(size_t(Chapters.size())), count(size_t(Chapters.size()));
    for (const Item& item : items) {
        sum[size_t(item.chapter)] += learner.chance(item, 0);
        count[size_t(item.chapter)] += 1;
    }
    double mean = 0, size = 0;
    for (qsizetype c = 0; c < quotas.size(); ++c) {
        mean += quotas[c].second * sum[size_t(c)] / count[size_t(c)];
        size += quotas[c].second;
    }
    return mean / size;
}

double modelledMean(const ReadinessEstimate& e) {
    double mean = 0, size = 0;
    for (const ChapterOutlook& c : e.chapters) {
        mean += c.quota * c.chance;
        size += c.quota;
    }
    return size > 0 ? mean / size : 0;
}

struct Row {
    int behaviour = 0;
    QList<double> gaps;
    int shown = 0, covered = 0, wrongVerdict = 0, readyUnderHalf = 0, tooLittle = 0, all = 0;
};

bool verdictWrong(ReadyVerdict v, double truth) {
    switch (v) {
    case ReadyVerdict::Ready:
        return truth < 0.7;
    case ReadyVerdict::NotYet:
        return truth >= 0.8;
    case ReadyVerdict::Close:
        return truth >= 0.97 || truth < 0.2;
    }
    return false;
}

} // namespace

class ReadinessTest : public QObject {
    Q_OBJECT

  private slots:
    void simulatedLearners() {
        const int histories = qMax(1, qEnvironmentVariableIntValue("READINESS_HISTORIES") > 0
                                          ? qEnvironmentVariableIntValue("READINESS_HISTORIES")
                                          : 3);
        const int papers = histories >= 50 ? 1000 : 300;
        TestProgram p(simulatedBank());
        PracticeSession& s = p.session().practice;
        s.Conn.open(p.bankFile());
        s.Conn.execute(QStringLiteral("pragma synchronous=off"));
        s.CarTypeCode = QStringLiteral("C");
        const int passScore = GetPassScore(s.Conn);
        QList<Item> items;
        QHash<QString, qsizetype> index;
        s.Conn.forEachRow(
            QStringLiteral("select ID, chap, Type, AnswerTrue from Paper order by ID"),
            [&](const QSqlQuery& row) {
                Item item;
                item.id = row.value(0).toString();
                item.chapter = row.value(1).toInt() - 1;
                const bool judge = row.value(2).toString() == "2";
                item.guess = judge ? 0.5 : 0.25;
                const int key = row.value(3).toInt();
                item.right = judge ? (key == 1 ? "对" : "错") : QString(QChar(u'A' + key - 1));
                item.wrong = judge ? (key == 1 ? "错" : "对") : QString(QChar(u'A' + key % 4));
                index.insert(item.id, items.size());
                items.append(item);
            });
        const QDateTime now = QDateTime::currentDateTime();
        std::mt19937 random(qEnvironmentVariableIsSet("READINESS_SEED")
                                ? uint(qEnvironmentVariableIntValue("READINESS_SEED"))
                                : 20261207u);
        QList<Row> table;
        int unsafe = 0;
        for (int b = 0; b < BehaviourNames.size(); ++b) {
            Row row;
            row.behaviour = b;
            if (!qEnvironmentVariable("READINESS_ONLY").isEmpty() &&
                qEnvironmentVariableIntValue("READINESS_ONLY") != b)
                continue;
            for (int h = 0; h < histories; ++h) {
                s.Conn.execute(QStringLiteral("delete from History"));
                s.Conn.execute(QStringLiteral("delete from ReviewSchedule"));
                s.Conn.execute(QStringLiteral("delete from Record"));
                s.Conn.execute(QStringLiteral("update Paper set ErrPaper=0"));
                const auto family = Behaviour(b) == Behaviour::WeeksAgo
                                        ? Family::Forgetting
                                        : Family(h % FamilyNames.size());
                assignKnowledge(items, family, Behaviour(b), random);
                Learner learner(s, items, random, family, now.toMSecsSinceEpoch());
                learner.index = index;
                learner.behave(Behaviour(b));
                const double truth = truePassRate(items, learner, papers, passScore, random);
                const Progress progress = ReadProgress(s.Conn, "C", now);
                const ReadinessEstimate& e = progress.estimate;
                ++row.all;
                if (!e.enough) {
                    ++row.tooLittle;
                    continue;
                }
                ++row.shown;
                row.gaps.append(std::abs(e.middle - truth));
                row.covered += e.low <= truth + 1e-9 && truth <= e.high + 1e-9 ? 1 : 0;
                const ReadyVerdict v = VerdictOf(e);
                row.wrongVerdict += verdictWrong(v, truth) ? 1 : 0;
                if (v == ReadyVerdict::Ready && truth < 0.5) {
                    ++row.readyUnderHalf;
                    ++unsafe;
                }
                if (histories <= 5 || qEnvironmentVariableIsSet("READINESS_DETAIL"))
                    qInfo("%s / %s: truth %.1f %%, range %.1f–%.1f (%.1f) %s; paper mean %.1f, "
                          "modelled %.1f",
                          qPrintable(BehaviourNames[b]), qPrintable(FamilyNames[int(family)]),
                          truth * 100, e.low * 100, e.high * 100, e.middle * 100,
                          qPrintable(VerdictText(v)), paperMean(items, learner) * 100,
                          modelledMean(e) * 100);
            }
            table.append(row);
        }
        qInfo("| behaviour | median gap | coverage | verdict wrong | 可以考试 under 50 %% | "
              "数据不足 |");
        qInfo("|---|---|---|---|---|---|");
        int shown = 0, covered = 0, wrong = 0;
        for (int b = 0; b < table.size(); ++b) {
            Row& r = table[b];
            std::sort(r.gaps.begin(), r.gaps.end());
            const double median = r.gaps.isEmpty() ? 0 : r.gaps[r.gaps.size() / 2];
            auto share = [](int n, int of) { return of > 0 ? 100.0 * n / of : 0.0; };
            qInfo("| %s | %.1f | %.0f %% | %.0f %% | %d | %.0f %% |",
                  qPrintable(BehaviourNames[r.behaviour]), median * 100, share(r.covered, r.shown),
                  share(r.wrongVerdict, r.shown), r.readyUnderHalf, share(r.tooLittle, r.all));
            shown += r.shown;
            covered += r.covered;
            wrong += r.wrongVerdict;
        }
        // Never ready when the learner would fail more often than pass.
        QCOMPARE(unsafe, 0);
        // Every recent behaviour gives a figure (a learner path that writes nothing says 数据不足).
        for (const Row& r : table)
            QVERIFY2(Behaviour(r.behaviour) == Behaviour::WeeksAgo || r.shown > 0,
                     qPrintable(BehaviourNames[r.behaviour]));
        QVERIFY2(shown > 0, "every history said 数据不足");
        QVERIFY2(covered >= 0.6 * shown,
                 qPrintable(QStringLiteral("%1 of %2").arg(covered).arg(shown)));
        QVERIFY2(wrong <= 0.25 * shown,
                 qPrintable(QStringLiteral("%1 of %2").arg(wrong).arg(shown)));
    }

    // No history: no figure, and the next step is a mock exam.
    void noHistoryNoFigure() {
        QList<QuestionEvidence> questions(50, QuestionEvidence{"1", 0.25, {}});
        const ReadinessEstimate e = EstimateReadiness(questions, {{"1", 10}}, 9);
        QVERIFY(!e.enough);
        QCOMPARE(NextStepOf(e).action, NextStep::Action::MockExam);
    }

    // A learner who answered every question once in 随机练习 over two days, then sat mock exams.
    void practiceAndExams_data() {
        QTest::addColumn<double>("daysAgo");
        QTest::addColumn<int>("wrongOneIn");
        QTest::addColumn<QList<int>>("scores");
        QTest::addColumn<int>("never"); // the verdict that would mislead
        QTest::addColumn<double>("widest");
        QTest::addRow("strong, just practised")
            << 0.0 << 20 << QList<int>{} << int(ReadyVerdict::NotYet) << 0.2;
        QTest::addRow("strong, last week, exams agree")
            << 4.0 << 20 << QList<int>{91, 93, 94, 96} << int(ReadyVerdict::NotYet) << 0.3;
        QTest::addRow("strong, exams in the 60s")
            << 1.0 << 20 << QList<int>{62, 65, 68} << int(ReadyVerdict::Ready) << 1.0;
        QTest::addRow("weaker weeks ago, exams 85 to 95 since")
            << 20.0 << 5 << QList<int>{85, 90, 95, 92} << int(ReadyVerdict::NotYet) << 1.0;
    }
    void practiceAndExams() {
        QFETCH(double, daysAgo);
        QFETCH(int, wrongOneIn);
        QFETCH(QList<int>, scores);
        QFETCH(int, never);
        QFETCH(double, widest);
        QList<QuestionEvidence> questions;
        int n = 0;
        for (const auto& [chapter, size] : Chapters)
            for (int i = 0; i < size; ++i, ++n)
                questions.append({chapter,
                                  n % 2 ? 0.5 : 0.25,
                                  {{daysAgo + 2.0 * n / 1219, (n / 2) % wrongOneIn != 1,
                                    AnswerCue::FirstTry, true}}});
        QList<RecentScore> recent;
        for (int i = 0; i < scores.size(); ++i)
            recent.append({1.0 + 2 * i, scores[i]});
        const ReadinessEstimate e = EstimateReadiness(questions, QuotasOf("C"), 90, recent);
        const QString range = QStringLiteral("%1–%2 %3")
                                  .arg(e.low, 0, 'f', 2)
                                  .arg(e.high, 0, 'f', 2)
                                  .arg(VerdictText(VerdictOf(e)));
        QVERIFY(e.enough);
        QVERIFY2(int(VerdictOf(e)) != never, qPrintable(range));
        QVERIFY2(e.high - e.low <= widest, qPrintable(range));
    }

    void chapterRightsOfAFinishedPaper() {
        QuestionSet paper;
        QStringList ids;
        for (int i = 0; i < PaperSize; ++i)
            ids.append(QString::number(i));
        paper.load(ids, QuestionSet::Mode::Exam);
        // Right at positions 0, 24 (chapter 1), 25 (chapter 2) and 99 (chapter 7).
        for (int p = 0; p < PaperSize; ++p) {
            paper.goTo(p);
            paper.answer(1, p == 0 || p == 24 || p == 25 || p == 99);
        }
        QCOMPARE(ChapterRights(QuotasOf(QStringLiteral("C")), paper),
                 QStringLiteral("1:2,2:1,3:0,4:0,5:0,6:0,7:1"));
        paper.load(ids.mid(0, 10), QuestionSet::Mode::Exam);
        QVERIFY(ChapterRights(QuotasOf(QStringLiteral("C")), paper).isEmpty());
    }
};

QTEST_MAIN(ReadinessTest)
#include "test_readiness.moc"
