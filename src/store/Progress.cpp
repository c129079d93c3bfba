#include "Progress.h"

#include "Bank.h"
#include "Module1.h"
#include "Statements.h"

#include <QHash>

Progress ReadProgress(Bank& bank, const QString& code) {
    Progress p;
    QHash<QString, ChapterStanding> found;
    // A read-only bank from before the history has totals only.
    const Statement standings =
        bank.hasHistory() ? Sql::chapterStandings(code)
                          : Statement(QStringLiteral("select chap, count(0), 0, 0 from Paper "
                                                     "where LicenseType like '%' || ? || '%' "
                                                     "group by chap"),
                                      {code});
    bank.forEachRow(standings, [&](const QSqlQuery& row) {
        ChapterStanding c;
        c.chapter = row.value(0).toString().trimmed();
        c.total = row.value(1).toInt();
        c.seen = row.value(2).toInt();
        c.right = row.value(3).toInt();
        found.insert(c.chapter, c);
    });
    for (const auto& [chapter, quota] : QuotasOf(code)) {
        ChapterStanding c = found.value(chapter);
        c.chapter = chapter;
        c.quota = quota;
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
        p.scores.append({QDateTime::fromString(row.value(1).toString().trimmed(),
                                               QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                         row.value(0).toInt()});
    });
    return p;
}
