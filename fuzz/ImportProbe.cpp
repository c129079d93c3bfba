#include "ImportProbe.h"

#include "BankFile.h"
#include "Exchange.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& file, const QByteArray& data) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

// A bank small enough to copy for every input, made once per work folder.
QByteArray templateBank(const QString& workDir) {
    static QByteArray bytes;
    if (!bytes.isEmpty()) return bytes;
    const QString file = workDir + QStringLiteral("/template.dll");
    QFile::remove(file);
    QList<Question> questions;
    for (int i = 1; i <= 6; ++i) {
        Question q;
        q.id = i;
        q.type = i % 2 ? QStringLiteral("1") : QStringLiteral("2");
        q.question = QStringLiteral("题目%1").arg(i);
        q.options = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                     QStringLiteral("丁")};
        q.answerTrue = QStringLiteral("1");
        q.licenseType = QStringLiteral("ABC");
        q.chap = QString::number(i);
        q.strType = QStringLiteral("章");
        questions.append(q);
    }
    writeBank(file, questions);
    bytes = readAll(file);
    return bytes;
}

} // namespace

QString probeImport(const QByteArray& csv, const QString& workDir) {
    const QByteArray before = templateBank(workDir);
    QDir(workDir).mkpath(QStringLiteral("bank"));
    const QString bank = workDir + QStringLiteral("/bank/question.dll");
    const QString input = workDir + QStringLiteral("/input.csv");
    if (!writeAll(bank, before) || !writeAll(input, csv))
        return QStringLiteral("cannot write the work files");
    const Outcome outcome = importCsv(bank, input);
    if (!outcome.ok()) {
        if (outcome.problems.first().isEmpty()) return QStringLiteral("a problem without words");
        return readAll(bank) == before ? QString()
                                       : QStringLiteral("a refused import changed the bank");
    }
    // Accepted: the bank must still be one the program can use. Chapter sizes are not the
    // point here (the small bank is short of them before any import).
    for (const QString& problem : checkBank(bank, workDir + QStringLiteral("/bank")))
        if (!problem.contains(QStringLiteral("three times its exam quota")))
            return QStringLiteral("an accepted import left a bad bank: ") + problem;
    return {};
}
