#include "BankFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

// Questions each class's paper draws from each chapter.
const QMap<QChar, QList<QPair<QString, int>>>& quotas() {
    static const QMap<QChar, QList<QPair<QString, int>>> table = {
        {QLatin1Char('C'), {{"1", 25}, {"2", 20}, {"3", 25}, {"4", 10}, {"5", 10}, {"6", 5}, {"7", 5}}},
        {QLatin1Char('B'), {{"1", 25}, {"2", 15}, {"3", 25}, {"4", 10}, {"5", 10}, {"6", 5}, {"7", 5}, {"9", 5}}},
        {QLatin1Char('A'), {{"1", 25}, {"2", 15}, {"3", 25}, {"4", 10}, {"5", 10}, {"6", 5}, {"7", 5}, {"8", 5}}},
    };
    return table;
}

constexpr qint64 MaxInt16 = 32767;

} // namespace

QStringList checkBank(const QString& file, const QString& picturesDir) {
    QStringList problems;
    const QString where = QFileInfo(file).fileName();
    auto report = [&](const QString& id, const QString& what) {
        problems.append(id.isEmpty() ? QStringLiteral("%1: %2").arg(where, what)
                                     : QStringLiteral("%1: question %2: %3").arg(where, id, what));
    };
    if (!QFileInfo(file).isFile()) {
        report({}, QStringLiteral("the bank file does not exist"));
        return problems;
    }
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("bankcheck-%1").arg(counter++);
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery q(db);
        if (!db.open() || !q.exec(QStringLiteral("select ID, Type, Question, An1, An2, An3, An4, "
                                                 "AnswerTrue, ImageUrl, LicenseType, chap from Paper"))) {
            report({}, QStringLiteral("not a question bank: ") +
                           (db.isOpen() ? q.lastError().text() : db.lastError().text()));
        } else {
            QHash<QString, int> seen;
            QHash<QString, int> perClassChapter; // "C1" -> count
            qint64 total = 0;
            while (q.next()) {
                ++total;
                const QString id = q.value(0).toString();
                if (seen[id]++ == 1) report(id, QStringLiteral("the ID is used more than once"));
                bool ok = false;
                const qint64 number = id.toLongLong(&ok);
                if (!ok || number < 1 || number > MaxInt16)
                    report(id, QStringLiteral("the ID must be a whole number from 1 to %1").arg(MaxInt16));
                const QString type = q.value(1).toString();
                const QString answer = q.value(7).toString();
                if (type != QLatin1String("1") && type != QLatin1String("2"))
                    report(id, QStringLiteral("Type is '%1', not 1 (choice) or 2 (true/false)").arg(type));
                else if (type == QLatin1String("1") && !QStringList{"1", "2", "3", "4"}.contains(answer))
                    report(id, QStringLiteral("AnswerTrue '%1' is not 1-4 for a choice question").arg(answer));
                else if (type == QLatin1String("2") && !QStringList{"1", "2"}.contains(answer))
                    report(id, QStringLiteral("AnswerTrue '%1' is not 1 or 2 for a true/false question").arg(answer));
                if (q.value(2).toString().trimmed().isEmpty())
                    report(id, QStringLiteral("the wording is empty"));
                if (type == QLatin1String("1"))
                    for (int i = 3; i <= 6; ++i)
                        if (q.value(i).toString().trimmed().isEmpty())
                            report(id, QStringLiteral("option %1 is empty").arg(QChar(u'A' + (i - 3))));
                const QString image = q.value(8).toString();
                if (!image.isEmpty() && !QFileInfo(QDir(picturesDir).filePath(image)).isFile())
                    report(id, QStringLiteral("the picture '%1' does not exist").arg(image));
                const QString classes = q.value(9).toString();
                if (classes.isEmpty()) report(id, QStringLiteral("the question belongs to no class"));
                for (const QChar c : classes)
                    if (c != u'A' && c != u'B' && c != u'C')
                        report(id, QStringLiteral("class letter '%1' is not A, B or C").arg(c));
                const QString chap = q.value(10).toString();
                if (chap.size() != 1 || chap[0] < u'1' || chap[0] > u'9')
                    report(id, QStringLiteral("chapter code '%1' is not 1-9").arg(chap));
                for (const QChar c : classes) ++perClassChapter[QString(c) + chap];
            }
            if (total > MaxInt16)
                report({}, QStringLiteral("%1 questions: more than the %2 the program can hold").arg(total).arg(MaxInt16));
            for (auto it = quotas().begin(); it != quotas().end(); ++it) {
                for (const auto& [chap, quota] : it.value()) {
                    const int have = perClassChapter.value(QString(it.key()) + chap);
                    if (have < 3 * quota)
                        report({}, QStringLiteral("class %1, chapter %2: %3 questions, fewer than %4 "
                                                  "(three times its exam quota)")
                                       .arg(it.key())
                                       .arg(chap)
                                       .arg(have)
                                       .arg(3 * quota));
                }
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return problems;
}
