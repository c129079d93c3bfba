#include "Numbers.h"

#include "DatabaseError.h"

#include <QRegularExpression>
#include <cmath>

qint64 wholeNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\s*([-+]?\\d+(\\.\\d*)?)"));
    const auto m = number.match(text);
    if (!m.hasMatch()) return 0;
    const double value = std::floor(m.captured(1).toDouble());
    if (value > 9e15 || value < -9e15) return 0;
    return static_cast<qint64>(value);
}

qint64 wholePartOf(const QVariant& value, const QString& what, qint64 limit) {
    bool ok = false;
    const double number = value.isNull() ? 0 : value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        throw DatabaseError(
            DatabaseError::TypeMismatch,
            QStringLiteral("类型不匹配：%1的值“%2”不是数字。").arg(what, value.toString()));
    const double whole = std::floor(number);
    if (whole > static_cast<double>(limit) || whole < -static_cast<double>(limit) - 1)
        throw DatabaseError(DatabaseError::Overflow,
                            QStringLiteral("溢出：%1的值 %2 超出了本软件能处理的范围（最大 %3）。")
                                .arg(what, value.toString())
                                .arg(limit));
    return static_cast<qint64>(whole);
}
