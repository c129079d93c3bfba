#include "Summary.h"

#include "../domain/Domain.h"
#include "../domain/Review.h"
#include "../store/Bank.h"
#include "../store/Module1.h"
#include "../store/Progress.h"
#include "../store/ReviewStatements.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

int LearnerSummary::seen() const {
    int n = 0;
    for (const ChapterOutlook& c : estimate.chapters)
        n += c.seen;
    return n;
}

int LearnerSummary::total() const {
    int n = 0;
    for (const ChapterOutlook& c : estimate.chapters)
        n += c.total;
    return n;
}

double LearnerSummary::coverage() const {
    return total() > 0 ? double(seen()) / total() : 0.0;
}

LearnerSummary ReadSummary(Bank& bank, const QDateTime& now) {
    LearnerSummary s;
    s.carType = ReadSetting(bank, Key::CarType);
    const Progress p = ReadProgress(bank, s.carType, now);
    s.anyHistory = p.anyHistory;
    s.estimate = p.estimate;
    std::stable_sort(s.estimate.chapters.begin(), s.estimate.chapters.end(),
                     [](const ChapterOutlook& a, const ChapterOutlook& b) {
                         return a.expectedLoss() > b.expectedLoss();
                     });
    QList<TaggedQuestion> tagged;
    bank.forEachRow(
        Sql::classTagsWithAnswers(s.carType, bank.hasHistory()), [&](const QSqlQuery& row) {
            tagged.append({row.value(0).toString(), row.value(1).toInt(), row.value(2).toInt()});
        });
    for (const TopicCount& t : CountTopics(tagged))
        if (t.answered > 0) s.topics.append({t.topic, t.answered, t.right});
    std::stable_sort(s.topics.begin(), s.topics.end(),
                     [](const TopicFigure& a, const TopicFigure& b) {
                         return double(a.right) / a.answered < double(b.right) / b.answered;
                     });
    return s;
}

QString ChaptersJson(const QList<ChapterOutlook>& chapters) {
    QJsonArray list;
    for (const ChapterOutlook& c : chapters)
        list.append(QJsonObject{{QStringLiteral("chapter"), c.chapter},
                                {QStringLiteral("quota"), c.quota},
                                {QStringLiteral("total"), c.total},
                                {QStringLiteral("seen"), c.seen},
                                {QStringLiteral("chance"), c.chance}});
    return QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
}

QList<ChapterOutlook> ChaptersFromJson(const QString& text) {
    QList<ChapterOutlook> chapters;
    for (const QJsonValue& v : QJsonDocument::fromJson(text.toUtf8()).array()) {
        const QJsonObject o = v.toObject();
        chapters.append({o.value(QStringLiteral("chapter")).toString(),
                         o.value(QStringLiteral("quota")).toInt(),
                         o.value(QStringLiteral("total")).toInt(),
                         o.value(QStringLiteral("seen")).toInt(),
                         o.value(QStringLiteral("chance")).toDouble()});
    }
    return chapters;
}

QString TopicsJson(const QList<TopicFigure>& topics) {
    QJsonArray list;
    for (const TopicFigure& t : topics)
        list.append(QJsonObject{{QStringLiteral("topic"), t.topic},
                                {QStringLiteral("answered"), t.answered},
                                {QStringLiteral("right"), t.right}});
    return QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
}

QList<TopicFigure> TopicsFromJson(const QString& text) {
    QList<TopicFigure> topics;
    for (const QJsonValue& v : QJsonDocument::fromJson(text.toUtf8()).array()) {
        const QJsonObject o = v.toObject();
        topics.append({o.value(QStringLiteral("topic")).toString(),
                       o.value(QStringLiteral("answered")).toInt(),
                       o.value(QStringLiteral("right")).toInt()});
    }
    return topics;
}
