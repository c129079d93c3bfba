#include "Question.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

namespace {

struct Block {
    int line = 0;
    QHash<QString, QString> values;
    QHash<QString, int> lines; // the line of each key
};

QList<Block> readBlocks(const QString& file, QList<SourceProblem>& problems) {
    QList<Block> blocks;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        problems.append({file, 0, QStringLiteral("cannot read the file")});
        return blocks;
    }
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    Block current;
    int number = 0;
    auto finish = [&] {
        if (!current.values.isEmpty()) blocks.append(current);
        current = {};
    };
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++number;
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty()) {
            finish();
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('#'))) continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0) {
            problems.append({file, number, QStringLiteral("expected 'key: value'")});
            continue;
        }
        if (current.values.isEmpty()) current.line = number;
        const QString key = line.left(colon).trimmed();
        if (current.values.contains(key))
            problems.append({file, number, QStringLiteral("key '%1' given twice").arg(key)});
        current.values.insert(key, line.mid(colon + 1).trimmed());
        current.lines.insert(key, number);
    }
    finish();
    return blocks;
}

} // namespace

QList<Question> readSourceFile(const QString& file, QList<SourceProblem>& problems,
                               const QSet<QString>* ruleKeys) {
    QList<Question> questions;
    const QList<Block> blocks = readBlocks(file, problems);
    if (blocks.isEmpty()) return questions;
    const Block& header = blocks.first();
    const QString chap = header.values.value(QStringLiteral("chap"));
    const QString title = header.values.value(QStringLiteral("title"));
    if (chap.isEmpty() || title.isEmpty() || header.values.contains(QStringLiteral("id"))) {
        problems.append(
            {file, header.line, QStringLiteral("the file must open with 'chap:' and 'title:'")});
        return questions;
    }
    for (qsizetype i = 1; i < blocks.size(); ++i) {
        const Block& b = blocks[i];
        auto value = [&](const char* key) { return b.values.value(QString::fromLatin1(key)); };
        Question q;
        bool ok = false;
        q.id = value("id").toLongLong(&ok);
        if (!ok) {
            problems.append({file, b.line, QStringLiteral("missing or bad 'id'")});
            continue;
        }
        const QString type = value("type");
        const QString answer = value("answer");
        q.question = value("question");
        q.imageUrl = value("image");
        q.licenseType = value("class");
        q.explain = value("explain");
        q.tags = value("tags");
        q.rule = value("rule");
        q.chap = chap;
        q.strType = title;
        if (type == QLatin1String("choice")) {
            q.type = QStringLiteral("1");
            q.options = {value("A"), value("B"), value("C"), value("D")};
            const qsizetype letter = QStringLiteral("ABCD").indexOf(answer);
            q.answerTrue = answer.size() == 1 && letter >= 0 ? QString::number(letter + 1) : answer;
        } else if (type == QLatin1String("judge")) {
            q.type = QStringLiteral("2");
            q.options = {QString(), QString(), QString(), QString()};
            q.answerTrue = answer == QStringLiteral("对")   ? QStringLiteral("1")
                           : answer == QStringLiteral("错") ? QStringLiteral("2")
                                                            : answer;
        } else {
            problems.append(
                {file, b.line,
                 QStringLiteral("question %1: type must be 'choice' or 'judge'").arg(q.id)});
            continue;
        }
        if (ruleKeys && !q.rule.isEmpty() && !ruleKeys->contains(q.rule))
            problems.append({file, b.lines.value(QStringLiteral("rule")),
                             QStringLiteral("question %1: rule '%2' is not a key of rules.txt")
                                 .arg(q.id)
                                 .arg(q.rule)});
        questions.append(q);
    }
    return questions;
}

QList<Question> readSource(const QString& questionsDir, QList<SourceProblem>& problems,
                           const QSet<QString>* ruleKeys) {
    QList<Question> all;
    const QDir dir(questionsDir);
    const QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (files.isEmpty()) problems.append({questionsDir, 0, QStringLiteral("no question files")});
    for (const QString& name : files)
        all.append(readSourceFile(dir.filePath(name), problems, ruleKeys));
    return all;
}

QList<RuleChange> readRules(const QString& file, QList<SourceProblem>& problems) {
    QList<RuleChange> rules;
    if (!QFileInfo::exists(file)) return rules;
    static const QRegularExpression keyForm(QStringLiteral("^[a-z0-9]+(-[a-z0-9]+)*$"));
    static const QStringList known = {"rule", "date", "source", "change"};
    QSet<QString> seen;
    for (const Block& b : readBlocks(file, problems)) {
        auto value = [&](const char* key) { return b.values.value(QString::fromLatin1(key)); };
        const RuleChange rule{value("rule"), value("date"), value("source"), value("change")};
        auto problem = [&](const QString& what) {
            problems.append(
                {file, b.line,
                 rule.key.isEmpty() ? what : QStringLiteral("rule %1: %2").arg(rule.key, what)});
        };
        for (auto it = b.values.cbegin(); it != b.values.cend(); ++it)
            if (!known.contains(it.key()))
                problems.append({file, b.lines.value(it.key()),
                                 QStringLiteral("unknown key '%1' (rule, date, source, change)")
                                     .arg(it.key())});
        if (!keyForm.match(rule.key).hasMatch()) {
            problem(QStringLiteral("'rule:' must be a key of small letters, digits and dashes"));
            continue;
        }
        if (seen.contains(rule.key)) problem(QStringLiteral("the key is given twice"));
        seen.insert(rule.key);
        if (!QDate::fromString(rule.date, Qt::ISODate).isValid())
            problem(QStringLiteral("'date:' must be the day it came in force, as 2022-04-01"));
        if (rule.source.isEmpty()) problem(QStringLiteral("'source:' is missing"));
        if (rule.change.isEmpty()) problem(QStringLiteral("'change:' is missing"));
        rules.append(rule);
    }
    return rules;
}

SourceData readData(const QString& dataDir, QList<SourceProblem>& problems) {
    const QDir dir(dataDir);
    SourceData data;
    data.rules = readRules(dir.filePath(QStringLiteral("rules.txt")), problems);
    QSet<QString> keys;
    for (const RuleChange& rule : std::as_const(data.rules))
        keys.insert(rule.key);
    data.questions = readSource(dir.filePath(QStringLiteral("questions")), problems, &keys);
    return data;
}
