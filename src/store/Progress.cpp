#include "Progress.h"

#include "Bank.h"
#include "Module1.h"
#include "Statements.h"

#include <QHash>
#include <algorithm>

Progress ReadProgress(Bank& bank, const QString& code) {
    Progress p;
    QHash<QString, ChapterStanding> found;
    bank.forEachRow(Sql::chapterTotals(code), [&](const QSqlQuery& row) {
        found[row.value(0).toString().trimmed()].total = row.value(1).toInt();
    });
    // A read-only bank from before the history has totals only.
    if (bank.hasHistory())
        bank.forEachRow(Sql::chapterAnswers(code), [&](const QSqlQuery& row) {
            ChapterStanding& c = found[row.value(0).toString().trimmed()];
            c.seen = row.value(1).toInt();
            c.right = row.value(2).toInt();
        });
    for (const auto& [chapter, quota] : QuotasOf(code)) {
        ChapterStanding c = found.take(chapter);
        c.chapter = chapter;
        c.quota = quota;
        p.chapters.append(c);
    }
    // Chapters of the class that its paper never draws from (say the questions a bus and a
    // truck share, filed under 货车专用知识) still count for what the learner has practised.
    QStringList others = found.keys();
    std::sort(others.begin(), others.end(),
              [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    for (const QString& chapter : others) {
        ChapterStanding c = found.value(chapter);
        if (c.total <= 0) continue;
        c.chapter = chapter;
        p.chapters.append(c);
    }
    p.passScore = GetPassScore(bank);
    p.passChance = PassChance(p.chapters, p.passScore);
    if (bank.hasHistory())
        bank.forEachRow(Sql::oftenWrong(code), [&](const QSqlQuery& row) {
            p.oftenWrong.append({row.value(0).toLongLong(), row.value(3).toString(),
                                 row.value(1).toInt(), row.value(2).toInt()});
        });
    bank.forEachRow(Sql::scoreTrend(code), [&](const QSqlQuery& row) {
        p.scores.append({row.value(1).toString(), row.value(0).toInt()});
    });
    return p;
}
