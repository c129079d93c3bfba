#include "ExamPaper.h"

ChapterQuotas QuotasOf(const QString& code) {
    if (code == QLatin1String("C"))
        return {{"1", 25}, {"2", 20}, {"3", 25}, {"4", 10}, {"5", 10}, {"6", 5}, {"7", 5}};
    if (code == QLatin1String("B"))
        return {{"1", 25}, {"2", 15}, {"3", 25}, {"4", 10},
                {"5", 10}, {"6", 5},  {"7", 5},  {"9", 5}};
    if (code == QLatin1String("A"))
        return {{"1", 25}, {"2", 15}, {"3", 25}, {"4", 10},
                {"5", 10}, {"6", 5},  {"7", 5},  {"8", 5}};
    return {};
}
