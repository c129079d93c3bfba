// Start-up to the first painted window, and resident memory then: the trainer against a
// minimal Qt window that opens the same SQLite file. Each run is a fresh process.
#include "BenchBank.h"
#include "platform/QtPlatform.h"
#include "practice/frmMain.h"
#include "store/Module1.h"
#include "ui/AppContext.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// Ends the process right after the window's first paint, telling its resident size.
struct FirstPaint : QObject {
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool result = QObject::eventFilter(watched, event);
        if (event->type() == QEvent::Paint) {
            std::printf("%ld\n", residentKb());
            std::fflush(stdout);
            std::_Exit(0);
        }
        return result;
    }
};

int child(const QString& mode, const QString& folder, int argc, char** argv) {
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    if (mode == QLatin1String("main")) {
        QFont font;
        font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC")});
        font.setPointSize(10);
        app.setFont(font);
        QtPlatform platform;
        AppContext session(platform, folder);
        frmMain window(session);
        window.installEventFilter(&firstPaint);
        window.show();
        return app.exec();
    }
    auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(BankFile(folder));
    db.open();
    QSqlQuery q(db);
    q.exec(QStringLiteral("select count(*) from Paper"));
    q.next();
    QLabel window(QStringLiteral("题目 %1").arg(q.value(0).toInt()));
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}

QString folder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kemu1-start-XXXXXX"));
    static const QString path = makeBenchFolder(dir.path(), 1500);
    return path;
}

QString self;

void run(benchmark::State& state, const char* mode) {
    const QString bank = folder();
    long rss = 0;
    for (auto _ : state) {
        QProcess process;
        process.start(self, {QStringLiteral("--child"), QString::fromLatin1(mode), bank});
        process.waitForFinished(30000);
        rss = process.readAllStandardOutput().trimmed().toLong();
    }
    state.counters["rss_kb"] = static_cast<double>(rss);
}

void BM_StartupMinimalWindow(benchmark::State& state) {
    run(state, "minimal");
}
void BM_StartupTrainer(benchmark::State& state) {
    run(state, "main");
}

} // namespace

BENCHMARK(BM_StartupMinimalWindow)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartupTrainer)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    // For callgrind: `--make-folder ROOT` prints a bank folder a `--child` start can be given.
    if (argc == 3 && QByteArray(argv[1]) == "--make-folder") {
        QCoreApplication app(argc, argv);
        std::printf("%s\n", qPrintable(makeBenchFolder(QString::fromLocal8Bit(argv[2]), 1500)));
        return 0;
    }
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return child(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), argc, argv);
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QCoreApplication app(argc, argv);
    self = QCoreApplication::applicationFilePath();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
