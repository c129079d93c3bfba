// The command lines of the program and of the bank tool: help, version, another bank, and
// the exit statuses (0 done, 1 refused, 2 wrong usage).
#include "TestProgram.h"
#include "startup/CommandLine.h"
#include "store/Module1.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write");
}

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs a program with a home of its own, so no real user's data is touched.
Run run(const QString& program, const QStringList& arguments, const QString& home) {
    QProcess process;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/.local/share");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString program() const { return dir.filePath("bin"); }
    QString user() const { return dir.filePath("home/kemu1"); }
    QString goodBank() const { return dir.filePath("school.dll"); }

  private slots:
    void initTestCase() {
        QDir().mkpath(program());
        QDir().mkpath(dir.filePath("share/kemu1/images/mark"));
        QCOMPARE(writeBank(BankFile(dir.filePath("share/kemu1")), {choice(1, "C", "1", "A")}),
                 QString());
        QCOMPARE(writeBank(goodBank(), {choice(7, "C", "1", "B")}), QString());
    }

    void helpListsTheOptionsAndExitStatuses() {
        for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            const StartPlan plan = planStart({option}, program(), user());
            QCOMPARE(plan.exitStatus, 0);
            QVERIFY(plan.err.isEmpty());
            for (const char* word : {"--bank FILE", "--help", "--version", "exit status"})
                QVERIFY2(plan.out.contains(QLatin1String(word)), word);
        }
        // Help wins over whatever else is on the line, and nothing is prepared.
        QCOMPARE(planStart({"--bank", "/nowhere", "--help"}, program(), user()).exitStatus, 0);
        QCOMPARE(planStart({"--help", "--bank", "/nowhere"}, program(), user()).exitStatus, 0);
        QVERIFY(!QFileInfo::exists(user()));
    }

    void versionIsTheProjects() {
        const StartPlan plan = planStart({"--version"}, program(), user());
        QCOMPARE(plan.exitStatus, 0);
        QCOMPARE(plan.out, QStringLiteral("kemu1 " KEMU1_VERSION "\n"));
        QVERIFY(!QFileInfo::exists(user()));
    }

    void wrongUsageIsStatusTwo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown long") << QStringList{"--frobnicate"} << "--frobnicate";
        QTest::newRow("unknown short") << QStringList{"-x"} << "-x";
        QTest::newRow("stray argument") << QStringList{"question.dll"} << "question.dll";
        QTest::newRow("bank without file") << QStringList{"--bank"} << "--bank";
        QTest::newRow("bank empty") << QStringList{"--bank="} << "--bank";
        QTest::newRow("bank twice") << QStringList{"--bank", "a", "--bank", "b"} << "--bank";
    }

    void wrongUsageIsStatusTwo() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        const StartPlan plan = planStart(arguments, program(), user());
        QCOMPARE(plan.exitStatus, 2);
        QVERIFY(plan.out.isEmpty());
        QVERIFY2(plan.err.contains(named), qPrintable(plan.err));
        QVERIFY(plan.err.contains("usage"));
        QVERIFY(!QFileInfo::exists(user()));
    }

    void anotherBankIsPractisedInPlace() {
        for (const QStringList& arguments :
             {QStringList{"--bank", goodBank()}, QStringList{"--bank=" + goodBank()}}) {
            const StartPlan plan = planStart(arguments, program(), user());
            QCOMPARE(plan.exitStatus, -1);
            QVERIFY(plan.err.isEmpty());
            QCOMPARE(plan.place.bankFile, goodBank());
            // Pictures and skins still come from the program's data.
            QCOMPARE(plan.place.programFolder, QDir::cleanPath(dir.filePath("share/kemu1")));
        }
        QVERIFY(!QFileInfo::exists(user()));
    }

    void aRelativeBankPathIsMadeAbsolute() {
        const QString here = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const StartPlan plan = planStart({"--bank", "school.dll"}, program(), user());
        QDir::setCurrent(here);
        QCOMPARE(plan.exitStatus, -1);
        QCOMPARE(plan.place.bankFile, goodBank());
    }

    void aBadBankIsRefusedAndNeverCreated_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // "(missing)": no such file; "(folder)"
        QTest::newRow("missing") << "nothing-here.dll" << QByteArray("(missing)");
        QTest::newRow("folder") << "a-folder" << QByteArray("(folder)");
        QTest::newRow("text") << "notes.txt" << QByteArray("this is not a question bank\n");
        QTest::newRow("empty") << "empty.dll" << QByteArray();
    }

    void aBadBankIsRefusedAndNeverCreated() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString file = dir.filePath(name);
        if (bytes == "(folder)")
            QDir().mkpath(file);
        else if (bytes != "(missing)")
            writeFile(file, bytes);
        const StartPlan plan = planStart({"--bank", file}, program(), user());
        QCOMPARE(plan.exitStatus, 1);
        QVERIFY(plan.out.isEmpty());
        QVERIFY2(plan.err.contains(file), qPrintable(plan.err));
        if (bytes != "(folder)") QCOMPARE(contents(file), bytes);
        QVERIFY(!QFileInfo::exists(user()));
    }

    void withoutOptionsTheUsersBankIsPrepared() {
        const StartPlan plan = planStart({}, program(), user());
        QCOMPARE(plan.exitStatus, -1);
        QCOMPARE(plan.place.bankFile, user() + "/question.dll");
        QVERIFY(QFileInfo::exists(plan.place.bankFile));
        // Qt's own options pass through to the application object.
        QCOMPARE(planStart({"-platform", "offscreen"}, program(), user()).exitStatus, -1);
    }

    void theProgramAnswersOnTheTerminal() {
        const QString kemu1 = QStringLiteral(KEMU1_PROGRAM);
        QTemporaryDir home;
        Run r = run(kemu1, {"--version"}, home.path());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("kemu1 " KEMU1_VERSION "\n"));
        r = run(kemu1, {"--help"}, home.path());
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("--bank FILE"));
        r = run(kemu1, {"--what"}, home.path());
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains("--what"));
        const QString missing = home.filePath("missing.dll");
        r = run(kemu1, {"--bank", missing}, home.path());
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(missing));
        QVERIFY(!QFileInfo::exists(missing));
        const QString text = home.filePath("text.dll");
        writeFile(text, "hello");
        r = run(kemu1, {"--bank", text}, home.path());
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(text));
        QCOMPARE(contents(text), QByteArray("hello"));
        // The refusal is the whole message: no warning of Qt's about connections left open.
        QCOMPARE(r.err.count('\n'), 2);
        // Nothing of the learner's was made for any of this.
        QVERIFY(!QFileInfo::exists(home.filePath(".local/share/kemu1")));
    }

    void theBankToolHasHelpOnEveryCommand() {
        const QString tool = qEnvironmentVariable("BANK_TOOL");
        QVERIFY2(QFileInfo(tool).isExecutable(), "BANK_TOOL is not set");
        QTemporaryDir home;
        Run r = run(tool, {"--help"}, home.path());
        QCOMPARE(r.status, 0);
        for (const char* command : {"build", "check", "import", "export", "backup", "restore"})
            QVERIFY2(r.out.contains(QLatin1String(command)), command);
        QVERIFY(r.out.contains("2 wrong usage"));
        for (const char* command : {"build", "check", "import", "export", "backup", "restore"}) {
            r = run(tool, {QLatin1String(command), "--help"}, home.path());
            QCOMPARE(r.status, 0);
            QVERIFY2(r.out.contains(QLatin1String(command)), command);
            QVERIFY2(r.err.isEmpty(), command);
        }
        // Help asked with other arguments still changes nothing.
        r = run(tool, {"build", "data", goodBank(), "--help"}, home.path());
        QCOMPARE(r.status, 0);
        QVERIFY(!QFileInfo::exists(home.filePath("data")));
        for (const QStringList& wrong :
             {QStringList{}, QStringList{"frobnicate"}, QStringList{"build", "one"},
              QStringList{"import", goodBank(), "x.csv", "--pictures"}}) {
            r = run(tool, wrong, home.path());
            QCOMPARE(r.status, 2);
            QVERIFY(r.out.isEmpty());
            QVERIFY(r.err.contains("usage"));
        }
        r = run(tool, {"check", home.filePath("missing.dll")}, home.path());
        QCOMPARE(r.status, 1);
    }
};

QTEST_MAIN(CommandLineTest)
#include "test_commandline.moc"
