#include "ExamStart.h"

#include "../domain/Paper.h"
#include "../platform/Platform.h"
#include "../store/Module1.h"
#include "../store/Statements.h"
#include "../ui/AppContext.h"

#include <QDateTime>
#include <QSqlQuery>

std::optional<int> ExamMinutes(AppContext& s, QWidget* owner) {
    const int minutes = GetExamTime(s.Conn);
    if (minutes < MinExamMinutes || minutes > MaxExamMinutes) {
        s.platform.information(
            owner, QStringLiteral("提示"),
            QStringLiteral("考试时间设置为 %1 分钟，无法开始考试：考试时间应在 %2 到 %3 分钟之间。")
                .arg(minutes)
                .arg(MinExamMinutes)
                .arg(MaxExamMinutes));
        return std::nullopt;
    }
    const int pass = GetPassScore(s.Conn);
    if (pass < MinPassScore || pass > MaxPassScore) {
        s.platform.information(
            owner, QStringLiteral("提示"),
            QStringLiteral("合格分数设置为 %1 分，无法开始考试：合格分数应在 %2 到 %3 分之间。")
                .arg(pass)
                .arg(MinPassScore)
                .arg(MaxPassScore));
        return std::nullopt;
    }
    return minutes;
}

// Every chapter is read before anything is drawn, so a chapter without questions stops the
// paper before it replaces the set.
std::optional<ExamStart> DrawExam(AppContext& s, QWidget* owner) {
    const auto minutes = ExamMinutes(s, owner);
    if (!minutes) return std::nullopt;
    const ChapterQuotas quotas = QuotasOf(s.practice.CarTypeCode);
    if (quotas.isEmpty()) return std::nullopt;
    std::vector<QStringList> chapters;
    for (const auto& [chapter, quota] : quotas) {
        QStringList ids;
        s.Conn.forEachRow(Sql::chapterIds(s.practice.CarTypeCode, chapter),
                          [&](const QSqlQuery& row) { ids.append(row.value(0).toString()); });
        if (ids.isEmpty()) {
            s.platform.information(
                owner, QStringLiteral("提示"),
                QStringLiteral("题库中第%1章没有本车型的试题，无法组成考试试卷。").arg(chapter));
            return std::nullopt;
        }
        chapters.push_back(ids);
    }
    static std::mt19937 random(std::random_device{}() ^
                               static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));
    return ExamStart{ComposePaper(quotas, std::move(chapters), random), *minutes};
}
