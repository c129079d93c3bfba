// The rules of practice and exams, without a window: judging, scoring, moving through a
// set and composing a paper.
#include "domain/Domain.h"
#include "domain/Judge.h"
#include "domain/Paper.h"
#include "domain/QuestionSet.h"

#include <QSet>
#include <QTest>

namespace {

QStringList idsFrom(int first, int count) {
    QStringList ids;
    for (int i = 0; i < count; ++i)
        ids.append(QString::number(first + i));
    return ids;
}

} // namespace

class CoreTest : public QObject {
    Q_OBJECT

  private slots:
    void judging_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("isRight");
        QTest::addColumn<int>("code");
        const QStringList letters = {"A", "B", "C", "D"};
        for (int r = 1; r <= 4; ++r)
            for (int g = 1; g <= 4; ++g)
                QTest::addRow("choice %d given %s", r, qPrintable(letters[g - 1]))
                    << "1" << QString::number(r) << letters[g - 1] << (r == g) << g;
        for (int r = 1; r <= 2; ++r)
            for (const char* given : {"对", "错"})
                QTest::addRow("true/false %d given %s", r, given)
                    << "2" << QString::number(r) << QString::fromUtf8(given)
                    << ((r == 1) == (QString::fromUtf8(given) == "对"))
                    << (QString::fromUtf8(given) == "对" ? 1 : 2);
        QTest::newRow("a letter for a true/false question") << "2"
                                                            << "1"
                                                            << "A" << false << 0;
        QTest::newRow("对 for a choice question") << "1"
                                                  << "1"
                                                  << "对" << false << 0;
        QTest::newRow("unknown kind") << "3"
                                      << "1"
                                      << "A" << false << 0;
        QTest::newRow("key out of range") << "1"
                                          << "5"
                                          << "A" << false << 1;
    }
    void judging() {
        QFETCH(QString, type);
        QFETCH(QString, right);
        QFETCH(QString, given);
        QFETCH(bool, isRight);
        QFETCH(int, code);
        QCOMPARE(IsRight(KindOf(type), right, given), isRight);
        QCOMPARE(AnswerCode(KindOf(type), given), code);
    }

    void rateCaptionRoundsHalfToEven_data() {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("answered");
        QTest::addColumn<QString>("caption");
        QTest::newRow("none") << 0 << 0 << "0.00%";
        QTest::newRow("1/8 = 12.5") << 1 << 8 << "12.00%";
        QTest::newRow("3/8 = 37.5") << 3 << 8 << "38.00%";
        QTest::newRow("2/3") << 2 << 3 << "67.00%";
        QTest::newRow("all") << 7 << 7 << "100.00%";
    }
    void rateCaptionRoundsHalfToEven() {
        QFETCH(int, right);
        QFETCH(int, answered);
        QFETCH(QString, caption);
        QCOMPARE(RateCaption(right, answered), caption);
    }

    // In practice a position counts as right once; in an exam its last answer decides.
    void scoring_data() {
        QTest::addColumn<bool>("exam");
        QTest::addColumn<QList<bool>>("answers"); // all at position 0
        QTest::addColumn<int>("right");
        QTest::newRow("practice right") << false << QList<bool>{true} << 1;
        QTest::newRow("practice right twice") << false << QList<bool>{true, true} << 1;
        QTest::newRow("practice right then wrong") << false << QList<bool>{true, false} << 1;
        QTest::newRow("practice wrong then right") << false << QList<bool>{false, true} << 1;
        QTest::newRow("exam right") << true << QList<bool>{true} << 1;
        QTest::newRow("exam right then wrong") << true << QList<bool>{true, false} << 0;
        QTest::newRow("exam wrong then right") << true << QList<bool>{false, true} << 1;
        QTest::newRow("exam right, wrong, right") << true << QList<bool>{true, false, true} << 1;
    }
    void scoring() {
        QFETCH(bool, exam);
        QFETCH(QList<bool>, answers);
        QFETCH(int, right);
        QuestionSet set;
        set.load(idsFrom(1, 3), exam ? QuestionSet::Mode::Exam : QuestionSet::Mode::Random);
        for (bool r : answers)
            QVERIFY(set.answer(1, r));
        QCOMPARE(set.rightCount(), right);
        QCOMPARE(set.answeredCount(), 1);
        QCOMPARE(set.unansweredCount(), 2);
        QCOMPARE(set.current().right, answers.last());
    }

    void movesStopAtBothEnds() {
        QuestionSet set;
        set.load(idsFrom(10, 3), QuestionSet::Mode::Random);
        QCOMPARE(set.position(), 0);
        QCOMPARE(set.previous(), -1);
        QVERIFY(!set.back());
        QCOMPARE(set.position(), 0);
        QVERIFY(set.acceptsAnswers()); // a move that went nowhere drops no answer
        QVERIFY(set.next());
        QVERIFY(set.acceptsAnswers());
        QCOMPARE(set.previous(), 0);
        QVERIFY(set.next());
        QCOMPARE(set.currentId(), "12");
        QVERIFY(!set.next());
        QCOMPARE(set.position(), 2);
        QCOMPARE(set.previous(), 2);
        QVERIFY(set.answer(1, true)); // the last question, still on screen
        QCOMPARE(set.answeredCount(), 1);
        QVERIFY(set.goTo(0));
        QVERIFY(set.answer(1, true));
        QCOMPARE(set.answeredCount(), 2);
    }

    void jumpingToTheCurrentPositionChangesNothing() {
        QuestionSet set;
        set.load(idsFrom(10, 3), QuestionSet::Mode::Random);
        QVERIFY(set.next());
        QVERIFY(!set.goTo(1));
        QCOMPARE(set.previous(), 0);
        QVERIFY(set.acceptsAnswers());
        QVERIFY(!set.goTo(3));
        QVERIFY(!set.goTo(-1));
        QCOMPARE(set.position(), 1);
        QVERIFY(set.acceptsAnswers());
    }

    void resumePointInsideAndOutsideTheSet() {
        QuestionSet set;
        set.load(idsFrom(100, 5), QuestionSet::Mode::Random);
        QCOMPARE(set.positionOf("103"), 3);
        QCOMPARE(set.positionOf("99"), -1);
        QCOMPARE(set.positionOf("1"), -1);
        QVERIFY(set.goTo(set.positionOf("104")));
        QCOMPARE(set.currentId(), "104");
    }

    void restartClearsAnswersAndKeepsTheIds() {
        QuestionSet set;
        set.load(idsFrom(1, 4), QuestionSet::Mode::Exam);
        QVERIFY(set.answer(2, true));
        QVERIFY(set.next());
        QVERIFY(set.answer(1, false));
        set.restart();
        QCOMPARE(set.ids(), idsFrom(1, 4));
        QCOMPARE(set.position(), 0);
        QCOMPARE(set.answeredCount(), 0);
        QCOMPARE(set.rightCount(), 0);
        QVERIFY(!set.state(0).answered);
        QCOMPARE(set.state(0).answer, 0);
        QVERIFY(set.isExam());
    }

    void papersFollowTheWholeQuotaTable_data() {
        QTest::addColumn<QString>("code");
        for (const VehicleClass& c : VehicleClasses())
            QTest::newRow(qPrintable(c.code)) << c.code;
    }
    void papersFollowTheWholeQuotaTable() {
        QFETCH(QString, code);
        const ChapterQuotas quotas = QuotasOf(code);
        int total = 0;
        std::vector<QStringList> chapters;
        for (const auto& [chapter, quota] : quotas) {
            total += quota;
            chapters.push_back(idsFrom(chapter.toInt() * 1000, quota * 3));
        }
        QCOMPARE(total, PaperSize);
        for (unsigned seed : {1u, 2u, 3u}) {
            std::mt19937 random(seed);
            const QStringList paper = ComposePaper(quotas, chapters, random);
            QCOMPARE(paper.size(), PaperSize);
            QCOMPARE(QSet<QString>(paper.cbegin(), paper.cend()).size(), PaperSize);
            int at = 0;
            for (const auto& [chapter, quota] : quotas)
                for (int i = 0; i < quota; ++i, ++at)
                    QCOMPARE(paper[at].toInt() / 1000, chapter.toInt());
        }
        // The same seed draws the same paper.
        std::mt19937 a(7), b(7);
        QCOMPARE(ComposePaper(quotas, chapters, a), ComposePaper(quotas, chapters, b));
    }

    void aShortChapterGivesAllItHasBeforeRepeating() {
        const ChapterQuotas quotas = {{"1", 7}};
        std::mt19937 random(3);
        const QStringList paper = ComposePaper(quotas, {idsFrom(1, 3)}, random);
        QCOMPARE(paper.size(), 7);
        QCOMPARE(QSet<QString>(paper.cbegin(), paper.cbegin() + 3).size(), 3);
        QCOMPARE(QSet<QString>(paper.cbegin() + 3, paper.cbegin() + 6).size(), 3);
        QVERIFY(ComposePaper({{"1", 5}, {"2", 5}}, {idsFrom(1, 9), {}}, random).isEmpty());
    }

};

QTEST_GUILESS_MAIN(CoreTest)
#include "test_core.moc"
