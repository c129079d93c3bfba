// bank history: the learner's answer history as a spreadsheet file.
#include "Csv.h"
#include "Exchange.h"
#include "Safety.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

Outcome exportHistory(const QString& bankFile, const QString& csvFile) {
    Outcome outcome;
    const QString bankName = QFileInfo(bankFile).fileName();
    if (const QString error = outputProblem(csvFile, bankFile); !error.isEmpty()) {
        outcome.problems.append(QStringLiteral("%1: %2").arg(csvFile, error));
        return outcome;
    }
    BankConnection connection(bankFile, BankConnection::Reading);
    if (const QString error = connection.begin(); !error.isEmpty()) {
        outcome.locked = connection.locked();
        outcome.problems.append(QStringLiteral("%1: %2").arg(bankName, error));
        return outcome;
    }
    QSqlDatabase db = connection.db();
    RollbackGuard guard{db};
    const QStringList columns = {"ID",     "QuestionID", "CarType", "Mode",
                                 "Answer", "Right",      "Seconds", "AnsweredAt"};
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // A bank from before the history has none to give.
    const bool present = !tableColumns(db, QStringLiteral("History")).isEmpty();
    if (!q.exec(present ? QStringLiteral("select %1 from History order by ID")
                              .arg(columns.join(QLatin1Char(',')))
                        : QStringLiteral("select 1 where 0"))) {
        outcome.problems.append(QStringLiteral("%1: %2").arg(bankName, q.lastError().text()));
        return outcome;
    }
    int count = 0;
    if (const QString error = writeCsvFile(csvFile, columns, q, &count); !error.isEmpty()) {
        outcome.problems.append(error);
        return outcome;
    }
    outcome.summary = QStringLiteral("%1: %2 answers").arg(csvFile).arg(count);
    return outcome;
}
