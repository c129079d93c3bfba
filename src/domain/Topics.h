#pragma once

#include <QStringList>

// The topics a question is tagged with (the bank's Tags column, separated by ", "); the
// shipped bank uses these and no others.
inline const QStringList& Topics() {
    static const QStringList topics = {
        QStringLiteral("交通标志"),     QStringLiteral("交通标线"),
        QStringLiteral("信号灯"),       QStringLiteral("交警手势"),
        QStringLiteral("仪表与指示灯"), QStringLiteral("灯光使用"),
        QStringLiteral("速度"),         QStringLiteral("距离与数字"),
        QStringLiteral("罚款与记分"),   QStringLiteral("饮酒与毒驾"),
        QStringLiteral("高速公路"),     QStringLiteral("驾驶证与实习期"),
        QStringLiteral("登记与检验"),   QStringLiteral("事故处理"),
        QStringLiteral("急救与危险品"), QStringLiteral("恶劣天气与复杂道路"),
        QStringLiteral("通行与让行"),   QStringLiteral("安全文明驾驶"),
        QStringLiteral("车辆操作"),     QStringLiteral("客车专用"),
        QStringLiteral("货车专用")};
    return topics;
}

inline QStringList TagsOf(const QString& column) {
    QStringList tags;
    for (const QString& tag : column.split(QLatin1Char(',')))
        if (!tag.trimmed().isEmpty()) tags.append(tag.trimmed());
    return tags;
}
