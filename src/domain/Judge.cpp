#include "Judge.h"

#include <QStringList>

namespace {

const QStringList& textsOf(Kind kind) {
    static const QStringList choice = {QStringLiteral("A"), QStringLiteral("B"),
                                       QStringLiteral("C"), QStringLiteral("D")};
    static const QStringList judge = {QStringLiteral("对"), QStringLiteral("错")};
    static const QStringList none;
    return kind == Kind::Choice ? choice : kind == Kind::TrueFalse ? judge : none;
}

// Whole percent with ties to the even digit: 1/8 gives 12, 3/8 gives 38.
qint64 roundedPercent(qint64 right, qint64 answered) {
    const qint64 scaled = right * 100;
    qint64 q = scaled / answered;
    const qint64 twice = 2 * (scaled - q * answered);
    if (twice > answered || (twice == answered && q % 2 != 0)) ++q;
    return q;
}

} // namespace

Kind KindOf(const QString& type) {
    if (type == QLatin1String("1")) return Kind::Choice;
    if (type == QLatin1String("2")) return Kind::TrueFalse;
    return Kind::Unknown;
}

int AnswerCode(Kind kind, const QString& answer) {
    return static_cast<int>(textsOf(kind).indexOf(answer)) + 1;
}

QString AnswerText(Kind kind, const QString& code) {
    bool ok = false;
    const int n = code.toInt(&ok);
    const QStringList& texts = textsOf(kind);
    return ok && n >= 1 && n <= texts.size() ? texts[n - 1] : code;
}

bool IsRight(Kind kind, const QString& rightCode, const QString& given) {
    return AnswerText(kind, rightCode) == given;
}

QString RateCaption(int right, int answered) {
    if (answered <= 0) return QStringLiteral("0.00%");
    return QString::number(roundedPercent(right, answered)) + QStringLiteral(".00%");
}
