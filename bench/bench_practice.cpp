// Timings of the practice window's hot paths, each against what it cannot beat.
#include "BenchBank.h"
#include "exam/ExamStart.h"
#include "practice/AnswerCardView.h"
#include "practice/frmMain.h"
#include "progress/frmProgress.h"
#include "services/Practice.h"
#include "store/Module1.h"
#include "store/Progress.h"
#include "store/Statements.h"
#include "ui/AppContext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QString root() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kemu1-bench-XXXXXX"));
    return dir.path();
}

struct Program {
    QuietPlatform platform;
    std::unique_ptr<AppContext> session;
    std::unique_ptr<frmMain> main;
    explicit Program(int count) {
        session = std::make_unique<AppContext>(platform, makeBenchFolder(root(), count));
        main = std::make_unique<frmMain>(*session);
        main->show();
        QApplication::processEvents();
    }
};

// Built on first use; torn down before the application goes.
std::map<int, std::unique_ptr<Program>> programs;

Program& program(int count) {
    auto& p = programs[count];
    if (!p) p = std::make_unique<Program>(count);
    return *p;
}

void BM_ReadClassIds(benchmark::State& state) {
    const QString bank = BankFile(makeBenchFolder(root(), static_cast<int>(state.range(0))));
    const QString name = QStringLiteral("plain-%1").arg(state.range(0));
    auto db = QSqlDatabase::contains(name)
                  ? QSqlDatabase::database(name)
                  : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(bank);
    db.open();
    for (auto _ : state) {
        const Statement countSql = Sql::classCount(QStringLiteral("C"));
        QSqlQuery count(db);
        count.prepare(countSql.text);
        count.addBindValue(countSql.values.first());
        count.exec();
        count.next();
        QStringList ids;
        ids.reserve(count.value(0).toInt());
        QSqlQuery q(db);
        q.setForwardOnly(true);
        const Statement idSql = Sql::classIds(QStringLiteral("C"));
        q.prepare(idSql.text);
        q.addBindValue(idSql.values.first());
        q.exec();
        while (q.next())
            ids.append(q.value(0).toString());
        benchmark::DoNotOptimize(ids);
    }
}

template <class T> T* control(Program& p, const char* name) {
    return p.main->findChild<T*>(QString::fromLatin1(name));
}

// The core loads the ids, the card lays them out: what 顺序练习 does before the first question.
void loadWholeClass(Program& p) {
    LoadPracticeSet(p.session->practice, Sql::classCount(QStringLiteral("C")),
                    Sql::classIds(QStringLiteral("C")), QuestionSet::Mode::Sequential, false);
    control<AnswerCardView>(p, "MSHFlexGrid1")->card()->load(p.session->practice.set.ids(), false);
}

void BM_FillWholeClass(benchmark::State& state) {
    Program& p = program(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        loadWholeClass(p);
        QApplication::processEvents();
    }
}

// 下一题: the move, the question read and shown, the card's two cells.
void BM_GetQuestion(benchmark::State& state) {
    Program& p = program(1500);
    control<QPushButton>(p, "BtnSequence")->click();
    auto* next = control<QPushButton>(p, "BtnNextQuestion");
    for (auto _ : state) {
        if (p.session->practice.set.position() >= 1498) {
            state.PauseTiming();
            control<QPushButton>(p, "BtnSequence")->click();
            state.ResumeTiming();
        }
        next->click();
        QApplication::processEvents();
    }
}

// One answer judged with every write (the resume point, the mark, the history row in one
// transaction); auto-advance off, so showing the next question is not in the figure.
void BM_JudgeAnswer(benchmark::State& state) {
    Program& p = program(1500);
    auto* autoSkip = control<QAbstractButton>(p, "ChkAutoSkip");
    if (autoSkip->isChecked()) autoSkip->click();
    control<QPushButton>(p, "BtnSequence")->click();
    auto* next = control<QPushButton>(p, "BtnNextQuestion");
    bool wrong = false;
    for (auto _ : state) {
        state.PauseTiming();
        if (p.session->practice.set.position() >= 1400)
            control<QPushButton>(p, "BtnSequence")->click();
        next->click();
        // Alternate right and wrong answers, so both writes are measured.
        wrong = !wrong;
        QString text = control<QLabel>(p, "LblAn")->text();
        if (wrong)
            text = text == QStringLiteral("对")   ? QStringLiteral("错")
                   : text == QStringLiteral("错") ? QStringLiteral("对")
                   : text == QStringLiteral("A")  ? QStringLiteral("B")
                                                  : QStringLiteral("A");
        const QString name = text == QStringLiteral("对")   ? QStringLiteral("BtnRight")
                             : text == QStringLiteral("错") ? QStringLiteral("BtnWrong")
                                                            : QStringLiteral("Btn") + text;
        auto* button = control<QPushButton>(p, qPrintable(name));
        state.ResumeTiming();
        button->click();
    }
}

void BM_ComposePaper(benchmark::State& state) {
    Program& p = program(1500);
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawExam(*p.session, nullptr));
}

// A learner's bank after months of practice: 20,000 answers and 500 exam records.
Program& practisedProgram() {
    Program& p = program(2000);
    Bank& bank = p.session->Conn;
    if (GetQuestionSum(
            bank, Statement(QStringLiteral("select count(0) as QuestionSum from History"))) == 0)
        bank.transaction([&] {
            // Spread over the last sixty days, as a learner's practice is.
            for (int i = 0; i < 20000; ++i)
                bank.execute(Sql::insertHistory(
                    1 + (i * 7919) % 2000, QStringLiteral("C"), QStringLiteral("sequential"),
                    QStringLiteral("A"), (i * 31) % 10 < 8, 5, i % 7 == 0 ? 2 : 0,
                    QDateTime::currentDateTime().addSecs(-qint64(20000 - i) * 260)));
            // The last ones recent enough to move the estimate.
            for (int i = 0; i < 500; ++i) {
                ExamRecord record;
                record.score = 60 + i % 41;
                record.carType = QStringLiteral("C");
                record.earned = QDateTime::currentDateTime().addSecs(-3600 * qint64(500 - i));
                bank.execute(Sql::insertRecord(record));
            }
        });
    p.session->practice.CarTypeCode = QStringLiteral("C");
    return p;
}

// The page's figure alone: every answer read and the estimate with its range.
void BM_ProgressFigure(benchmark::State& state) {
    Program& p = practisedProgram();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadProgress(p.session->Conn, QStringLiteral("C")));
}

// 学习进度 opened and painted over the same bank.
void BM_ProgressPage(benchmark::State& state) {
    Program& p = practisedProgram();
    for (auto _ : state) {
        frmProgress page(*p.session, p.main.get());
        page.show();
        QApplication::processEvents();
    }
}

} // namespace

BENCHMARK(BM_ReadClassIds)->Arg(1500)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillWholeClass)->Arg(1500)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetQuestion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JudgeAnswer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposePaper)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgressFigure)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgressPage)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    programs.clear();
    return 0;
}
