#include "WindowFit.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QStyle>

namespace WindowFit {
namespace {
// The part of the free area the window's inside may take once its frame is around it.
QRect inside(const QRect& available) {
    return available.adjusted(Border, TitleBar, -Border, -Border);
}
} // namespace

QSize openingSize(const QRect& available) {
    return Preferred.boundedTo(inside(available).size()).expandedTo(Minimum);
}

std::optional<QRect> parse(const QString& remembered) {
    const QStringList parts = remembered.split(QLatin1Char(','));
    if (parts.size() != 4 && !(parts.size() == 5 && parts[4] == QLatin1String("max")))
        return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
    }
    if (v[2] <= 0 || v[3] <= 0) return std::nullopt;
    return QRect(v[0], v[1], v[2], v[3]);
}

QString remember(const QRect& g, bool maximised) {
    return QStringLiteral("%1,%2,%3,%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()) +
           (maximised ? QStringLiteral(",max") : QString());
}

bool maximised(const QString& remembered) {
    return parse(remembered) && remembered.endsWith(QLatin1String(",max"));
}

QRect placement(const QString& remembered, const QRect& available) {
    const QRect room = inside(available);
    const std::optional<QRect> last = parse(remembered);
    const QSize size =
        last ? last->size().boundedTo(room.size()).expandedTo(Minimum) : openingSize(available);
    QRect r(QPoint(), size);
    // A window left on a screen that is gone comes back to the middle of this one.
    if (!last || !room.intersects(*last)) {
        r.moveCenter(room.center());
        r.moveTop(qMax(room.top(), r.top()));
        r.moveLeft(qMax(room.left(), r.left()));
        return r;
    }
    r.moveTopLeft(last->topLeft());
    if (r.right() > room.right()) r.moveRight(room.right());
    if (r.bottom() > room.bottom()) r.moveBottom(room.bottom());
    if (r.left() < room.left()) r.moveLeft(room.left());
    if (r.top() < room.top()) r.moveTop(room.top());
    return r;
}

QWidget* scrolling(QWidget* column) {
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("CommandScroll"));
    scroll->setWidget(column);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    column->setAutoFillBackground(false);
    scroll->setFixedWidth(column->minimumWidth() +
                          scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
    return scroll;
}
} // namespace WindowFit
