// Dashboard warning lamps: the usual symbol in its usual colour on a dark panel.
#include "picgen.h"

namespace {

const QColor lampRed(235, 40, 30), amber(255, 170, 0);

Picture lamp(const char* name, std::function<void(QPainter&)> symbol) {
    return {QString::fromLatin1(name), [symbol] {
                QImage img = canvas(160, 160, QColor(14, 16, 20));
                QPainter p(&img);
                antialias(p);
                p.setPen(QPen(QColor(70, 74, 82), 3));
                p.setBrush(QColor(26, 28, 34));
                p.drawRoundedRect(QRectF(10, 10, 140, 140), 22, 22);
                p.translate(80, 80);
                symbol(p);
                return img;
            }};
}

void solid(QPainter& p, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
}

// Brackets "( )" around a round symbol, as on brake and ABS lamps.
void brackets(QPainter& p, const QColor& c) {
    p.setPen(QPen(c, 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-52, -40, 104, 80), 135 * 16, 90 * 16);
    p.drawArc(QRectF(-52, -40, 104, 80), -45 * 16, 90 * 16);
}

} // namespace

void addLamps(Pictures& out) {
    out.push_back(lamp("ch4_lamp_oil_pressure", [](QPainter& p) {
        solid(p, lampRed);
        p.drawPolygon(QPolygonF{{-30, -4}, {26, -4}, {40, -14}, {56, -10}, {30, 22}, {-30, 22}});
        p.drawRect(QRectF(-12, -14, 12, 12));
        p.drawRect(QRectF(-18, -18, 24, 5));
        stroke(p, QPolygonF{{-30, 2}, {-48, -6}, {-50, 8}, {-30, 14}}, 5, lampRed);
        QPainterPath drop(QPointF(58, 8));
        drop.quadTo(50, 24, 58, 28);
        drop.quadTo(66, 24, 58, 8);
        p.drawPath(drop);
    }));
    out.push_back(lamp("ch4_lamp_coolant_temp", [](QPainter& p) {
        solid(p, lampRed);
        p.drawRoundedRect(QRectF(-5, -44, 10, 50), 5, 5);
        p.drawEllipse(QPointF(0, 10), 10, 10);
        for (double y : {-36.0, -26.0, -16.0})
            stroke(p, QPolygonF{{5, y}, {20, y}}, 4, lampRed);
        for (double y : {28.0, 40.0}) {
            QPainterPath wave(QPointF(-44, y));
            for (int i = 0; i < 4; ++i)
                wave.cubicTo(-44 + i * 22 + 7, y - 7, -44 + i * 22 + 15, y + 7, -44 + (i + 1) * 22,
                             y);
            stroke(p, wave, 4, lampRed, Qt::RoundCap);
        }
    }));
    out.push_back(lamp("ch4_lamp_charging", [](QPainter& p) {
        solid(p, lampRed);
        p.drawRect(QRectF(-30, -18, 12, 8));
        p.drawRect(QRectF(18, -18, 12, 8));
        p.drawRoundedRect(QRectF(-46, -10, 92, 52), 4, 4);
        solid(p, QColor(26, 28, 34));
        p.drawRect(QRectF(-34, 8, 18, 5)); // minus
        p.drawRect(QRectF(16, 8, 18, 5));  // plus
        p.drawRect(QRectF(22.5, 1.5, 5, 18));
    }));
    out.push_back(lamp("ch4_lamp_brake", [](QPainter& p) {
        p.setPen(QPen(lampRed, 6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(0, 0), 32, 32);
        brackets(p, lampRed);
        solid(p, lampRed);
        p.drawRoundedRect(QRectF(-4, -20, 8, 27), 3, 3);
        p.drawEllipse(QPointF(0, 15), 4.5, 4.5);
    }));
    out.push_back(lamp("ch4_lamp_abs", [](QPainter& p) {
        p.setPen(QPen(amber, 6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(0, 0), 32, 32);
        brackets(p, amber);
        centredText(p, QPointF(0, 0), QStringLiteral("ABS"), 22, amber, 0.95);
    }));
    out.push_back(lamp("ch4_lamp_seat_belt", [](QPainter& p) {
        solid(p, lampRed);
        p.drawEllipse(QPointF(-4, -40), 10, 10);
        p.drawRoundedRect(QRectF(-20, -26, 28, 40), 10, 10); // torso
        p.drawRoundedRect(QRectF(-20, 6, 46, 14), 6, 6);     // thigh
        p.drawRoundedRect(QRectF(16, 6, 12, 38), 5, 5);      // shin
        p.drawRoundedRect(QRectF(-34, -30, 10, 54), 4, 4);   // seat back
        stroke(p, QPolygonF{{4, -24}, {-14, 8}}, 6, QColor(26, 28, 34));
        p.setBrush(QColor(26, 28, 34));
        p.drawEllipse(QPointF(-12, 6), 5, 5);
    }));
    out.push_back(lamp("ch4_lamp_fuel_low", [](QPainter& p) {
        solid(p, amber);
        p.drawRoundedRect(QRectF(-34, -40, 40, 76), 5, 5);
        p.drawRect(QRectF(-40, 34, 52, 8));
        solid(p, QColor(26, 28, 34));
        p.drawRect(QRectF(-27, -32, 26, 18));
        stroke(p, QPolygonF{{6, -20}, {26, -20}, {26, 16}, {34, 16}, {34, -28}, {24, -38}}, 5,
               amber);
    }));
    out.push_back(lamp("ch4_lamp_door_open", [](QPainter& p) {
        // Car from above with the front doors swung open.
        p.setPen(QPen(lampRed, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(-22, -48, 44, 96), 14, 14);
        p.drawLine(QPointF(-16, -18), QPointF(16, -18));
        p.drawLine(QPointF(-16, 24), QPointF(16, 24));
        p.drawLine(QPointF(-22, -14), QPointF(-46, 6));
        p.drawLine(QPointF(22, -14), QPointF(46, 6));
    }));
}
