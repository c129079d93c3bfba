// The bank tool: builds the program's question bank from data/ and checks a bank; brings
// questions in and out as spreadsheet files; saves and restores the learner's own data.
#include "BankFile.h"
#include "Exchange.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

void print(FILE* to, const QString& line) {
    std::fprintf(to, "%s\n", line.toUtf8().constData());
    std::fflush(to);
}

int usage() {
    print(stderr, QStringLiteral(
                      "usage:\n"
                      "  bank build DATA_DIR BANK_FILE    build or refresh the bank from data\n"
                      "  bank check [--shipped] BANK_FILE list every problem of a bank; with\n"
                      "                                   --shipped the quality rules of the\n"
                      "                                   shipped bank are problems too\n"
                      "  bank import BANK_FILE FILE.csv [--pictures DIR]\n"
                      "                                   add and update questions from a\n"
                      "                                   spreadsheet file (UTF-8 or GB18030,\n"
                      "                                   comma or tab separated); the pictures\n"
                      "                                   its rows name come from DIR\n"
                      "  bank export BANK_FILE FILE.csv   every question as a spreadsheet file\n"
                      "  bank backup BANK_FILE BACKUP     save the learner's wrong-question\n"
                      "                                   marks, settings and exam records\n"
                      "  bank restore BANK_FILE BACKUP    put them back from a backup"));
    return 2;
}

int build(const QString& dataDir, const QString& bankFile) {
    QList<SourceProblem> problems;
    const QList<Question> questions =
        readSource(QDir(dataDir).filePath(QStringLiteral("questions")), problems);
    for (const auto& p : problems)
        print(stderr, QStringLiteral("%1:%2: %3").arg(p.file).arg(p.line).arg(p.message));
    if (!problems.isEmpty()) return 1;
    QDir().mkpath(QFileInfo(bankFile).absolutePath());
    if (const QString error = writeBank(bankFile, questions); !error.isEmpty()) {
        print(stderr, QStringLiteral("%1: %2").arg(bankFile, error));
        return 1;
    }
    print(stdout, QStringLiteral("%1: %2 questions").arg(bankFile).arg(questions.size()));
    return 0;
}

// The shipped bank must also meet the quality rules; for any other bank they are advice.
int check(const QString& bankFile, bool shipped) {
    QStringList quality;
    QStringList problems = checkBank(bankFile, QFileInfo(bankFile).absolutePath(), &quality);
    if (shipped)
        problems += quality;
    else
        for (const QString& q : std::as_const(quality))
            print(stderr, QStringLiteral("warning: ") + q);
    for (const QString& p : problems)
        print(stderr, p);
    if (problems.isEmpty()) print(stdout, QStringLiteral("%1: no problems").arg(bankFile));
    return problems.isEmpty() ? 0 : 1;
}

// `changes`: the command writes to the bank, so a failure says the bank is as it was.
int report(const Outcome& outcome, const QString& bankFile, bool changes) {
    for (const QString& line : outcome.warnings)
        print(stderr, QStringLiteral("warning: ") + line);
    for (const QString& line : outcome.problems)
        print(stderr, line);
    if (!outcome.ok()) {
        if (changes)
            print(stderr,
                  QStringLiteral("%1: nothing was changed").arg(QFileInfo(bankFile).fileName()));
        return 1;
    }
    print(stdout, outcome.summary);
    return 0;
}

void say(const QString& line) {
    print(stderr, line);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString pictures;
    if (!args.isEmpty() && args[0] == QLatin1String("import")) {
        const qsizetype option = args.indexOf(QLatin1String("--pictures"));
        if (option >= 0) {
            if (option + 1 >= args.size()) return usage();
            pictures = args[option + 1];
            args.remove(option, 2);
        }
    }
    if (args.size() == 3 && args[0] == QLatin1String("build")) return build(args[1], args[2]);
    if (args.size() == 2 && args[0] == QLatin1String("check")) return check(args[1], false);
    if (args.size() == 3 && args[0] == QLatin1String("check") &&
        args[1] == QLatin1String("--shipped"))
        return check(args[2], true);
    if (args.size() == 3 && args[0] == QLatin1String("import"))
        return report(importCsv(args[1], args[2], pictures, say), args[1], true);
    if (args.size() == 3 && args[0] == QLatin1String("export"))
        return report(exportCsv(args[1], args[2]), args[1], false);
    if (args.size() == 3 && args[0] == QLatin1String("backup"))
        return report(backupLearner(args[1], args[2]), args[1], false);
    if (args.size() == 3 && args[0] == QLatin1String("restore"))
        return report(restoreLearner(args[1], args[2], say), args[1], true);
    return usage();
}
