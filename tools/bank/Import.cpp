// bank import: questions from a spreadsheet file into an existing bank, all or nothing.
#include "BankFile.h"
#include "Csv.h"
#include "Exchange.h"
#include "Safety.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <filesystem>
#include <system_error>

namespace {

// Columns a question cannot do without; any other column left out of the file keeps its
// old value (and is empty for a new question).
const QStringList& requiredColumns() {
    static const QStringList columns = {"ID",  "Type", "Question",   "An1",         "An2",
                                        "An3", "An4",  "AnswerTrue", "LicenseType", "chap"};
    return columns;
}

const QString ErrPaper = QStringLiteral("ErrPaper");

QString findColumn(const QStringList& columns, const QString& name) {
    for (const QString& column : columns)
        if (column.compare(name, Qt::CaseInsensitive) == 0) return column;
    return {};
}

bool sameContent(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    while (!fa.atEnd())
        if (fa.read(1 << 16) != fb.read(1 << 16)) return false;
    return true;
}

// Pictures brought in by one import. A new picture goes straight to its place (an extra
// file harms nothing if the import dies); one that replaces a picture the bank already has
// waits under a temporary name until the commit, so the old bank keeps its pictures.
class Pictures {
  public:
    explicit Pictures(const QDir& bankDir) : bankDir_(bankDir) {}
    ~Pictures() { undo(); }

    QString bring(const QString& from, const QString& name) {
        const QString target = bankDir_.filePath(name);
        if (QFileInfo(from).canonicalFilePath() == QFileInfo(target).canonicalFilePath()) return {};
        if (!QFileInfo::exists(target)) {
            if (!QFile::copy(from, target))
                return QStringLiteral("cannot copy the picture '%1' beside the bank").arg(name);
            created_.append(target);
            ++count_;
            return {};
        }
        if (sameContent(from, target)) return {};
        const QString temporary = bankDir_.filePath(
            QStringLiteral(".%1.import-%2").arg(name).arg(QCoreApplication::applicationPid()));
        QFile::remove(temporary);
        if (!QFile::copy(from, temporary))
            return QStringLiteral("cannot copy the picture '%1' beside the bank").arg(name);
        waiting_.append({temporary, target});
        ++count_;
        return {};
    }

    // After the commit: the replacements take their places. Returns what could not.
    QStringList keep() {
        QStringList failed;
        for (const auto& [temporary, target] : std::as_const(waiting_)) {
            std::error_code error;
            std::filesystem::rename(QFile::encodeName(temporary).toStdString(),
                                    QFile::encodeName(target).toStdString(), error);
            if (error) {
                failed.append(QStringLiteral("could not replace the picture '%1': %2")
                                  .arg(QFileInfo(target).fileName(),
                                       QString::fromStdString(error.message())));
                QFile::remove(temporary);
            }
        }
        created_.clear();
        waiting_.clear();
        return failed;
    }

    void undo() {
        for (const QString& file : std::as_const(created_))
            QFile::remove(file);
        for (const auto& pair : std::as_const(waiting_))
            QFile::remove(pair.first);
        created_.clear();
        waiting_.clear();
        count_ = 0;
    }

    int count() const { return count_; }

  private:
    QDir bankDir_;
    QStringList created_;
    QList<QPair<QString, QString>> waiting_;
    int count_ = 0;
};

struct Row {
    int line = 0;
    qint64 id = 0;
    QList<QVariant> values; // one per mapped column
};

} // namespace

Outcome importCsv(const QString& bankFile, const QString& csvFile, const QString& picturesDir,
                  const Say& say) {
    Outcome outcome;
    const QString bankName = QFileInfo(bankFile).fileName();
    auto bankProblem = [&](const QString& what) {
        outcome.problems.append(QStringLiteral("%1: %2").arg(bankName, what));
        return outcome;
    };
    auto fileProblem = [&](int line, const QString& what) {
        outcome.problems.append(line > 0
                                    ? QStringLiteral("%1:%2: %3").arg(csvFile).arg(line).arg(what)
                                    : QStringLiteral("%1: %2").arg(csvFile, what));
    };
    if (!picturesDir.isEmpty() && !QFileInfo(picturesDir).isDir()) {
        outcome.problems.append(
            QStringLiteral("%1: the pictures folder does not exist").arg(picturesDir));
        return outcome;
    }
    if (const QString error = regularFileProblem(csvFile, MaxImportBytes); !error.isEmpty()) {
        fileProblem(0, error);
        return outcome;
    }
    const CsvFile csv = readCsv(csvFile);
    if (!csv.warning.isEmpty())
        outcome.warnings.append(QStringLiteral("%1: %2").arg(csvFile, csv.warning));
    if (!csv.error.isEmpty()) {
        fileProblem(csv.errorLine, csv.error);
        return outcome;
    }
    if (csv.records.isEmpty()) {
        fileProblem(0,
                    QStringLiteral("the file is empty; it needs a header row naming the columns"));
        return outcome;
    }

    BankConnection connection(bankFile, BankConnection::Writing);
    if (const QString error = connection.begin(say); !error.isEmpty()) {
        outcome.locked = connection.locked();
        return bankProblem(error);
    }
    QSqlDatabase db = connection.db();
    // From here on every way out rolls back unless the commit went through.
    RollbackGuard guard{db};

    const QStringList paper = tableColumns(db, QStringLiteral("Paper"));
    if (paper.isEmpty())
        return bankProblem(QStringLiteral("not a question bank (it has no Paper table)"));

    // The header: which cell goes to which column.
    const CsvRecord& header = csv.records.first();
    QList<int> cellOf;   // per mapped column, its cell
    QStringList columns; // mapped columns, as the bank names them
    QList<int> unnamed;  // cells without a header name
    for (int cell = 0; cell < header.cells.size(); ++cell) {
        const QString name = header.cells[cell].toString().trimmed();
        if (name.isEmpty()) {
            unnamed.append(cell);
            continue;
        }
        if (name.compare(ErrPaper, Qt::CaseInsensitive) == 0) {
            outcome.warnings.append(QStringLiteral("%1:%2: column %3 left out: the learner's "
                                                   "wrong-question marks stay as they are")
                                        .arg(csvFile)
                                        .arg(header.line)
                                        .arg(name));
            continue;
        }
        const QString column = findColumn(paper, name);
        if (column.isEmpty())
            fileProblem(
                header.line,
                QStringLiteral("column %1: the bank's Paper table has no such column").arg(name));
        else if (columns.contains(column))
            fileProblem(header.line,
                        QStringLiteral("column %1: named twice in the header").arg(name));
        else {
            columns.append(column);
            cellOf.append(cell);
        }
    }
    for (const QString& required : requiredColumns())
        if (findColumn(columns, required).isEmpty())
            fileProblem(header.line,
                        QStringLiteral("column %1: missing from the header").arg(required));
    if (!outcome.ok()) return outcome;
    auto indexOf = [&](const char* name) {
        return int(columns.indexOf(findColumn(columns, QString::fromLatin1(name))));
    };
    const int idColumn = indexOf("ID");
    const QSet<QString> rules = ruleKeys(db);

    // Every row, every problem.
    const QDir bankDir = QFileInfo(bankFile).absoluteDir();
    const QDir sourceDir(picturesDir);
    // Only a plain file is copied: a link could bring in any file of the system, a pipe
    // would never end.
    auto pictureSource = [&](const QString& name) -> QString {
        if (!picturesDir.isEmpty() &&
            regularFileProblem(sourceDir.filePath(name), MaxImportBytes).isEmpty())
            return sourceDir.filePath(name);
        if (QFileInfo(bankDir.filePath(name)).isFile()) return bankDir.filePath(name);
        return {};
    };
    QList<Row> rows;
    QHash<qint64, int> lineOfId;
    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        const CsvRecord& record = csv.records[r];
        auto problem = [&](const QString& column, const QString& what) {
            fileProblem(record.line, QStringLiteral("column %1: %2").arg(column, what));
        };
        qsizetype used = record.cells.size();
        while (used > header.cells.size() && record.cells[used - 1].toString().isEmpty())
            --used;
        if (used != header.cells.size()) {
            fileProblem(record.line, QStringLiteral("the row has %1 cells, the header %2")
                                         .arg(used)
                                         .arg(header.cells.size()));
            continue;
        }
        for (int cell : std::as_const(unnamed))
            if (!record.cells.value(cell).toString().isEmpty())
                fileProblem(record.line,
                            QStringLiteral("cell %1 has a value but its column has no name "
                                           "in the header")
                                .arg(cell + 1));
        Row row;
        row.line = record.line;
        for (int i = 0; i < cellOf.size(); ++i) {
            QVariant value = record.cells.value(cellOf[i]);
            if (value.isNull()) {
                row.values.append(value);
                continue;
            }
            const QString text = undefused(value.toString());
            if (text.contains(QChar(0)))
                problem(columns[i], QStringLiteral("the cell holds a NUL character"));
            else if (text.size() > MaxCellChars)
                problem(columns[i],
                        QStringLiteral("%1 characters, more than the %2 a cell may hold")
                            .arg(text.size())
                            .arg(MaxCellChars));
            row.values.append(text);
        }
        auto text = [&](const char* name) {
            const int i = indexOf(name);
            return i < 0 ? QString() : row.values[i].toString();
        };
        QuestionFields fields;
        fields.id = text("ID").trimmed();
        fields.type = text("Type");
        fields.question = text("Question");
        fields.options = {text("An1"), text("An2"), text("An3"), text("An4")};
        fields.answer = text("AnswerTrue");
        fields.image = text("ImageUrl");
        fields.classes = text("LicenseType");
        fields.chap = text("chap");
        fields.rule = text("Rule");
        const auto problems = questionProblems(
            fields, bankName, [&](const QString& image) { return !pictureSource(image).isEmpty(); },
            rules);
        for (const FieldProblem& p : problems) {
            if (p.column != QLatin1String("ImageUrl") ||
                !pictureNameProblem(fields.image, bankName).isEmpty()) {
                problem(p.column, p.message);
                continue;
            }
            problem(p.column,
                    picturesDir.isEmpty()
                        ? QStringLiteral("the picture '%1' is not beside the bank (and no "
                                         "--pictures folder was given)")
                              .arg(shown(fields.image))
                        : QStringLiteral("the picture '%1' is neither in %2 nor beside the bank "
                                         "as a plain file")
                              .arg(shown(fields.image), picturesDir));
        }
        bool numeric = false;
        row.id = fields.id.toLongLong(&numeric);
        if (numeric) {
            if (const auto seen = lineOfId.constFind(row.id); seen != lineOfId.cend())
                problem(columns[idColumn],
                        QStringLiteral("ID %1 is also on line %2").arg(row.id).arg(*seen));
            else
                lineOfId.insert(row.id, record.line);
        }
        row.values[idColumn] = row.id;
        rows.append(row);
    }
    if (!outcome.ok()) return outcome;

    // The changes, content columns only: ErrPaper is the learner's.
    QSet<qint64> existing;
    {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("select %1 from Paper").arg(quoted(columns[idColumn]))))
            return bankProblem(q.lastError().text());
        while (q.next())
            existing.insert(q.value(0).toLongLong());
    }
    QStringList assignments, names, marks;
    for (int i = 0; i < columns.size(); ++i) {
        names.append(quoted(columns[i]));
        marks.append(QStringLiteral("?"));
        if (i != idColumn) assignments.append(quoted(columns[i]) + QStringLiteral("=?"));
    }
    const QString errPaper = findColumn(paper, ErrPaper);
    if (!errPaper.isEmpty()) {
        names.append(quoted(errPaper));
        marks.append(QStringLiteral("0"));
    }
    QSqlQuery insert(db), update(db);
    if (!insert.prepare(QStringLiteral("insert into Paper(%1) values(%2)")
                            .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
        return bankProblem(insert.lastError().text());
    if (!update.prepare(QStringLiteral("update Paper set %1 where %2=?")
                            .arg(assignments.join(QLatin1Char(',')), quoted(columns[idColumn]))))
        return bankProblem(update.lastError().text());
    int added = 0, updated = 0;
    for (const Row& row : std::as_const(rows)) {
        if (existing.contains(row.id)) {
            ++updated;
            for (int i = 0; i < row.values.size(); ++i)
                if (i != idColumn) update.addBindValue(row.values[i]);
            update.addBindValue(row.id);
            if (!update.exec())
                return bankProblem(
                    QStringLiteral("question %1: %2").arg(row.id).arg(update.lastError().text()));
        } else {
            ++added;
            for (const QVariant& value : row.values)
                insert.addBindValue(value);
            if (!insert.exec())
                return bankProblem(
                    QStringLiteral("question %1: %2").arg(row.id).arg(insert.lastError().text()));
        }
    }

    Pictures pictures(bankDir);
    QSet<QString> named;
    const int imageColumn = indexOf("ImageUrl");
    if (imageColumn >= 0)
        for (const Row& row : std::as_const(rows))
            named.insert(row.values[imageColumn].toString());
    named.remove(QString());
    for (const QString& name : std::as_const(named))
        if (const QString error = pictures.bring(pictureSource(name), name); !error.isEmpty())
            return bankProblem(error);

    // The bank as it would be must pass the same checks as `bank check`.
    const QStringList result = checkQuestions(db, bankName, [&](const QString& image) {
        return QFileInfo(bankDir.filePath(image)).isFile();
    });
    if (!result.isEmpty()) {
        outcome.problems.append(
            QStringLiteral(
                "%1: after this import the bank would fail its checks, so nothing was changed:")
                .arg(bankName));
        outcome.problems.append(result);
        return outcome;
    }
    insert.finish();
    update.finish();
    if (const QString error = commit(db); !error.isEmpty()) return bankProblem(error);
    guard.done = true;
    outcome.warnings.append(pictures.keep());
    outcome.summary = QStringLiteral("%1: %2 questions added, %3 updated, %4 pictures copied")
                          .arg(bankName)
                          .arg(added)
                          .arg(updated)
                          .arg(pictures.count());
    return outcome;
}
