#include "Records.h"

#include "../core/Paper.h"
#include "../core/Practice.h"
#include "DatabaseError.h"
#include "Session.h"
#include "Statements.h"

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
const QLatin1String DayFormat("yyyy-MM-dd");
const QLatin1String Marker("kemu1-unsaved");

QJsonObject toJson(const ExamRecord& r) {
    return {{"score", r.score},
            {"carType", r.carType},
            {"seconds", r.seconds},
            {"chapterRights", r.chapterRights},
            {"earned", r.earned.toString(TimeFormat)}};
}

QJsonObject toJson(const AnswerWrite& a) {
    return {{"id", a.id},
            {"carType", a.carType},
            {"mode", a.mode},
            {"answer", a.answer},
            {"right", a.right},
            {"seconds", a.seconds},
            {"resume", a.keepsResumePoint},
            {"removeRight", a.removeRightFromWrong},
            {"review", a.inReview},
            {"day", a.day.toString(DayFormat)}};
}

bool isClass(const QString& code) {
    return code.isEmpty() || code == QLatin1String("A") || code == QLatin1String("B") ||
           code == QLatin1String("C");
}

// Only what the program itself writes is taken back; anything else means a damaged file.
std::optional<ExamRecord> recordFrom(const QJsonObject& o) {
    ExamRecord r;
    r.score = o.value("score").toInt(-1);
    r.carType = o.value("carType").toString();
    r.seconds = o.value("seconds").toInt(-1);
    r.chapterRights = o.value("chapterRights").toString();
    r.earned = QDateTime::fromString(o.value("earned").toString(), TimeFormat);
    if (r.score < 0 || r.score > 100 || !isClass(r.carType) || r.seconds < 0 || r.seconds > 32767 ||
        r.chapterRights.size() > 200 || !r.earned.isValid())
        return std::nullopt;
    return r;
}

std::optional<AnswerWrite> answerFrom(const QJsonObject& o) {
    static const QStringList answers = {QStringLiteral("A"),  QStringLiteral("B"),
                                        QStringLiteral("C"),  QStringLiteral("D"),
                                        QStringLiteral("对"), QStringLiteral("错")};
    AnswerWrite a;
    a.id = static_cast<qint64>(o.value("id").toDouble(-1));
    a.carType = o.value("carType").toString();
    a.mode = o.value("mode").toString();
    a.answer = o.value("answer").toString();
    a.right = o.value("right").toBool();
    a.seconds = o.value("seconds").toInt(-1);
    a.keepsResumePoint = o.value("resume").toBool();
    a.removeRightFromWrong = o.value("removeRight").toBool();
    a.inReview = o.value("review").toBool();
    a.day = QDate::fromString(o.value("day").toString(), DayFormat);
    if (a.id <= 0 || !isClass(a.carType) || a.mode.size() > 20 || !answers.contains(a.answer) ||
        a.seconds < 0 || !a.day.isValid())
        return std::nullopt;
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

} // namespace

QString SaveExamRecord(Session& s, int score) {
    ExamRecord record;
    record.score = score;
    record.carType = s.CarTypeCode;
    record.seconds = qMax(0, s.ExamLength - s.ExamSeconds);
    record.chapterRights = ChapterRights(QuotasOf(s.CarTypeCode), s.set);
    // Waiting scores go first, so the list keeps the order they were earned in.
    if (SaveWaitingRecords(s)) {
        try {
            s.Conn.execute(Sql::insertRecord(record));
            return {};
        } catch (const DatabaseError& e) {
            s.waitingRecords.append(record);
            return e.description();
        }
    }
    s.waitingRecords.append(record);
    return QStringLiteral("题库暂时无法写入。");
}

bool SaveWaitingRecords(Session& s) {
    try {
        while (!s.waitingAnswers.isEmpty()) {
            WriteAnswer(s.Conn, s.waitingAnswers.first());
            s.waitingAnswers.removeFirst();
        }
        while (!s.waitingRecords.isEmpty()) {
            s.Conn.execute(Sql::insertRecord(s.waitingRecords.first()));
            s.waitingRecords.removeFirst();
        }
    } catch (const DatabaseError&) {
        return false;
    }
    return true;
}

bool HasWaiting(const Session& s) {
    return !s.waitingAnswers.isEmpty() || !s.waitingRecords.isEmpty();
}

QStringList SetAsideFiles(const QString& bankFile) {
    QStringList files = {bankFile + QStringLiteral(".unsaved.json")};
    if (const QString other = dataFolderFile(bankFile); !other.isEmpty()) files.append(other);
    return files;
}

QString SetAsideWaiting(Session& s, QString* error) {
    if (!HasWaiting(s)) return {};
    const QStringList files = SetAsideFiles(s.bankFile);
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
                              {"bank", QFileInfo(s.bankFile).absoluteFilePath()},
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

FoldedIn FoldInSetAside(Session& s) {
    FoldedIn result;
    // A bank that cannot be written keeps nothing: the file waits for one that can.
    if (s.Conn.readOnly()) return result;
    for (const QString& file : SetAsideFiles(s.bankFile)) {
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
