// bank backup / bank restore: the learner's own data (marks, settings, records, history,
// review schedule, favourites) on its own.
#include "Exchange.h"
#include "Safety.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

// The file: a first line {"format":..., "sha256":..., "version":...}, then the data as JSON.
// The checksum covers the data's exact bytes, so any change to them shows.
namespace {

const QString Format = QStringLiteral("kemu1-learner-backup");
// Version 2 adds the answer history, version 3 the review schedule and the favourites; an
// older backup restores with those empty, as the bank was when it was made.
constexpr int Version = 3;
constexpr qint64 MaxSize = 64 << 20; // far more than any learner's data

QString hexSha256(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

bool isWhole(const QJsonValue& value) {
    return value.isDouble() && std::floor(value.toDouble()) == value.toDouble() &&
           std::abs(value.toDouble()) < 9007199254740992.0;
}

QJsonValue textOrNull(const QVariant& value) {
    return value.isNull() ? QJsonValue() : QJsonValue(value.toString());
}

QJsonValue numberOrNull(const QVariant& value) {
    return value.isNull() ? QJsonValue() : QJsonValue(value.toLongLong());
}

QVariant fromJson(const QJsonValue& value) {
    if (value.isNull()) return {};
    if (value.isDouble()) return qint64(value.toDouble());
    return value.toString();
}

struct Learner {
    QList<qint64> marks;
    QList<QPair<QString, QVariant>> settings;
    struct Record {
        qint64 id;
        QVariant score, time, carType, seconds, chapterRights;
    };
    QList<Record> records;
    QList<QVariantList> history;    // one answer: as History's columns after its ID
    QList<QVariantList> schedule;   // question, step, due
    QList<QVariantList> favourites; // question, added at
};

const QStringList HistoryFields = {"question", "class", "mode", "answer", "right", "seconds", "at"};

// The data part, checked piece by piece; an empty text when it is sound.
QString readLearner(const QJsonObject& data, int version, Learner& learner) {
    if (!data.value(QLatin1String("marks")).isArray() ||
        !data.value(QLatin1String("settings")).isArray() ||
        !data.value(QLatin1String("records")).isArray())
        return QStringLiteral("it lacks the marks, settings or records");
    QSet<qint64> seen;
    for (const QJsonValue& id : data.value(QLatin1String("marks")).toArray()) {
        if (!isWhole(id)) return QStringLiteral("a mark is not a question ID");
        if (!seen.contains(qint64(id.toDouble()))) learner.marks.append(qint64(id.toDouble()));
        seen.insert(qint64(id.toDouble()));
    }
    for (const QJsonValue& item : data.value(QLatin1String("settings")).toArray()) {
        const QJsonObject setting = item.toObject();
        const QJsonValue key = setting.value(QLatin1String("key"));
        const QJsonValue value = setting.value(QLatin1String("value"));
        if (!key.isString() || !(value.isString() || value.isNull()))
            return QStringLiteral("a setting lacks its key or value");
        learner.settings.append({key.toString(), fromJson(value)});
    }
    for (const QJsonValue& item : data.value(QLatin1String("records")).toArray()) {
        const QJsonObject record = item.toObject();
        const QJsonValue id = record.value(QLatin1String("id"));
        const QJsonValue score = record.value(QLatin1String("score"));
        const QJsonValue time = record.value(QLatin1String("time"));
        if (!isWhole(id) || !(isWhole(score) || score.isNull()) ||
            !(time.isString() || time.isNull()))
            return QStringLiteral("an exam record lacks its ID, score or time");
        // Class, seconds and per-chapter rights came later: absent in older backups.
        const QJsonValue carType = record.value(QLatin1String("class"));
        const QJsonValue seconds = record.value(QLatin1String("seconds"));
        const QJsonValue rights = record.value(QLatin1String("chapters"));
        if (!(carType.isString() || carType.isNull() || carType.isUndefined()) ||
            !(isWhole(seconds) || seconds.isNull() || seconds.isUndefined()) ||
            !(rights.isString() || rights.isNull() || rights.isUndefined()))
            return QStringLiteral(
                "an exam record has a class, seconds or chapters of the wrong kind");
        auto optional = [](const QJsonValue& v) {
            return v.isUndefined() ? QVariant() : fromJson(v);
        };
        learner.records.append({qint64(id.toDouble()), fromJson(score), fromJson(time),
                                optional(carType), optional(seconds), optional(rights)});
    }
    if (version < 2) return {};
    if (!data.value(QLatin1String("history")).isArray())
        return QStringLiteral("it lacks the answer history");
    for (const QJsonValue& item : data.value(QLatin1String("history")).toArray()) {
        const QJsonObject answer = item.toObject();
        if (!isWhole(answer.value(QLatin1String("question"))))
            return QStringLiteral("an answer lacks its question ID");
        QVariantList row;
        for (const QString& field : HistoryFields)
            row.append(fromJson(answer.value(field)));
        learner.history.append(row);
    }
    if (version < 3) return {};
    if (!data.value(QLatin1String("schedule")).isArray() ||
        !data.value(QLatin1String("favourites")).isArray())
        return QStringLiteral("it lacks the review schedule or the favourites");
    for (const QJsonValue& item : data.value(QLatin1String("schedule")).toArray()) {
        const QJsonObject entry = item.toObject();
        const QJsonValue id = entry.value(QLatin1String("question"));
        const QJsonValue step = entry.value(QLatin1String("step"));
        const QJsonValue due = entry.value(QLatin1String("due"));
        if (!isWhole(id) || !isWhole(step) || !due.isString())
            return QStringLiteral("a review entry lacks its question, step or day");
        learner.schedule.append({qint64(id.toDouble()), qint64(step.toDouble()), due.toString()});
    }
    for (const QJsonValue& item : data.value(QLatin1String("favourites")).toArray()) {
        const QJsonObject entry = item.toObject();
        const QJsonValue id = entry.value(QLatin1String("question"));
        const QJsonValue added = entry.value(QLatin1String("added"));
        if (!isWhole(id) || !(added.isString() || added.isNull()))
            return QStringLiteral("a favourite lacks its question");
        learner.favourites.append({qint64(id.toDouble()), fromJson(added)});
    }
    return {};
}

} // namespace

Outcome backupLearner(const QString& bankFile, const QString& backupFile) {
    Outcome outcome;
    const QString bankName = QFileInfo(bankFile).fileName();
    auto bankProblem = [&](const QString& what) {
        outcome.problems.append(QStringLiteral("%1: %2").arg(bankName, what));
        return outcome;
    };
    if (const QString error = outputProblem(backupFile, bankFile); !error.isEmpty()) {
        outcome.problems.append(QStringLiteral("%1: %2").arg(backupFile, error));
        return outcome;
    }
    BankConnection connection(bankFile, BankConnection::Reading);
    if (const QString error = connection.begin(); !error.isEmpty()) return bankProblem(error);
    QSqlDatabase db = connection.db();
    RollbackGuard guard{db};

    QJsonArray marks, settings, records, history, schedule, favourites;
    {
        QSqlQuery q(db);
        auto read = [&](const char* sql) {
            q.setForwardOnly(true);
            return q.exec(QString::fromLatin1(sql));
        };
        if (!read("select ID from Paper where ErrPaper=1 order by ID"))
            return bankProblem(QStringLiteral("not a question bank: ") + q.lastError().text());
        while (q.next())
            marks.append(q.value(0).toLongLong());
        if (!read("select ParamID, ParamValue from Param order by rowid"))
            return bankProblem(QStringLiteral("not a question bank: ") + q.lastError().text());
        while (q.next())
            settings.append(
                QJsonObject{{"key", q.value(0).toString()}, {"value", textOrNull(q.value(1))}});
        // A bank from before the records' class column has none of the three.
        const bool detailed =
            tableColumns(db, QStringLiteral("Record")).contains(QStringLiteral("CarType"));
        if (!read(detailed
                      ? "select ID, score, RecordTime, CarType, Seconds, ChapterRights from "
                        "Record order by ID"
                      : "select ID, score, RecordTime, null, null, null from Record order by ID"))
            return bankProblem(QStringLiteral("not a question bank: ") + q.lastError().text());
        while (q.next())
            records.append(QJsonObject{{"id", q.value(0).toLongLong()},
                                       {"score", numberOrNull(q.value(1))},
                                       {"time", textOrNull(q.value(2))},
                                       {"class", textOrNull(q.value(3))},
                                       {"seconds", numberOrNull(q.value(4))},
                                       {"chapters", textOrNull(q.value(5))}});
        // A bank from before the history has none to save.
        if (!tableColumns(db, QStringLiteral("History")).isEmpty()) {
            if (!read("select QuestionID, CarType, Mode, Answer, Right, Seconds, AnsweredAt "
                      "from History order by ID"))
                return bankProblem(q.lastError().text());
            while (q.next()) {
                QJsonObject answer;
                for (int i = 0; i < HistoryFields.size(); ++i) {
                    const QVariant value = q.value(i);
                    const bool number = i == 0 || i == 4 || i == 5;
                    answer.insert(HistoryFields[i],
                                  number ? numberOrNull(value) : textOrNull(value));
                }
                history.append(answer);
            }
        }
        // Nor one from before the review schedule and favourites.
        if (!tableColumns(db, QStringLiteral("ReviewSchedule")).isEmpty()) {
            if (!read("select QuestionID, Step, Due from ReviewSchedule order by QuestionID"))
                return bankProblem(q.lastError().text());
            while (q.next())
                schedule.append(QJsonObject{{"question", q.value(0).toLongLong()},
                                            {"step", q.value(1).toLongLong()},
                                            {"due", q.value(2).toString()}});
        }
        if (!tableColumns(db, QStringLiteral("Favourite")).isEmpty()) {
            if (!read("select QuestionID, AddedAt from Favourite order by AddedAt, rowid"))
                return bankProblem(q.lastError().text());
            while (q.next())
                favourites.append(QJsonObject{{"question", q.value(0).toLongLong()},
                                              {"added", textOrNull(q.value(1))}});
        }
    }
    const QJsonObject data{
        {"bank", bankName},     {"saved", QDateTime::currentDateTime().toString(Qt::ISODate)},
        {"marks", marks},       {"settings", settings},
        {"records", records},   {"history", history},
        {"schedule", schedule}, {"favourites", favourites}};
    const QByteArray payload = QJsonDocument(data).toJson(QJsonDocument::Indented);
    const QJsonObject header{
        {"format", Format}, {"version", Version}, {"sha256", hexSha256(payload)}};

    QSaveFile out(backupFile);
    if (!out.open(QIODevice::WriteOnly)) {
        outcome.problems.append(
            QStringLiteral("%1: cannot write the file: %2").arg(backupFile, out.errorString()));
        return outcome;
    }
    // QSaveFile overlooks a failure of its last flush (a full disk): flush first and check.
    const QByteArray bytes = QJsonDocument(header).toJson(QJsonDocument::Compact) + '\n' + payload;
    if (out.write(bytes) != bytes.size() || !out.flush() || !out.commit()) {
        out.cancelWriting();
        outcome.problems.append(
            QStringLiteral("%1: cannot write the file: %2").arg(backupFile, out.errorString()));
        return outcome;
    }
    outcome.summary = QStringLiteral("%1: %2 wrong-question marks, %3 settings, %4 exam records, "
                                     "%5 answers, %6 in the review schedule, %7 favourites")
                          .arg(backupFile)
                          .arg(marks.size())
                          .arg(settings.size())
                          .arg(records.size())
                          .arg(history.size())
                          .arg(schedule.size())
                          .arg(favourites.size());
    return outcome;
}

Outcome restoreLearner(const QString& bankFile, const QString& backupFile, const Say& say) {
    Outcome outcome;
    auto fileProblem = [&](const QString& what) {
        outcome.problems.append(QStringLiteral("%1: %2").arg(backupFile, what));
        return outcome;
    };
    if (const QString error = regularFileProblem(backupFile, MaxSize); !error.isEmpty())
        return fileProblem(error);
    QFile in(backupFile);
    if (!in.open(QIODevice::ReadOnly))
        return fileProblem(QStringLiteral("cannot read the file: ") + in.errorString());
    const QByteArray all = in.read(MaxSize + 1);
    if (all.size() > MaxSize)
        return fileProblem(QStringLiteral("not a learner backup (far too large)"));
    const qsizetype newline = all.indexOf('\n');
    const QJsonObject header =
        QJsonDocument::fromJson(all.left(newline < 0 ? 0 : newline)).object();
    if (header.value(QLatin1String("format")).toString() != Format)
        return fileProblem(
            QStringLiteral("not a learner backup (it does not start with the backup marker)"));
    const QJsonValue version = header.value(QLatin1String("version"));
    if (!isWhole(version) || version.toDouble() < 1)
        return fileProblem(QStringLiteral("the backup is damaged (its version is unreadable)"));
    if (version.toDouble() > Version)
        return fileProblem(
            QStringLiteral("the backup was made by a newer bank tool (version %1; this one "
                           "reads version %2)")
                .arg(version.toInteger())
                .arg(Version));
    const QByteArray payload = all.mid(newline + 1);
    if (header.value(QLatin1String("sha256")).toString() != hexSha256(payload))
        return fileProblem(
            QStringLiteral("the backup is damaged (its checksum does not match its content)"));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(payload, &parseError);
    Learner learner;
    if (!document.isObject())
        return fileProblem(QStringLiteral("not a learner backup this tool can read (%1)")
                               .arg(parseError.errorString()));
    if (const QString error = readLearner(document.object(), int(version.toDouble()), learner);
        !error.isEmpty())
        return fileProblem(
            QStringLiteral("not a learner backup this tool can read (%1)").arg(error));

    const QString bankName = QFileInfo(bankFile).fileName();
    auto bankProblem = [&](const QString& what) {
        outcome.problems.append(QStringLiteral("%1: %2").arg(bankName, what));
        return outcome;
    };
    BankConnection connection(bankFile, BankConnection::Writing);
    if (const QString error = connection.begin(say); !error.isEmpty()) return bankProblem(error);
    QSqlDatabase db = connection.db();
    RollbackGuard guard{db};

    int marked = 0, inserted = 0;
    {
        QSqlQuery q(db);
        auto run = [&](const QString& sql, const QVariantList& values = {}) {
            if (!q.prepare(sql)) return false;
            for (const QVariant& value : values)
                q.addBindValue(value);
            return q.exec();
        };
        auto failed = [&] { return bankProblem(q.lastError().text()); };
        if (!run(QStringLiteral("update Paper set ErrPaper=0"))) return failed();
        for (qint64 id : std::as_const(learner.marks)) {
            if (!run(QStringLiteral("update Paper set ErrPaper=1 where ID=?"), {id}))
                return failed();
            if (q.numRowsAffected() > 0) ++marked;
        }
        for (const auto& [key, value] : std::as_const(learner.settings)) {
            if (!run(QStringLiteral("update Param set ParamValue=? where ParamID=?"), {value, key}))
                return failed();
            if (q.numRowsAffected() > 0) continue;
            if (!run(QStringLiteral("insert into Param(ParamID, ParamValue) values(?, ?)"),
                     {key, value}))
                return failed();
            ++inserted;
        }
        if (!run(QStringLiteral("delete from Record"))) return failed();
        for (const auto& record : std::as_const(learner.records))
            if (!run(QStringLiteral("insert into Record(ID, score, RecordTime, CarType, Seconds, "
                                    "ChapterRights) values(?, ?, ?, ?, ?, ?)"),
                     {record.id, record.score, record.time, record.carType, record.seconds,
                      record.chapterRights}))
                return failed();
        if (!run(QStringLiteral("delete from History"))) return failed();
        for (const QVariantList& answer : std::as_const(learner.history))
            if (!run(QStringLiteral("insert into History(QuestionID, CarType, Mode, Answer, Right, "
                                    "Seconds, AnsweredAt) values(?, ?, ?, ?, ?, ?, ?)"),
                     answer))
                return failed();
        // Entries of questions this bank lacks stay: they count once the question comes back.
        if (!run(QStringLiteral("delete from ReviewSchedule"))) return failed();
        for (const QVariantList& entry : std::as_const(learner.schedule))
            if (!run(QStringLiteral("insert or replace into ReviewSchedule(QuestionID, Step, Due) "
                                    "values(?, ?, ?)"),
                     entry))
                return failed();
        if (!run(QStringLiteral("delete from Favourite"))) return failed();
        for (const QVariantList& favourite : std::as_const(learner.favourites))
            if (!run(QStringLiteral(
                         "insert or replace into Favourite(QuestionID, AddedAt) values(?, "
                         "coalesce(?, datetime('now','localtime')))"),
                     favourite))
                return failed();
    }
    if (const QString error = commit(db); !error.isEmpty()) return bankProblem(error);
    guard.done = true;
    const qsizetype missing = learner.marks.size() - marked;
    outcome.summary =
        QStringLiteral(
            "%1: %2 wrong-question marks restored%3, %4 settings (%5 new), %6 exam records, "
            "%7 answers, %8 in the review schedule, %9 favourites")
            .arg(bankName)
            .arg(marked)
            .arg(missing > 0
                     ? QStringLiteral(" (%1 marked questions are not in this bank)").arg(missing)
                     : QString())
            .arg(learner.settings.size())
            .arg(inserted)
            .arg(learner.records.size())
            .arg(learner.history.size())
            .arg(learner.schedule.size())
            .arg(learner.favourites.size());
    return outcome;
}
