// bank backup / bank restore: the learner's own data (marks, settings, records, history,
// review schedule, favourites) on its own.
#include "Exchange.h"
#include "Safety.h"
#include "domain/Domain.h"
#include "domain/QuestionSet.h"
#include "domain/Review.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>
#include <functional>
#include <limits>

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

// The kinds of value the program writes into the learner's tables. Each check gives an empty
// text for such a value, else what is wrong with it; a restore refuses any other.
using Check = std::function<QString(const QJsonValue&)>;

QString shownValue(const QJsonValue& value) {
    if (value.isUndefined()) return QStringLiteral("missing");
    if (value.isString()) return QLatin1Char('"') + shown(value.toString()) + QLatin1Char('"');
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

Check whole(qint64 min, qint64 max, bool nullable = false) {
    return [=](const QJsonValue& v) {
        if (nullable && (v.isNull() || v.isUndefined())) return QString();
        if (isWhole(v) && v.toDouble() >= double(min) && v.toDouble() <= double(max))
            return QString();
        return QStringLiteral("a whole number from %1 to %2").arg(min).arg(max);
    };
}

Check text(const std::function<bool(const QString&)>& fits, const QString& what,
           bool nullable = true) {
    return [=](const QJsonValue& v) {
        if (nullable && (v.isNull() || v.isUndefined())) return QString();
        return v.isString() && fits(v.toString()) ? QString() : what;
    };
}

bool isMoment(const QString& t) {
    return QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid() ||
           QDateTime::fromString(t, Qt::ISODate).isValid();
}

const Check Moment = text(isMoment, QStringLiteral("a time like 2026-12-07 18:30:00"));
const Check Class = text([](const QString& t) { return ClassIndex(t) >= 0; },
                         QStringLiteral("a class letter A, B or C"));
const Check Day = text([](const QString& t) { return QDate::fromString(t, Qt::ISODate).isValid(); },
                       QStringLiteral("a day like 2026-12-07"), false);
const Check AnyText = text([](const QString&) { return true; }, QStringLiteral("text"));
const Check Question = whole(1, std::numeric_limits<qint32>::max());

// Fields of one entry, each with its check, in the order they are looked at.
using Fields = QList<QPair<QString, Check>>;

// Empty when every field of `entry` is one the program writes; else the first bad one,
// named: "history entry 3: right is 5, not 0 or 1".
QString entryProblem(const QString& what, qsizetype index, const QJsonValue& item,
                     const Fields& fields) {
    if (!item.isObject()) return QStringLiteral("%1 %2 is not an entry").arg(what).arg(index + 1);
    const QJsonObject entry = item.toObject();
    for (const auto& [name, check] : fields) {
        const QJsonValue value = entry.value(name);
        if (const QString expected = check(value); !expected.isEmpty())
            return QStringLiteral("%1 %2: %3 is %4, not %5")
                .arg(what)
                .arg(index + 1)
                .arg(name, shownValue(value), expected);
    }
    return {};
}

struct Learner {
    QList<qint64> marks;
    QList<QPair<QString, QVariant>> settings;
    struct Record {
        qint64 id;
        QVariant score, time, carType, seconds, chapterRights, hall;
    };
    QList<Record> records;
    QList<QVariantList> history;    // one answer: as History's columns after its ID
    QList<QVariantList> schedule;   // question, step, due
    QList<QVariantList> favourites; // question, added at
};

// "cue" (how the answer was given) came later: absent in older backups, restored as null.
const QStringList HistoryFields = {"question", "class",   "mode", "answer",
                                   "right",    "seconds", "at",   "cue"};

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
    const QJsonArray records = data.value(QLatin1String("records")).toArray();
    for (qsizetype i = 0; i < records.size(); ++i) {
        // Class, seconds, per-chapter rights and the exam-hall flag came later: absent in older
        // backups.
        static const Fields fields = {
            {"id", whole(1, std::numeric_limits<qint64>::max() / 2)},
            {"score", whole(0, MaxPassScore)},
            {"time", Moment},
            {"class", Class},
            {"seconds", whole(0, MaxInt16, true)},
            {"hall", whole(0, 1, true)},
            {"chapters", text(
                             [](const QString& t) {
                                 static const QRegularExpression rights(
                                     QStringLiteral("^(\\d+:\\d+(,\\d+:\\d+)*)?$"));
                                 return rights.match(t).hasMatch();
                             },
                             QStringLiteral("right answers per chapter like 1:23,2:18"))}};
        if (const QString problem =
                entryProblem(QStringLiteral("exam record"), i, records[i], fields);
            !problem.isEmpty())
            return problem;
        const QJsonObject record = records[i].toObject();
        auto optional = [&](const char* name) {
            const QJsonValue v = record.value(QLatin1String(name));
            return v.isUndefined() ? QVariant() : fromJson(v);
        };
        learner.records.append({qint64(record.value(QLatin1String("id")).toDouble()),
                                optional("score"), optional("time"), optional("class"),
                                optional("seconds"), optional("chapters"), optional("hall")});
    }
    if (version < 2) return {};
    if (!data.value(QLatin1String("history")).isArray())
        return QStringLiteral("it lacks the answer history");
    const QJsonArray history = data.value(QLatin1String("history")).toArray();
    for (qsizetype i = 0; i < history.size(); ++i) {
        static const Fields fields = {
            {"question", Question},
            {"class", Class},
            {"mode", text([](const QString& t) { return QuestionSet::isModeName(t); },
                          QStringLiteral("a practice mode"))},
            {"answer", AnyText},
            {"right", whole(0, 1)},
            {"seconds", whole(0, std::numeric_limits<qint32>::max(), true)},
            {"at", Moment},
            {"cue", whole(0, 2, true)}};
        if (const QString problem = entryProblem(QStringLiteral("answer"), i, history[i], fields);
            !problem.isEmpty())
            return problem;
        QVariantList row;
        for (const QString& field : HistoryFields)
            row.append(fromJson(history[i].toObject().value(field)));
        learner.history.append(row);
    }
    if (version < 3) return {};
    if (!data.value(QLatin1String("schedule")).isArray() ||
        !data.value(QLatin1String("favourites")).isArray())
        return QStringLiteral("it lacks the review schedule or the favourites");
    const QJsonArray schedule = data.value(QLatin1String("schedule")).toArray();
    for (qsizetype i = 0; i < schedule.size(); ++i) {
        static const Fields fields = {{"question", Question},
                                      {"step", whole(0, qint64(ReviewIntervals.size()) - 1)},
                                      {"due", Day}};
        if (const QString problem =
                entryProblem(QStringLiteral("review entry"), i, schedule[i], fields);
            !problem.isEmpty())
            return problem;
        const QJsonObject entry = schedule[i].toObject();
        learner.schedule.append({qint64(entry.value(QLatin1String("question")).toDouble()),
                                 qint64(entry.value(QLatin1String("step")).toDouble()),
                                 entry.value(QLatin1String("due")).toString()});
    }
    const QJsonArray favourites = data.value(QLatin1String("favourites")).toArray();
    for (qsizetype i = 0; i < favourites.size(); ++i) {
        static const Fields fields = {{"question", Question}, {"added", Moment}};
        if (const QString problem =
                entryProblem(QStringLiteral("favourite"), i, favourites[i], fields);
            !problem.isEmpty())
            return problem;
        const QJsonObject entry = favourites[i].toObject();
        learner.favourites.append({qint64(entry.value(QLatin1String("question")).toDouble()),
                                   fromJson(entry.value(QLatin1String("added")))});
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
    if (const QString error = connection.begin(); !error.isEmpty()) {
        outcome.locked = connection.locked();
        return bankProblem(error);
    }
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
        const bool hall =
            tableColumns(db, QStringLiteral("Record")).contains(QStringLiteral("Hall"));
        const QByteArray recordSql =
            QStringLiteral("select ID, score, RecordTime, %1, %2 from Record order by ID")
                .arg(detailed ? QStringLiteral("CarType, Seconds, ChapterRights")
                              : QStringLiteral("null, null, null"),
                     hall ? QStringLiteral("Hall") : QStringLiteral("null"))
                .toUtf8();
        if (!read(recordSql.constData()))
            return bankProblem(QStringLiteral("not a question bank: ") + q.lastError().text());
        while (q.next())
            records.append(QJsonObject{{"id", q.value(0).toLongLong()},
                                       {"score", numberOrNull(q.value(1))},
                                       {"time", textOrNull(q.value(2))},
                                       {"class", textOrNull(q.value(3))},
                                       {"seconds", numberOrNull(q.value(4))},
                                       {"chapters", textOrNull(q.value(5))},
                                       {"hall", numberOrNull(q.value(6))}});
        // A bank from before the history has none to save.
        if (const QStringList columns = tableColumns(db, QStringLiteral("History"));
            !columns.isEmpty()) {
            const bool hasCue = columns.contains(QStringLiteral("Cue"));
            if (!read(hasCue ? "select QuestionID, CarType, Mode, Answer, Right, Seconds, "
                               "AnsweredAt, Cue from History order by ID"
                             : "select QuestionID, CarType, Mode, Answer, Right, Seconds, "
                               "AnsweredAt, null from History order by ID"))
                return bankProblem(q.lastError().text());
            while (q.next()) {
                QJsonObject answer;
                for (int i = 0; i < HistoryFields.size(); ++i) {
                    const QVariant value = q.value(i);
                    const bool number = i == 0 || i == 4 || i == 5 || i == 7;
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
    // QSaveFile overlooks a failure of its last flush (a full disk): flush first and check.
    const QByteArray bytes = QJsonDocument(header).toJson(QJsonDocument::Compact) + '\n' + payload;
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush() ||
        !out.commit()) {
        outcome.problems.append(writeProblem(backupFile, out));
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
    if (header.value(QLatin1String("format")).toString() != Format) {
        // A damaged first line still leaves the marker, or the data after it, to recognise.
        const bool ours = newline >= 0 && (all.left(newline).contains(Format.toLatin1()) ||
                                           QJsonDocument::fromJson(all.mid(newline + 1))
                                               .object()
                                               .contains(QLatin1String("marks")));
        return fileProblem(
            ours ? QStringLiteral("the backup is damaged (its first line is unreadable)")
                 : QStringLiteral(
                       "not a learner backup (it does not start with the backup marker)"));
    }
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
    setAsideStaleLog(bankFile, say);
    BankConnection connection(bankFile, BankConnection::Writing);
    if (const QString error = connection.begin(say); !error.isEmpty()) {
        outcome.locked = connection.locked();
        return bankProblem(error);
    }
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
        // A bank not yet opened by a program with the exam hall has no column for the flag.
        const bool hall =
            tableColumns(db, QStringLiteral("Record")).contains(QStringLiteral("Hall"));
        for (const auto& record : std::as_const(learner.records)) {
            QVariantList values = {record.id,      record.score,   record.time,
                                   record.carType, record.seconds, record.chapterRights};
            if (hall) values.append(record.hall);
            if (!run(hall ? QStringLiteral("insert into Record(ID, score, RecordTime, CarType, "
                                           "Seconds, ChapterRights, Hall) values(?, ?, ?, ?, ?, "
                                           "?, ?)")
                          : QStringLiteral("insert into Record(ID, score, RecordTime, CarType, "
                                           "Seconds, ChapterRights) values(?, ?, ?, ?, ?, ?)"),
                     values))
                return failed();
        }
        if (!run(QStringLiteral("delete from History"))) return failed();
        for (const QVariantList& answer : std::as_const(learner.history))
            if (!run(QStringLiteral("insert into History(QuestionID, CarType, Mode, Answer, Right, "
                                    "Seconds, AnsweredAt, Cue) values(?, ?, ?, ?, ?, ?, ?, ?)"),
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
