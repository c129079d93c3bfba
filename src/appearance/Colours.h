#pragma once

#include "../ui/Layer.h"

#include <QColor>
#include <QString>

// The colours the windows paint themselves (beyond the skin's sheet), by day and at night.
// At night every text colour keeps a contrast of at least 4.5:1 with its background, and the
// card's answered, current and plain cells stay apart.
struct Colours {
    QRgb window;      // the night sheet's page colour, for texts painted straight on it
    QRgb explainBack; // the 解析 panel
    QRgb explainBorder;
    QRgb explainText;
    QRgb answerText; // "答案：" 对
    QRgb promptText; // 设置成功
    QRgb cardText;
    QRgb cardWrongText; // bold red of a wrong answer
    QRgb cardPlain;     // not answered
    QRgb cardAnswered;
    QRgb cardCurrent;
    QRgb passText; // the score window's result
    QRgb failText;
    QRgb linkText; // the welcome page's links
    QRgb linkBack;
    QRgb linkBorder;
};

const Colours& DayColours();
const Colours& NightColours();
inline const Colours& ColoursFor(bool night) {
    return night ? NightColours() : DayColours();
}
inline QString cssColour(QRgb colour) {
    return QColor(colour).name().toUpper();
}
