#pragma once

#include "../ui/Layer.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QWidget;

// Where the main window opens and how small it may get: 1200×730 where the screen's free
// area holds it, else that area; never below a size whose every control is reachable, which
// a 1280×720 work area holds with its title bar.
namespace WindowFit {
inline constexpr QSize Preferred{1200, 730};
inline constexpr QSize Minimum{1100, 600};
// What a window manager's frame usually takes: the borders and the title bar.
inline constexpr int Border = 5;
inline constexpr int TitleBar = 35;

// The window's rectangle (without its frame) in a free area: the remembered one ("x,y,w,h",
// with ",max" when it was left maximised; the rectangle is then its normal one) moved and
// shrunk into the area, or the opening size centred.
QRect placement(const QString& remembered, const QRect& available);
QSize openingSize(const QRect& available);
std::optional<QRect> parse(const QString& remembered);
QString remember(const QRect& geometry, bool maximised = false);
bool maximised(const QString& remembered);

// The left column in a scroller of its own width: every entry stays reachable in a short
// window, however many there are.
QWidget* scrolling(QWidget* column);
} // namespace WindowFit
