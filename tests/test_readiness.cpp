// The pass readiness: its chances against mock exams sat by a simulated learner through the
// real paper composition.
#include "domain/Paper.h"
#include "domain/Readiness.h"

#include <QTest>
#include <numeric>
#include <random>

namespace {

// A learner's standing per chapter of class C: questions in the chapter, how many answered
// (the first `seen` ids), and the share answered right.
struct Profile {
    int total;
    double seenShare;
    double accuracy;
};

struct Simulated {
    QList<ChapterStanding> chapters;
    std::vector<QStringList> ids;
    std::vector<double> accuracy;
};

Simulated learner(const QList<Profile>& profile) {
    Simulated s;
    const ChapterQuotas quotas = QuotasOf(QStringLiteral("C"));
    for (qsizetype c = 0; c < quotas.size(); ++c) {
        const Profile& p = profile[qMin(c, profile.size() - 1)];
        ChapterStanding standing;
        standing.chapter = quotas[c].first;
        standing.quota = quotas[c].second;
        standing.total = p.total;
        standing.seen = int(std::lround(p.total * p.seenShare));
        standing.right = int(std::lround(standing.seen * p.accuracy));
        s.chapters.append(standing);
        QStringList ids;
        for (int i = 0; i < p.total; ++i)
            ids.append(QString::number(c * 10000 + i));
        s.ids.push_back(ids);
        // The learner answers as its history says it does.
        s.accuracy.push_back(standing.seenChance());
    }
    return s;
}

// The share of `exams` papers, composed as the program composes them, the learner passes:
// an answered question comes out right at the learner's accuracy, another at even odds.
double observedPassRate(const Simulated& s, int exams, int passScore) {
    const ChapterQuotas quotas = QuotasOf(QStringLiteral("C"));
    std::mt19937 random(20261207);
    std::bernoulli_distribution coin(UnseenChance);
    int passed = 0;
    for (int e = 0; e < exams; ++e) {
        const QStringList paper = ComposePaper(quotas, s.ids, random);
        int score = 0;
        for (const QString& id : paper) {
            const int chapter = id.toInt() / 10000;
            const bool seen = id.toInt() % 10000 < s.chapters[chapter].seen;
            std::bernoulli_distribution knows(s.accuracy[size_t(chapter)]);
            score += (seen ? knows(random) : coin(random)) ? 1 : 0;
        }
        passed += score >= passScore ? 1 : 0;
    }
    return double(passed) / exams;
}

} // namespace

class ReadinessTest : public QObject {
    Q_OBJECT

  private slots:
    void agreesWithSimulatedExams_data() {
        QTest::addColumn<QList<Profile>>("profile");
        QTest::addColumn<int>("passScore");
        QTest::newRow("weak everywhere") << QList<Profile>{{400, 1.0, 0.85}} << 90;
        QTest::newRow("near the line") << QList<Profile>{{400, 1.0, 0.91}} << 90;
        QTest::newRow("strong, one weak chapter") << QList<Profile>{{400, 1.0, 0.97},
                                                                    {400, 1.0, 0.97},
                                                                    {400, 1.0, 0.97},
                                                                    {400, 1.0, 0.55},
                                                                    {400, 1.0, 0.97}}
                                                  << 90;
        QTest::newRow("one chapter never seen")
            << QList<Profile>{{400, 1.0, 0.98}, {400, 0.0, 0.9}, {400, 1.0, 0.98}} << 90;
        QTest::newRow("half seen") << QList<Profile>{{400, 0.5, 0.95}} << 70;
        QTest::newRow("small chapters, few seen") << QList<Profile>{{30, 0.3, 0.9}} << 60;
        QTest::newRow("chapters shorter than their quota") << QList<Profile>{{8, 0.5, 0.9}} << 70;
        QTest::newRow("every answer right") << QList<Profile>{{400, 1.0, 1.0}} << 90;
        QTest::newRow("no history") << QList<Profile>{{400, 0.0, 0.0}} << 90;
        QTest::newRow("no history, low pass mark") << QList<Profile>{{400, 0.0, 0.0}} << 50;
    }
    void agreesWithSimulatedExams() {
        QFETCH(QList<Profile>, profile);
        QFETCH(int, passScore);
        const Simulated s = learner(profile);
        const double computed = PassChance(s.chapters, passScore);
        const double observed = observedPassRate(s, 10000, passScore);
        qInfo("%s: computed %.1f %%, observed %.1f %%", QTest::currentDataTag(), computed * 100,
              observed * 100);
        QVERIFY2(
            std::abs(computed - observed) <= 0.03,
            qPrintable(QStringLiteral("computed %1, observed %2").arg(computed).arg(observed)));
    }

    // Each chapter's chances add up to one and average what each draw is worth.
    void chapterChancesAreADistribution_data() {
        QTest::addColumn<int>("quota");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("seen");
        QTest::addColumn<int>("right");
        QTest::newRow("all seen") << 25 << 300 << 300 << 270;
        QTest::newRow("none seen") << 20 << 300 << 0 << 0;
        QTest::newRow("some seen") << 10 << 50 << 17 << 9;
        QTest::newRow("quota equals total") << 5 << 5 << 2 << 2;
        QTest::newRow("shorter than quota") << 7 << 3 << 1 << 0;
    }
    void chapterChancesAreADistribution() {
        QFETCH(int, quota);
        QFETCH(int, total);
        QFETCH(int, seen);
        QFETCH(int, right);
        const ChapterStanding c{QStringLiteral("1"), quota, total, seen, right};
        const std::vector<double> chances = ChapterScoreChances(c);
        QCOMPARE(int(chances.size()), quota + 1);
        QVERIFY(std::abs(std::accumulate(chances.begin(), chances.end(), 0.0) - 1.0) < 1e-9);
        double mean = 0;
        for (size_t r = 0; r < chances.size(); ++r)
            mean += r * chances[r];
        QVERIFY(std::abs(mean - (quota - c.expectedLoss())) < 1e-9);
    }

    void edges() {
        // A chapter without questions earns nothing: no paper passes a full mark.
        const ChapterStanding empty{QStringLiteral("1"), 10, 0, 0, 0};
        QCOMPARE(ChapterScoreChances(empty).front(), 1.0);
        QCOMPARE(PassChance({}, 90), 0.0);
        QCOMPARE(PassChance({empty}, 0), 1.0);
        QCOMPARE(ReadinessVerdict(0.2), QStringLiteral("还需练习"));
        QCOMPARE(ReadinessVerdict(0.6), QStringLiteral("接近合格"));
        QCOMPARE(ReadinessVerdict(0.95), QStringLiteral("可以考试"));
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

QTEST_GUILESS_MAIN(ReadinessTest)
#include "test_readiness.moc"
