// The program's own icon: a steering wheel over "科一" on a blue tile.
#include "picgen.h"

QImage programIcon() {
    QImage img(256, 256, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    antialias(p);
    QLinearGradient tile(0, 0, 0, 256);
    tile.setColorAt(0, QColor(38, 120, 214));
    tile.setColorAt(1, QColor(12, 70, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    const QPointF hub(128, 104);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour::white, 16));
    p.drawEllipse(hub, 66, 66);
    p.setPen(QPen(colour::white, 14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hub + QPointF(-60, 8), hub + QPointF(60, 8));
    p.drawLine(hub + QPointF(0, 14), hub + QPointF(0, 62));
    p.setPen(Qt::NoPen);
    p.setBrush(colour::white);
    p.drawEllipse(hub + QPointF(0, 8), 18, 18);
    centredText(p, QPointF(128, 212), QStringLiteral("科一"), 50, colour::yellow);
    return img;
}
