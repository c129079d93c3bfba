#include "BankFile.h"
#include "Database.h"
#include "Safety.h"
#include "domain/Domain.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

QList<FieldProblem> questionProblems(const QuestionFields& f, const QString& bankName,
                                     const PictureExists& pictureExists,
                                     const QSet<QString>& ruleKeys) {
    QList<FieldProblem> problems;
    auto report = [&](const char* column, const QString& message) {
        problems.append({QString::fromLatin1(column), message});
    };
    bool ok = false;
    const qint64 number = f.id.toLongLong(&ok);
    if (!ok || number < 1 || number > MaxInt16)
        report("ID", QStringLiteral("the ID must be a whole number from 1 to %1").arg(MaxInt16));
    if (f.type != QLatin1String("1") && f.type != QLatin1String("2"))
        report("Type",
               QStringLiteral("Type is '%1', not 1 (choice) or 2 (true/false)").arg(shown(f.type)));
    else if (f.type == QLatin1String("1") && !QStringList{"1", "2", "3", "4"}.contains(f.answer))
        report("AnswerTrue", QStringLiteral("AnswerTrue '%1' is not 1-4 for a choice question")
                                 .arg(shown(f.answer)));
    else if (f.type == QLatin1String("2") && !QStringList{"1", "2"}.contains(f.answer))
        report("AnswerTrue",
               QStringLiteral("AnswerTrue '%1' is not 1 or 2 for a true/false question")
                   .arg(shown(f.answer)));
    if (f.question.trimmed().isEmpty()) report("Question", QStringLiteral("the wording is empty"));
    if (f.type == QLatin1String("1"))
        for (int i = 0; i < 4; ++i)
            if (f.options.value(i).trimmed().isEmpty())
                problems.append({QStringLiteral("An%1").arg(i + 1),
                                 QStringLiteral("option %1 is empty").arg(QChar(u'A' + i))});
    if (!f.image.isEmpty()) {
        if (const QString name = pictureNameProblem(f.image, bankName); !name.isEmpty())
            report("ImageUrl", name);
        else if (!pictureExists(f.image))
            report("ImageUrl", QStringLiteral("the picture '%1' does not exist").arg(f.image));
    }
    if (f.classes.isEmpty())
        report("LicenseType", QStringLiteral("the question belongs to no class"));
    for (const QChar c : f.classes)
        if (c != u'A' && c != u'B' && c != u'C')
            report("LicenseType",
                   QStringLiteral("class letter '%1' is not A, B or C").arg(shown(QString(c))));
    if (f.chap.size() != 1 || f.chap[0] < u'1' || f.chap[0] > u'9')
        report("chap", QStringLiteral("chapter code '%1' is not 1-9").arg(shown(f.chap)));
    if (!f.rule.isEmpty() && !ruleKeys.contains(f.rule))
        report(
            "Rule",
            QStringLiteral("rule '%1' is not one of the bank's rule changes").arg(shown(f.rule)));
    return problems;
}

QSet<QString> ruleKeys(const QSqlDatabase& db) {
    QSet<QString> keys;
    QSqlQuery q(db);
    if (db.tables().contains(QStringLiteral("RuleChange")) &&
        q.exec(QStringLiteral("select RuleKey from RuleChange")))
        while (q.next())
            keys.insert(q.value(0).toString());
    return keys;
}

QStringList checkQuestions(const QSqlDatabase& db, const QString& where,
                           const PictureExists& pictureExists) {
    QStringList problems;
    auto report = [&](const QString& id, const QString& what) {
        problems.append(id.isEmpty() ? QStringLiteral("%1: %2").arg(where, what)
                                     : QStringLiteral("%1: question %2: %3").arg(where, id, what));
    };
    QSqlQuery q(db);
    const bool ruled = tableColumns(db, QStringLiteral("Paper")).contains(QStringLiteral("Rule"));
    const QSet<QString> rules = ruleKeys(db);
    if (!q.exec(QStringLiteral("select ID, Type, Question, An1, An2, An3, An4, "
                               "AnswerTrue, ImageUrl, LicenseType, chap, %1 from Paper")
                    .arg(ruled ? QStringLiteral("Rule") : QStringLiteral("null")))) {
        report({}, QStringLiteral("not a question bank: ") + q.lastError().text());
        return problems;
    }
    QHash<QString, int> seen;
    QHash<QString, int> perClassChapter; // "C1" -> count
    qint64 total = 0;
    while (q.next()) {
        ++total;
        QuestionFields f;
        f.id = q.value(0).toString();
        f.type = q.value(1).toString();
        f.question = q.value(2).toString();
        for (int i = 3; i <= 6; ++i)
            f.options.append(q.value(i).toString());
        f.answer = q.value(7).toString();
        f.image = q.value(8).toString();
        f.classes = q.value(9).toString();
        f.chap = q.value(10).toString();
        f.rule = q.value(11).toString();
        if (seen[f.id]++ == 1) report(f.id, QStringLiteral("the ID is used more than once"));
        for (const FieldProblem& problem : questionProblems(f, where, pictureExists, rules))
            report(f.id, problem.message);
        for (const QChar c : f.classes)
            ++perClassChapter[QString(c) + f.chap];
    }
    if (total > MaxInt16)
        report({}, QStringLiteral("%1 questions: more than the %2 the program can hold")
                       .arg(total)
                       .arg(MaxInt16));
    for (const VehicleClass& vehicle : VehicleClasses()) {
        for (const auto& [chap, quota] : QuotasOf(vehicle.code)) {
            const int have = perClassChapter.value(vehicle.code + chap);
            if (have < 3 * quota)
                report({}, QStringLiteral("class %1, chapter %2: %3 questions, fewer than %4 "
                                          "(three times its exam quota)")
                               .arg(vehicle.code)
                               .arg(chap)
                               .arg(have)
                               .arg(3 * quota));
        }
    }
    return problems;
}

QStringList checkBank(const QString& file, const QString& picturesDir, QStringList* quality,
                      QList<PatternQuestion>* surface) {
    const QString where = QFileInfo(file).fileName();
    if (!QFileInfo(file).isFile())
        return {QStringLiteral("%1: the bank file does not exist").arg(where)};
    QStringList problems;
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("bankcheck-%1").arg(counter++);
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            problems.append(
                QStringLiteral("%1: not a question bank: %2").arg(where, db.lastError().text()));
        else {
            problems = checkQuestions(db, where, [&](const QString& image) {
                return QFileInfo(QDir(picturesDir).filePath(image)).isFile();
            });
            if (quality) *quality = checkQuality(db, where);
            QString error;
            if (surface) *surface = readPatternQuestions(db, error);
            if (!error.isEmpty())
                problems.append(QStringLiteral("%1: not a question bank: %2").arg(where, error));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problems;
}

namespace {

// Characters that carry meaning: punctuation and spaces dropped.
QString essence(const QString& text) {
    QString out;
    for (const QChar c : text)
        if (c.isLetterOrNumber()) out += c;
    return out;
}

QSet<QString> bigrams(const QString& text) {
    QSet<QString> grams;
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        grams.insert(text.mid(i, 2));
    return grams;
}

// An explanation rests on a law, a rule or a standard when it names one, or says plainly that
// it is common knowledge of driving or first aid.
bool namesASource(const QString& explain) {
    static const QRegularExpression source(QStringLiteral(
        "《|第[一二三四五六七八九十百零〇0-9]+条|GB|ISO|法|条例|规定|办法|标准|规范|常识"));
    return source.match(explain).hasMatch();
}

} // namespace

QStringList checkQuality(const QSqlDatabase& db, const QString& where) {
    QStringList problems;
    auto report = [&](const QString& id, const QString& what) {
        problems.append(id.isEmpty() ? QStringLiteral("%1: %2").arg(where, what)
                                     : QStringLiteral("%1: question %2: %3").arg(where, id, what));
    };
    QSqlQuery q(db);
    const bool tagged = tableColumns(db, QStringLiteral("Paper")).contains(QStringLiteral("Tags"));
    if (!q.exec(QStringLiteral("select ID, Type, Question, An1, An2, An3, An4, AnswerTrue, "
                               "ImageUrl, chap, Explain, %1 from Paper order by ID")
                    .arg(tagged ? QStringLiteral("Tags") : QStringLiteral("null")))) {
        report({}, QStringLiteral("not a question bank: ") + q.lastError().text());
        return problems;
    }
    struct Seen {
        QString id, key;
        QSet<QString> grams;
    };
    QList<Seen> seen;
    QMap<QString, QPair<int, int>> longest; // chapter -> (keyed only longest, choice questions)
    QMap<QString, int> letters;
    int choices = 0, judges = 0, right = 0;
    while (q.next()) {
        const QString id = q.value(0).toString();
        const bool choice = q.value(1).toString() == QLatin1String("1");
        const int answer = q.value(7).toInt();
        const QString chap = q.value(9).toString();
        const QString explain = q.value(10).toString().trimmed();
        const QStringList tags = TagsOf(q.value(11).toString());
        if (tags.isEmpty()) report(id, QStringLiteral("no topic tag"));
        for (const QString& tag : tags)
            if (!Topics().contains(tag))
                report(id, QStringLiteral("'%1' is not one of the topics").arg(shown(tag)));
        if (explain.isEmpty())
            report(id, QStringLiteral("no explanation"));
        else if (!namesASource(explain))
            report(id, QStringLiteral("the explanation names no law, rule or standard"));
        QString keyed;
        if (choice && answer >= 1 && answer <= 4) {
            ++choices;
            ++letters[QString(QChar(u'A' + answer - 1))];
            keyed = q.value(2 + answer).toString();
            bool onlyLongest = true;
            for (int i = 1; i <= 4; ++i)
                if (i != answer && q.value(2 + i).toString().size() >= keyed.size())
                    onlyLongest = false;
            auto& [count, of] = longest[chap];
            count += onlyLongest;
            ++of;
        } else if (!choice) {
            ++judges;
            right += answer == 1;
            keyed = answer == 1 ? QStringLiteral("对") : QStringLiteral("错");
        }
        // The same wording with the same right answer and picture asks the same thing.
        const QString key = essence(q.value(2).toString()) + QLatin1Char('|') + essence(keyed) +
                            QLatin1Char('|') + q.value(8).toString();
        const QSet<QString> grams = bigrams(key);
        for (const Seen& other : std::as_const(seen)) {
            if (other.key == key) {
                report(id, QStringLiteral("the same question as %1").arg(other.id));
                break;
            }
            // Nine in ten grams shared needs sets within a tenth of each other's size; most
            // pairs end here, which keeps the check fast on a bank of thousands.
            const QSet<QString>& fewer = grams.size() <= other.grams.size() ? grams : other.grams;
            const QSet<QString>& more = &fewer == &grams ? other.grams : grams;
            if (fewer.size() * 10 < more.size() * 9) continue;
            qsizetype shared = 0;
            for (const QString& gram : fewer)
                shared += more.contains(gram);
            const qsizetype all = grams.size() + other.grams.size() - shared;
            if (all > 0 && shared * 100 >= all * 90) {
                report(id, QStringLiteral("nearly the same question as %1").arg(other.id));
                break;
            }
        }
        seen.append({id, key, grams});
    }
    for (auto it = longest.cbegin(); it != longest.cend(); ++it)
        if (it.value().first * 100 > it.value().second * 30)
            report({}, QStringLiteral("chapter %1: the right option is the only longest one in %2 "
                                      "of %3 choice questions (more than 30 %)")
                           .arg(it.key())
                           .arg(it.value().first)
                           .arg(it.value().second));
    if (choices > 0)
        for (const QString letter : {"A", "B", "C", "D"})
            if (letters[letter] * 100 < choices * 20 || letters[letter] * 100 > choices * 30)
                report({}, QStringLiteral("%1 is the right option in %2 of %3 choice questions "
                                          "(not 20-30 %)")
                               .arg(letter)
                               .arg(letters[letter])
                               .arg(choices));
    if (judges > 0 && (right * 100 < judges * 40 || right * 100 > judges * 60))
        report({}, QStringLiteral("对 is right in %1 of %2 true/false questions (not 40-60 %)")
                       .arg(right)
                       .arg(judges));
    return problems;
}
