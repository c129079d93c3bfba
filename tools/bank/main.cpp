// The bank tool: builds the program's question bank from data/ and checks a bank.
#include "BankFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

void print(FILE* to, const QString& line) { std::fprintf(to, "%s\n", line.toUtf8().constData()); }

int usage() {
    print(stderr, QStringLiteral(
        "usage:\n"
        "  bank build DATA_DIR BANK_FILE   build or refresh the bank from DATA_DIR/questions\n"
        "  bank check BANK_FILE            list every problem of a bank (pictures beside it)"));
    return 2;
}

int build(const QString& dataDir, const QString& bankFile) {
    QList<SourceProblem> problems;
    const QList<Question> questions = readSource(QDir(dataDir).filePath(QStringLiteral("questions")), problems);
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

int check(const QString& bankFile) {
    const QStringList problems = checkBank(bankFile, QFileInfo(bankFile).absolutePath());
    for (const QString& p : problems) print(stderr, p);
    if (problems.isEmpty()) print(stdout, QStringLiteral("%1: no problems").arg(bankFile));
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("build")) return build(args[1], args[2]);
    if (args.size() == 2 && args[0] == QLatin1String("check")) return check(args[1]);
    return usage();
}
