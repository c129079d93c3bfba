// The bank tool: builds the program's question bank from data/ and checks a bank; brings
// questions in and out as spreadsheet files; saves and restores the learner's own data.
#include "BankFile.h"
#include "Exchange.h"
#include "School.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace {

void print(FILE* to, const QString& line) {
#ifdef Q_OS_WIN
    // A Windows console shows its own code page (GB18030 on a Chinese system), not UTF-8: it
    // takes the text as UTF-16. Redirected to a file or a pipe, the text stays UTF-8.
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(to)));
    if (DWORD mode = 0; handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(to);
        const QString text = line + QLatin1Char('\n');
        DWORD written = 0;
        WriteConsoleW(handle, reinterpret_cast<const wchar_t*>(text.utf16()), DWORD(text.size()),
                      &written, nullptr);
        return;
    }
#endif
    std::fprintf(to, "%s\n", line.toUtf8().constData());
    std::fflush(to);
}

// The name the tool was started by: `bank` in a build or portable copy, `kemu1-bank` installed.
QString toolName = QStringLiteral("bank");

struct Command {
    const char* name;
    const char* arguments;
    const char* what;
};

const Command Commands[] = {
    {"build", "DATA_DIR BANK_FILE", "build or refresh the bank from data"},
    {"check", "[--shipped] [--strict] [--report] BANK_FILE",
     "list every problem of a bank; with --shipped the quality rules of the shipped bank are "
     "problems too, and so are the answer-by-pattern rules it already meets (the others are "
     "warnings); --strict makes every answer-by-pattern rule a problem; --report prints the "
     "cue-word, option and guesser tables and every question at fault"},
    {"import", "BANK_FILE FILE.csv [--pictures DIR]",
     "add and update questions from a spreadsheet file (UTF-8 or GB18030, comma or tab "
     "separated); the pictures its rows name come from DIR"},
    {"export", "BANK_FILE FILE.csv", "every question as a spreadsheet file"},
    {"history", "BANK_FILE FILE.csv", "the learner's answer history as a spreadsheet file"},
    {"backup", "BANK_FILE BACKUP",
     "save the learner's wrong-question marks, settings, exam records, answer history, review "
     "schedule and favourites"},
    {"restore", "BANK_FILE BACKUP", "put them back from a backup"},
    {"school", "ACTION OPTIONS",
     "set up a driving school's PostgreSQL database (init: tables, roles, row-level policies) "
     "and its people (add-learner prints the learner's join details and join code; "
     "add-instructor; remove-learner deletes the learner's rows and role):"},
};

// One command's line and what it does, wrapped for a terminal.
QString plainHelp(const Command& c) {
    QStringList lines{
        QStringLiteral("  %1 %2 %3")
            .arg(toolName, QString::fromLatin1(c.name), QString::fromLatin1(c.arguments))};
    QString line = QStringLiteral("     ");
    for (const QString& word : QString::fromLatin1(c.what).split(QLatin1Char(' '))) {
        if (line.size() + 1 + word.size() > 78) {
            lines << line;
            line = QStringLiteral("     ");
        }
        line += QLatin1Char(' ') + word;
    }
    lines << line;
    return lines.join(QLatin1Char('\n'));
}

QString commandHelp(const Command& c) {
    if (qstrcmp(c.name, "school") == 0)
        return plainHelp(c) + QLatin1Char('\n') + schoolUsage(toolName);
    return plainHelp(c);
}

QString help() {
    QStringList lines{QStringLiteral("usage:")};
    for (const Command& c : Commands)
        lines << commandHelp(c);
    lines << QString() << QStringLiteral("  %1 COMMAND --help   help on one command").arg(toolName)
          << QString()
          << QStringLiteral("exit status: 0 done, 1 refused or failed (the bank as it was), "
                            "2 wrong usage, 3 the bank is locked by another program");
    return lines.join(QLatin1Char('\n'));
}

// Wrong usage: what is wrong and how to ask, on stderr, exit status 2.
int usage(const QString& command = {}) {
    for (const Command& c : Commands)
        if (command == QLatin1String(c.name)) {
            print(stderr, QStringLiteral("usage:\n") + commandHelp(c));
            return 2;
        }
    print(stderr, help());
    return 2;
}

int build(const QString& dataDir, const QString& bankFile) {
    QList<SourceProblem> problems;
    const SourceData data = readData(dataDir, problems);
    const QList<Question>& questions = data.questions;
    for (const auto& p : problems)
        print(stderr, QStringLiteral("%1:%2: %3").arg(p.file).arg(p.line).arg(p.message));
    if (!problems.isEmpty()) return 1;
    QDir().mkpath(QFileInfo(bankFile).absolutePath());
    if (const QString error = writeBank(bankFile, questions, shippedSettings(), data.rules);
        !error.isEmpty()) {
        print(stderr, QStringLiteral("%1: %2").arg(bankFile, error));
        return 1;
    }
    print(stdout, QStringLiteral("%1: %2 questions").arg(bankFile).arg(questions.size()));
    return 0;
}

// The shipped bank must also meet the quality rules; for any other bank they are advice.
int check(const QString& bankFile, bool shipped, bool strict, bool report) {
    QStringList quality;
    QList<PatternQuestion> surface;
    QStringList problems =
        checkBank(bankFile, QFileInfo(bankFile).absolutePath(), &quality, &surface);
    if (shipped)
        problems += quality;
    else
        for (const QString& q : std::as_const(quality))
            print(stderr, QStringLiteral("warning: ") + q);
    const PatternReport patterns = measurePatterns(surface);
    for (const PatternFinding& f : patternFindings(patterns)) {
        QString line =
            QStringLiteral("%1: %2 [%3]").arg(QFileInfo(bankFile).fileName(), f.text, f.rule);
        if (!f.ids.isEmpty())
            line += QStringLiteral(" (%1%2)").arg(f.ids.mid(0, 20).join(QStringLiteral(", ")),
                                                  f.ids.size() > 20 ? QStringLiteral(", …")
                                                                    : QString());
        if (shipped && (strict || patternRuleEnforced(f.rule)))
            problems += line;
        else
            print(stderr, QStringLiteral("warning: ") + line);
    }
    if (report)
        for (const QString& line : patternTables(patterns, guessWithoutKnowledge(surface)))
            print(stdout, line);
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
        return outcome.locked ? 3 : 1;
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
    toolName = QFileInfo(app.arguments().value(0)).fileName();
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usage();
    if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") ||
                             args[0] == QLatin1String("help"))) {
        print(stdout, help());
        return 0;
    }
    const QString command = args[0];
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        for (const Command& c : Commands)
            if (command == QLatin1String(c.name)) {
                print(stdout, QStringLiteral("usage:\n") + commandHelp(c));
                return 0;
            }
        print(stderr, QStringLiteral("%1: unknown command: %2").arg(toolName, command));
        return usage();
    }
    QString pictures;
    if (command == QLatin1String("import")) {
        const qsizetype option = args.indexOf(QLatin1String("--pictures"));
        if (option >= 0) {
            if (option + 1 >= args.size()) return usage(command);
            pictures = args[option + 1];
            args.remove(option, 2);
        }
    }
    if (command == QLatin1String("school")) {
        const int status = schoolCommand(
            args.mid(1), [](const QString& line) { print(stdout, line); }, say);
        return status == 2 ? usage(command) : status;
    }
    if (args.size() == 3 && command == QLatin1String("build")) return build(args[1], args[2]);
    if (command == QLatin1String("check")) {
        const QStringList flags = args.mid(1, args.size() - 2);
        for (const QString& flag : flags)
            if (flag != QLatin1String("--shipped") && flag != QLatin1String("--strict") &&
                flag != QLatin1String("--report"))
                return usage(command);
        if (args.size() < 2 || args.last().startsWith(QLatin1String("--"))) return usage(command);
        return check(args.last(), flags.contains(QLatin1String("--shipped")),
                     flags.contains(QLatin1String("--strict")),
                     flags.contains(QLatin1String("--report")));
    }
    if (args.size() == 3 && command == QLatin1String("import"))
        return report(importCsv(args[1], args[2], pictures, say), args[1], true);
    if (args.size() == 3 && command == QLatin1String("export"))
        return report(exportCsv(args[1], args[2]), args[1], false);
    if (args.size() == 3 && command == QLatin1String("history"))
        return report(exportHistory(args[1], args[2]), args[1], false);
    if (args.size() == 3 && command == QLatin1String("backup"))
        return report(backupLearner(args[1], args[2]), args[1], false);
    if (args.size() == 3 && command == QLatin1String("restore"))
        return report(restoreLearner(args[1], args[2], say), args[1], true);
    for (const Command& c : Commands)
        if (command == QLatin1String(c.name)) return usage(command);
    print(stderr, QStringLiteral("%1: unknown command: %2").arg(toolName, command));
    return usage();
}
