#include "Domain.h"

const QList<VehicleClass>& VehicleClasses() {
    static const QList<VehicleClass> classes = {
        {QStringLiteral("C"), QStringLiteral("小车版"),
         QStringLiteral("小车版(C1、C2、C3、C4、C5)")},
        {QStringLiteral("B"), QStringLiteral("货车版"), QStringLiteral("货车版(A2、B2)")},
        {QStringLiteral("A"), QStringLiteral("客车版"), QStringLiteral("客车版(A1、A3、B1)")}};
    return classes;
}

int ClassIndex(const QString& code) {
    const auto& classes = VehicleClasses();
    for (int i = 0; i < classes.size(); ++i)
        if (classes[i].code == code) return i;
    return -1;
}

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

QString ChapterTitle(const QString& chapter) {
    static const QStringList titles = {QStringLiteral("道路交通安全法律、法规和规章"),
                                       QStringLiteral("道路交通信号及其含义"),
                                       QStringLiteral("安全行车、文明驾驶基础知识"),
                                       QStringLiteral("机动车驾驶操作相关基础知识"),
                                       QStringLiteral("复杂道路和恶劣气象条件下的安全驾驶知识"),
                                       QStringLiteral("紧急情况下的临危处置知识"),
                                       QStringLiteral("交通事故救护及常见危险化学品处置常识"),
                                       QStringLiteral("客车专用知识"),
                                       QStringLiteral("货车专用知识")};
    bool ok = false;
    const int n = chapter.toInt(&ok);
    return ok && n >= 1 && n <= titles.size() ? titles[n - 1] : QString();
}

QList<QPair<QString, QString>> ShippedSettings() {
    return {{Key::CarType, QStringLiteral("C")},     {Key::AutoSkip, QStringLiteral("1")},
            {Key::NumberMode, QStringLiteral("1")},  {Key::ResumePoint, QStringLiteral("1")},
            {Key::Skin, QStringLiteral("0")},        {Key::ExamTime, QStringLiteral("45")},
            {Key::PassScore, QStringLiteral("90")},  {Key::AutoRemove, QStringLiteral("1")},
            {Key::StudyMode, QStringLiteral("0")},   {Key::WindowGeometry, QStringLiteral("")},
            {Key::FontStep, QStringLiteral("0")},    {Key::AutoRead, QStringLiteral("0")},
            {Key::UnseenFirst, QStringLiteral("0")}, {Key::ExamHall, QStringLiteral("0")},
            {Key::HallMovesOn, QStringLiteral("1")}, {Key::HallChangeable, QStringLiteral("1")},
            {Key::HallOrder, QStringLiteral("0")},   {Key::HallTooManyWrong, QStringLiteral("0")},
            {Key::CandidateName, QString()},         {Key::CandidateId, QString()}};
}

QString ShippedSetting(const QString& key) {
    for (const auto& [k, value] : ShippedSettings())
        if (k == key) return value;
    return {};
}

const QStringList& NewerSettingKeys() {
    static const QStringList keys = {Key::StudyMode,        Key::WindowGeometry, Key::FontStep,
                                     Key::AutoRead,         Key::UnseenFirst,    Key::ExamHall,
                                     Key::HallMovesOn,      Key::HallChangeable, Key::HallOrder,
                                     Key::HallTooManyWrong, Key::CandidateName,  Key::CandidateId};
    return keys;
}
