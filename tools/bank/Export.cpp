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
    if (const QString error = connection.begin(); !error.isEmpty()) {
        outcome.locked = connection.locked();
        return bankProblem(error);
    }
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

    int count = 0;
    if (const QString error = writeCsvFile(csvFile, columns, q, &count); !error.isEmpty()) {
        outcome.problems.append(error);
        return outcome;
    }
    outcome.summary = QStringLiteral("%1: %2 questions").arg(csvFile).arg(count);
    return outcome;
}
