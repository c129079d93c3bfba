// bank export: every question as a spreadsheet file that `bank import` reads back unchanged.
#include "Csv.h"
#include "Exchange.h"
#include "Safety.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QStringList& standardColumns() {
    static const QStringList columns = {"ID",   "Type",    "Question",   "An1",      "An2",
                                        "An3",  "An4",     "AnswerTrue", "ImageUrl", "LicenseType",
                                        "chap", "strType", "Explain"};
    return columns;
}

} // namespace

Outcome exportCsv(const QString& bankFile, const QString& csvFile) {
    Outcome outcome;
    const QString bankName = QFileInfo(bankFile).fileName();
    auto bankProblem = [&](const QString& what) {
        outcome.problems.append(QStringLiteral("%1: %2").arg(bankName, what));
        return outcome;
    };
    if (const QString error = outputProblem(csvFile, bankFile); !error.isEmpty()) {
        outcome.problems.append(QStringLiteral("%1: %2").arg(csvFile, error));
        return outcome;
    }
    BankConnection connection(bankFile, BankConnection::Reading);
    if (const QString error = connection.begin(); !error.isEmpty()) return bankProblem(error);
    QSqlDatabase db = connection.db();
    RollbackGuard guard{db};

    const QStringList paper = tableColumns(db, QStringLiteral("Paper"));
    if (paper.isEmpty())
        return bankProblem(QStringLiteral("not a question bank (it has no Paper table)"));
    QStringList columns;
    for (const QString& name : standardColumns()) {
        const auto found = std::find_if(paper.cbegin(), paper.cend(), [&](const QString& column) {
            return column.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (found == paper.cend())
            return bankProblem(
                QStringLiteral("not a question bank (its Paper table has no column %1)").arg(name));
        columns.append(*found);
    }
    // A bank's own extra columns go along, so that they come back too.
    for (const QString& column : paper)
        if (!columns.contains(column, Qt::CaseInsensitive) &&
            column.compare(QLatin1String("ErrPaper"), Qt::CaseInsensitive) != 0)
            columns.append(column);

    QStringList selected;
    for (const QString& column : std::as_const(columns))
        selected.append(quoted(column));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("select %1 from Paper order by %2")
                    .arg(selected.join(QLatin1Char(',')), selected.first())))
        return bankProblem(q.lastError().text());

    QSaveFile out(csvFile);
    if (!out.open(QIODevice::WriteOnly)) {
        outcome.problems.append(
            QStringLiteral("%1: cannot write the file: %2").arg(csvFile, out.errorString()));
        return outcome;
    }
    // Excel takes a file without the mark for the local code page.
    QByteArray line("\xEF\xBB\xBF");
    for (int i = 0; i < columns.size(); ++i)
        line += (i ? "," : "") + csvCell(columns[i]);
    // Every write is checked, and the last flush too (QSaveFile overlooks a failure there):
    // on a full disk no partial file is left.
    bool written = out.write(line + "\r\n") == line.size() + 2;
    int count = 0;
    while (q.next()) {
        line.clear();
        for (int i = 0; i < columns.size(); ++i)
            line += (i ? "," : "") + csvCell(q.value(i).isNull()
                                                 ? q.value(i)
                                                 : QVariant(defused(q.value(i).toString())));
        written = written && out.write(line + "\r\n") == line.size() + 2;
        ++count;
    }
    if (q.lastError().isValid()) return bankProblem(q.lastError().text());
    if (!written || !out.flush() || !out.commit()) {
        out.cancelWriting();
        outcome.problems.append(
            QStringLiteral("%1: cannot write the file: %2").arg(csvFile, out.errorString()));
        return outcome;
    }
    outcome.summary = QStringLiteral("%1: %2 questions").arg(csvFile).arg(count);
    return outcome;
}
