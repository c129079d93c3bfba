// Timings of the practice window's hot paths, each against what it cannot beat.
#include "BenchBank.h"
#include "core/Practice.h"
#include "exam/ExamStart.h"
#include "practice/AnswerCardView.h"
#include "practice/frmMain.h"
#include "store/Module1.h"
#include "store/Session.h"
#include "store/Statements.h"

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
    std::unique_ptr<Session> session;
    std::unique_ptr<frmMain> main;
    explicit Program(int count) {
        session = std::make_unique<Session>(platform, makeBenchFolder(root(), count));
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
    LoadPracticeSet(*p.session, Sql::classCount(QStringLiteral("C")),
                    Sql::classIds(QStringLiteral("C")), false);
    control<AnswerCardView>(p, "MSHFlexGrid1")->card()->load(p.session->set.ids(), QStringLiteral("1"));
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
        if (p.session->set.position() >= 1498) {
            state.PauseTiming();
            control<QPushButton>(p, "BtnSequence")->click();
            state.ResumeTiming();
        }
        next->click();
        QApplication::processEvents();
    }
}

void BM_JudgeAnswerWithAutoAdvance(benchmark::State& state) {
    Program& p = program(1500);
    control<QPushButton>(p, "BtnSequence")->click();
    for (auto _ : state) {
        state.PauseTiming();
        if (p.session->set.position() >= 1400) control<QPushButton>(p, "BtnSequence")->click();
        const QString right = control<QLabel>(p, "LblAn")->text();
        const QString name = right == QStringLiteral("对")   ? QStringLiteral("BtnRight")
                             : right == QStringLiteral("错") ? QStringLiteral("BtnWrong")
                                                            : QStringLiteral("Btn") + right;
        auto* button = control<QPushButton>(p, qPrintable(name));
        state.ResumeTiming();
        // The right answer moves on by itself (auto-advance is on in a fresh bank).
        button->click();
        QApplication::processEvents();
    }
}

void BM_ComposePaper(benchmark::State& state) {
    Program& p = program(1500);
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawExam(*p.session, nullptr));
}

} // namespace

BENCHMARK(BM_ReadClassIds)->Arg(1500)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillWholeClass)->Arg(1500)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetQuestion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JudgeAnswerWithAutoAdvance)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposePaper)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    programs.clear();
    return 0;
}
