#include "Records.h"

#include "../domain/Paper.h"
#include "../store/DatabaseError.h"
#include "../store/Statements.h"
#include "Practice.h"
#include "PracticeSession.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QLatin1String TimeFormat("yyyy-MM-dd HH:mm:ss");
const QLatin1String Marker("kemu1-unsaved");

QJsonObject toJson(const AnsweredQuestion& a) {
    return {{"id", a.id},
            {"carType", a.carType},
            {"mode", static_cast<int>(a.mode)},
            {"answer", a.answer},
            {"right", a.right},
            {"seconds", a.seconds},
            {"answerShown", a.answerShown},
            {"at", a.at.toString(TimeFormat)}};
}

QJsonArray toJson(const QList<AnsweredQuestion>& answers) {
    QJsonArray list;
    for (const AnsweredQuestion& a : answers)
        list.append(toJson(a));
    return list;
}

QJsonObject toJson(const ExamRecord& r) {
    return {{"score", r.score},
            {"carType", r.carType},
            {"seconds", r.seconds},
            {"chapterRights", r.chapterRights},
            {"hall", r.hall},
            {"earned", r.earned.toString(TimeFormat)},
            {"answers", toJson(r.answers)}};
}

QJsonObject toJson(const AnswerWrite& a) {
    QJsonObject o{{"id", a.id},
                  {"right", a.right},
                  {"resume", a.keepsResumePoint},
                  {"removeRight", a.removeRightFromWrong}};
    if (a.recorded) o.insert("recorded", toJson(*a.recorded));
    return o;
}

bool isClass(const QString& code) {
    return code.isEmpty() || code == QLatin1String("A") || code == QLatin1String("B") ||
           code == QLatin1String("C");
}

// Only what the program itself writes is taken back; anything else means a damaged file.
std::optional<AnsweredQuestion> answeredFrom(const QJsonObject& o) {
    static const QStringList answers = {QStringLiteral("A"),  QStringLiteral("B"),
                                        QStringLiteral("C"),  QStringLiteral("D"),
                                        QStringLiteral("对"), QStringLiteral("错")};
    AnsweredQuestion a;
    a.id = static_cast<qint64>(o.value("id").toDouble(-1));
    a.carType = o.value("carType").toString();
    const int mode = o.value("mode").toInt(-1);
    a.mode = static_cast<QuestionSet::Mode>(mode);
    a.answer = o.value("answer").toString();
    a.right = o.value("right").toBool();
    a.seconds = o.value("seconds").toInt(-1);
    a.answerShown = o.value("answerShown").toBool();
    a.at = QDateTime::fromString(o.value("at").toString(), TimeFormat);
    if (a.id <= 0 || !isClass(a.carType) || mode < 0 ||
        mode > static_cast<int>(QuestionSet::Mode::OftenWrong) || !answers.contains(a.answer) ||
        a.seconds < 0 || !a.at.isValid())
        return std::nullopt;
    return a;
}

std::optional<ExamRecord> recordFrom(const QJsonObject& o) {
    ExamRecord r;
    r.score = o.value("score").toInt(-1);
    r.carType = o.value("carType").toString();
    r.seconds = o.value("seconds").toInt(-1);
    r.chapterRights = o.value("chapterRights").toString();
    r.hall = o.value("hall").toBool();
    r.earned = QDateTime::fromString(o.value("earned").toString(), TimeFormat);
    if (r.score < 0 || r.score > 100 || !isClass(r.carType) || r.seconds < 0 || r.seconds > 32767 ||
        r.chapterRights.size() > 200 || !r.earned.isValid())
        return std::nullopt;
    for (const QJsonValue& v : o.value("answers").toArray()) {
        const auto a = answeredFrom(v.toObject());
        if (!a) return std::nullopt;
        r.answers.append(*a);
    }
    return r;
}

std::optional<AnswerWrite> answerFrom(const QJsonObject& o) {
    AnswerWrite a;
    a.id = static_cast<qint64>(o.value("id").toDouble(-1));
    a.right = o.value("right").toBool();
    a.keepsResumePoint = o.value("resume").toBool();
    a.removeRightFromWrong = o.value("removeRight").toBool();
    if (o.contains("recorded")) {
        a.recorded = answeredFrom(o.value("recorded").toObject());
        if (!a.recorded || a.recorded->id != a.id) return std::nullopt;
    }
    if (a.id <= 0) return std::nullopt;
    return a;
}

QString dataFolderFile(const QString& bankFile) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty()) return {};
    const QByteArray key = QFileInfo(bankFile).absoluteFilePath().toUtf8();
    return QDir(folder).filePath(
        QStringLiteral("unsaved-%1.json")
            .arg(QString::fromLatin1(
                QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16))));
}

bool writeJson(const QString& file, const QByteArray& bytes) {
    if (file.isEmpty() || !QDir().mkpath(QFileInfo(file).absolutePath())) return false;
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

// The score and the exam's answers land together.
void saveRecord(Bank& bank, const ExamRecord& record) {
    bank.transaction([&] {
        bank.execute(Sql::insertRecord(record));
        for (const AnsweredQuestion& answer : record.answers)
            RecordAnswer(bank, answer);
    });
}

} // namespace

QString SaveExamRecord(PracticeSession& s, int score, const QDateTime& earned, bool hall) {
    ExamRecord record;
    record.score = score;
    record.hall = hall;
    record.earned = earned;
    record.carType = s.CarTypeCode;
    record.seconds = qMax(0, s.ExamLength - s.ExamSeconds);
    record.chapterRights = ChapterRights(QuotasOf(s.CarTypeCode), s.set);
    record.answers = FinalAnswers(s, record.earned);
    // Waiting scores go first, so the list keeps the order they were earned in.
    if (SaveWaitingRecords(s)) {
        try {
            saveRecord(s.Conn, record);
            return {};
        } catch (const DatabaseError& e) {
            s.waitingRecords.append(record);
            return e.description();
        }
    }
    s.waitingRecords.append(record);
    return QStringLiteral("题库暂时无法写入。");
}

bool SaveWaitingRecords(PracticeSession& s) {
    try {
        while (!s.waitingAnswers.isEmpty()) {
            WriteAnswer(s.Conn, s.waitingAnswers.first());
            s.waitingAnswers.removeFirst();
        }
        while (!s.waitingRecords.isEmpty()) {
            saveRecord(s.Conn, s.waitingRecords.first());
            s.waitingRecords.removeFirst();
        }
    } catch (const DatabaseError&) {
        return false;
    }
    return true;
}

QList<RecordRow> TenBestRecords(Bank& bank) {
    QList<RecordRow> rows;
    bank.forEachRow(Sql::tenBestRecords(), [&](const QSqlQuery& row) {
        rows.append({row.value(QStringLiteral("ID")).toLongLong(),
                     row.value(QStringLiteral("score")).toString().trimmed(),
                     row.value(QStringLiteral("RecordTime")).toString().trimmed()});
    });
    return rows;
}

void DeleteRecord(Bank& bank, qint64 id) {
    bank.execute(Sql::deleteRecord(id));
}

void DeleteAllRecords(Bank& bank) {
    bank.execute(Sql::deleteAllRecords());
}

bool HasWaiting(const PracticeSession& s) {
    return !s.waitingAnswers.isEmpty() || !s.waitingRecords.isEmpty();
}

QStringList SetAsideFiles(const QString& bankFile) {
    QStringList files = {bankFile + QStringLiteral(".unsaved.json")};
    if (const QString other = dataFolderFile(bankFile); !other.isEmpty()) files.append(other);
    return files;
}

QString SetAsideWaiting(PracticeSession& s, const QString& bankFile, QString* error) {
    if (!HasWaiting(s)) return {};
    const QStringList files = SetAsideFiles(bankFile);
    for (const QString& file : files) {
        // Work set aside before and not yet written in stays, ahead of this run's.
        QJsonArray scores, answers;
        QFile earlier(file);
        if (earlier.open(QIODevice::ReadOnly)) {
            const QJsonObject old = QJsonDocument::fromJson(earlier.read(4 << 20)).object();
            if (old.value(Marker).toInt() != 1) continue; // not ours to overwrite
            scores = old.value("scores").toArray();
            answers = old.value("answers").toArray();
        }
        for (const ExamRecord& r : s.waitingRecords)
            scores.append(toJson(r));
        for (const AnswerWrite& a : s.waitingAnswers)
            answers.append(toJson(a));
        const QJsonObject all{{Marker, 1},
                              {"bank", QFileInfo(bankFile).absoluteFilePath()},
                              {"scores", scores},
                              {"answers", answers}};
        if (writeJson(file, QJsonDocument(all).toJson())) {
            s.waitingRecords.clear();
            s.waitingAnswers.clear();
            return file;
        }
    }
    if (error)
        *error = QStringLiteral("无法写入“%1”。").arg(QDir::toNativeSeparators(files.first()));
    return {};
}

FoldedIn FoldInSetAside(PracticeSession& s, const QString& bankFile) {
    FoldedIn result;
    // A bank that cannot be written keeps nothing: the file waits for one that can.
    if (s.Conn.readOnly()) return result;
    for (const QString& file : SetAsideFiles(bankFile)) {
        if (!QFileInfo::exists(file)) continue;
        // Claimed by renaming, so a second copy starting at the same moment never writes the
        // same work in twice.
        const QString claimed =
            file + QStringLiteral(".%1").arg(QCoreApplication::applicationPid());
        if (!QFile::rename(file, claimed)) continue;
        QFile in(claimed);
        QList<ExamRecord> scores;
        QList<AnswerWrite> answers;
        bool sound = in.open(QIODevice::ReadOnly) && in.size() <= (4 << 20);
        const QJsonObject all =
            sound ? QJsonDocument::fromJson(in.readAll()).object() : QJsonObject();
        in.close();
        sound = sound && all.value(Marker).toInt() == 1;
        for (const QJsonValue& v : all.value("scores").toArray()) {
            const auto r = recordFrom(v.toObject());
            sound = sound && r.has_value();
            if (r) scores.append(*r);
        }
        for (const QJsonValue& v : all.value("answers").toArray()) {
            const auto a = answerFrom(v.toObject());
            sound = sound && a.has_value();
            if (a) answers.append(*a);
        }
        if (!sound) {
            QFile::rename(claimed, file);
            result.problem =
                QStringLiteral("文件“%1”里有上次未能保存的成绩或答题记录，但它已损坏，无法读取。")
                    .arg(QDir::toNativeSeparators(file));
            continue;
        }
        s.waitingAnswers.append(answers);
        s.waitingRecords.append(scores);
        // Written now, or waiting in the session for the bank to free up.
        SaveWaitingRecords(s);
        QFile::remove(claimed);
        result.scores += scores.size();
        result.answers += answers.size();
    }
    return result;
}
