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

const QColor lampGreen(40, 210, 90), lampBlue(50, 120, 255), panel(26, 28, 34);

void outline(QPainter& p, const QColor& c, double w = 5) {
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

// A headlamp "D" with its round side towards `facing` (+1 right, -1 left) and its flat side at
// x = flatX; rays leave the flat side. `dip` tilts the rays (0 level, > 0 down).
void headLamp(QPainter& p, const QColor& c, double flatX, double facing, double dip, bool fill,
              int rays = 5, double rayLen = 30) {
    QPainterPath d(QPointF(flatX, -22));
    d.cubicTo(flatX + facing * 40, -22, flatX + facing * 40, 22, flatX, 22);
    d.closeSubpath();
    p.setPen(QPen(c, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill ? QBrush(c) : QBrush(Qt::NoBrush));
    p.drawPath(d);
    for (int i = 0; i < rays; ++i) {
        const double y = -18 + i * (36.0 / (rays - 1));
        const double x0 = flatX - facing * 8, x1 = x0 - facing * rayLen;
        stroke(p, QPolygonF{{x0, y}, {x1, y + dip}}, 5, c, Qt::RoundCap);
    }
}

// A vertical wavy line, the fog symbol crossing the rays.
void fogWave(QPainter& p, const QColor& c, double x) {
    QPainterPath w(QPointF(x, -30));
    w.cubicTo(x + 9, -20, x - 9, -10, x, 0);
    w.cubicTo(x + 9, 10, x - 9, 20, x, 30);
    stroke(p, w, 4.5, c, Qt::RoundCap);
}

// A rising wavy arrow (demister symbols).
void heatArrow(QPainter& p, const QColor& c, double x, double yBottom, double yTop) {
    QPainterPath w(QPointF(x, yBottom));
    const double h = (yBottom - yTop) / 2;
    w.cubicTo(x - 8, yBottom - h * 0.35, x + 8, yBottom - h * 0.65, x, yBottom - h);
    w.cubicTo(x - 8, yBottom - h * 1.35, x + 8, yBottom - h * 1.65, x, yTop + 6);
    stroke(p, w, 4, c, Qt::RoundCap);
    solid(p, c);
    p.drawPolygon(QPolygonF{{x - 7, yTop + 8}, {x + 7, yTop + 8}, {x, yTop - 3}});
}

// Side view of a saloon, pointing left, as drawn on body-opening lamps.
void carSide(QPainter& p, const QColor& c, bool bonnetOpen, bool bootOpen) {
    outline(p, c, 5);
    p.drawPolyline(QPolygonF{{-20, 0}, {-10, -20}, {22, -20}, {32, 0}});
    stroke(p, QPolygonF{{-56, 2}, {-56, 22}, {56, 22}, {56, 2}}, 5, c, Qt::RoundCap);
    if (bonnetOpen)
        stroke(p, QPolygonF{{-20, 0}, {-50, -24}}, 5, c, Qt::RoundCap);
    else
        stroke(p, QPolygonF{{-20, 0}, {-56, 2}}, 5, c, Qt::RoundCap);
    if (bootOpen)
        stroke(p, QPolygonF{{32, 0}, {56, -22}}, 5, c, Qt::RoundCap);
    else
        stroke(p, QPolygonF{{32, 0}, {56, 2}}, 5, c, Qt::RoundCap);
    solid(p, c);
    p.drawEllipse(QPointF(-34, 24), 10, 10);
    p.drawEllipse(QPointF(34, 24), 10, 10);
    solid(p, panel);
    p.drawEllipse(QPointF(-34, 24), 4, 4);
    p.drawEllipse(QPointF(34, 24), 4, 4);
}

// A car seen from behind with two skid tracks: the stability-control symbol.
void skidCar(QPainter& p, const QColor& c, double dy) {
    solid(p, c);
    p.drawPolygon(QPolygonF{{-20, dy - 30}, {20, dy - 30}, {28, dy - 12}, {-28, dy - 12}});
    p.drawRoundedRect(QRectF(-36, dy - 14, 72, 22), 5, 5);
    p.drawRect(QRectF(-32, dy + 6, 12, 9));
    p.drawRect(QRectF(20, dy + 6, 12, 9));
    solid(p, panel);
    p.drawPolygon(QPolygonF{{-15, dy - 25}, {15, dy - 25}, {20, dy - 15}, {-20, dy - 15}});
    for (double x : {-18.0, 18.0}) {
        QPainterPath s(QPointF(x, dy + 20));
        s.cubicTo(x + 16, dy + 28, x - 16, dy + 38, x, dy + 48);
        stroke(p, s, 4.5, c, Qt::RoundCap);
    }
}

// The left steering-column stalk seen from the driver's seat: symbols on the twist ring, the
// selected one lit in its colour and pointed at by the white index mark.
Picture lightStalk(const char* name, int selected) {
    return {QString::fromLatin1(name), [selected] {
                QImage img = canvas(240, 160, QColor(46, 50, 58));
                QPainter p(&img);
                antialias(p);
                // Column shroud and lever.
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(24, 24, 26));
                p.drawRoundedRect(QRectF(-20, 80, 50, 60), 10, 10);
                p.drawRoundedRect(QRectF(20, 96, 214, 26), 12, 12);
                p.setBrush(QColor(60, 62, 66));
                p.drawRoundedRect(QRectF(84, 94, 144, 30), 8, 8); // twist ring
                for (double x = 90; x < 226; x += 6)
                    stroke(p, QPolygonF{{x, 96}, {x, 122}}, 1.2, QColor(40, 40, 44));
                static const double xs[] = {104, 156, 208};
                const QColor dim(170, 170, 170);
                for (int i = 0; i < 3; ++i) {
                    const bool on = i == selected;
                    const QColor c = on ? lampGreen : dim;
                    p.save();
                    p.translate(xs[i], 52);
                    if (i == 0) {
                        centredText(p, QPointF(0, 0), QStringLiteral("OFF"), 20, c, 0.9);
                    } else {
                        p.scale(0.42, 0.42);
                        if (i == 1) {
                            headLamp(p, c, -34, 1, 0, false, 3, 22);
                            headLamp(p, c, 34, -1, 0, false, 3, 22);
                        } else {
                            p.translate(14, 0);
                            headLamp(p, c, 0, 1, 14, true, 5, 34);
                        }
                    }
                    p.restore();
                    if (on) {
                        // The ring's white mark is turned to the selected symbol.
                        solid(p, colour::white);
                        p.drawPolygon(QPolygonF{{xs[i] - 7, 90}, {xs[i] + 7, 90}, {xs[i], 78}});
                        p.drawRect(QRectF(xs[i] - 2, 94, 4, 28));
                    }
                }
                centredText(p, QPointF(120, 148), QStringLiteral("灯光组合开关（旋钮位置）"), 16,
                            QColor(230, 230, 230), 1.0, false);
                return img;
            }};
}

// The turn-signal stalk, pushed up or down.
Picture turnStalk(const char* name, bool up) {
    return {QString::fromLatin1(name), [up] {
                QImage img = canvas(240, 160, QColor(46, 50, 58));
                QPainter p(&img);
                antialias(p);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(24, 24, 26));
                p.drawRoundedRect(QRectF(-20, 56, 56, 60), 10, 10);
                // Rest position, faint.
                p.setBrush(QColor(70, 72, 78));
                p.drawRoundedRect(QRectF(20, 74, 190, 22), 11, 11);
                // Moved lever.
                p.save();
                p.translate(30, 85);
                p.rotate(up ? -16 : 16);
                p.setBrush(QColor(20, 20, 22));
                p.drawRoundedRect(QRectF(-10, -12, 192, 24), 12, 12);
                p.restore();
                const double tip = up ? 36 : 134;
                QPainterPath a(QPointF(220, up ? 78 : 92));
                a.lineTo(220, up ? tip + 16 : tip - 16);
                arrow(p, a, 5, 12, 18, colour::white);
                centredText(p, QPointF(120, up ? 150 : 18), QStringLiteral("灯光组合开关"), 18,
                            QColor(230, 230, 230), 1.0, false);
                return img;
            }};
}

// The right stalk: wiper positions stacked along its travel; the selected one lit.
// `marked`: the selected position is lit as well; without it the picture only shows the
// stalk at rest, for questions that ask which position to choose.
Picture wiperStalk(const char* name, int selected, bool marked = true) {
    return {QString::fromLatin1(name), [selected, marked] {
                QImage img = canvas(240, 160, QColor(46, 50, 58));
                QPainter p(&img);
                antialias(p);
                static const char* labels[] = {"MIST", "OFF", "INT", "LO", "HI"};
                const double y0 = 22, dy = 29;
                for (int i = 0; i < 5; ++i) {
                    const bool on = marked && i == selected;
                    const QColor c = on ? QColor(255, 255, 255) : QColor(150, 150, 150);
                    if (on) {
                        p.setPen(Qt::NoPen);
                        p.setBrush(QColor(40, 150, 230));
                        p.drawRoundedRect(QRectF(14, y0 + i * dy - 12, 64, 24), 5, 5);
                    }
                    centredText(p, QPointF(46, y0 + i * dy), QString::fromLatin1(labels[i]), 16, c,
                                0.9);
                }
                // Lever from the column (right) with its tip at the selected position.
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(24, 24, 26));
                p.drawRoundedRect(QRectF(200, 40, 60, 80), 10, 10);
                const QPointF tipPt(92, y0 + selected * dy);
                stroke(p, QPolygonF{{206, 80}, tipPt}, 22, QColor(20, 20, 22), Qt::RoundCap);
                stroke(p, QPolygonF{{206, 80}, tipPt}, 2, QColor(90, 90, 96), Qt::RoundCap);
                // Wiper symbol on the lever.
                p.save();
                p.translate(200, 12);
                outline(p, QColor(230, 230, 230), 2.5);
                p.drawArc(QRectF(-22, -6, 44, 30), 20 * 16, 140 * 16);
                stroke(p, QPolygonF{{0, 20}, {-12, 2}}, 2.5, QColor(230, 230, 230), Qt::RoundCap);
                p.restore();
                centredText(p, QPointF(160, 146), QStringLiteral("雨刮器开关"), 17,
                            QColor(230, 230, 230), 1.0, false);
                return img;
            }};
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

    out.push_back(lamp("ch4_lamp_airbag", [](QPainter& p) {
        solid(p, lampRed);
        p.drawEllipse(QPointF(-18, -40), 10, 10);
        p.drawRoundedRect(QRectF(-34, -26, 26, 40), 10, 10); // torso
        p.drawRoundedRect(QRectF(-34, 6, 46, 14), 6, 6);     // thigh
        p.drawRoundedRect(QRectF(2, 6, 12, 38), 5, 5);       // shin
        p.drawRoundedRect(QRectF(-48, -30, 10, 54), 4, 4);   // seat back
        p.drawEllipse(QPointF(24, -22), 22, 22);             // inflated bag
        solid(p, panel);
        p.drawEllipse(QPointF(24, -22), 6, 6);
    }));
    out.push_back(lamp("ch4_lamp_engine", [](QPainter& p) {
        outline(p, amber, 6);
        p.drawPolygon(QPolygonF{{-34, -16},
                                {30, -16},
                                {30, -6},
                                {44, -16},
                                {52, -16},
                                {52, 30},
                                {44, 30},
                                {30, 20},
                                {30, 30},
                                {-20, 30},
                                {-34, 16}});
        p.drawRect(QRectF(-10, -30, 18, 14));
        stroke(p, QPolygonF{{-22, -32}, {20, -32}}, 6, amber, Qt::RoundCap);
        stroke(p, QPolygonF{{-34, 6}, {-48, 6}}, 6, amber, Qt::RoundCap);
        stroke(p, QPolygonF{{-50, -10}, {-50, 22}}, 6, amber, Qt::RoundCap);
    }));
    out.push_back(lamp("ch4_lamp_tpms", [](QPainter& p) {
        outline(p, amber, 6);
        QPainterPath tyre(QPointF(-30, -36));
        tyre.quadTo(-44, -10, -40, 14);
        tyre.quadTo(-36, 34, -20, 36);
        tyre.lineTo(20, 36);
        tyre.quadTo(36, 34, 40, 14);
        tyre.quadTo(44, -10, 30, -36);
        stroke(p, tyre, 6, amber, Qt::RoundCap, Qt::RoundJoin);
        for (double x : {-24.0, -8.0, 8.0, 24.0})
            stroke(p, QPolygonF{{x, 40}, {x, 50}}, 5, amber, Qt::RoundCap);
        solid(p, amber);
        p.drawRoundedRect(QRectF(-4, -24, 8, 32), 3, 3);
        p.drawEllipse(QPointF(0, 20), 5, 5);
    }));
    out.push_back(lamp("ch4_lamp_steering", [](QPainter& p) {
        outline(p, lampRed, 6);
        p.drawEllipse(QPointF(-12, 0), 34, 34);
        solid(p, lampRed);
        p.drawEllipse(QPointF(-12, 0), 9, 9);
        stroke(p, QPolygonF{{-44, -4}, {20, -4}}, 6, lampRed);
        stroke(p, QPolygonF{{-12, 0}, {-12, 32}}, 6, lampRed);
        solid(p, lampRed);
        p.drawRoundedRect(QRectF(44, -26, 9, 34), 3, 3);
        p.drawEllipse(QPointF(48.5, 20), 5.5, 5.5);
    }));
    out.push_back(lamp("ch4_lamp_high_beam", [](QPainter& p) {
        p.translate(12, 0);
        headLamp(p, lampBlue, 0, 1, 0, true);
    }));
    out.push_back(lamp("ch4_lamp_low_beam", [](QPainter& p) {
        p.translate(12, 0);
        headLamp(p, lampGreen, 0, 1, 14, true);
    }));
    out.push_back(lamp("ch4_lamp_front_fog", [](QPainter& p) {
        p.translate(18, 0);
        headLamp(p, lampGreen, 0, 1, 12, false, 3, 40);
        fogWave(p, lampGreen, -28);
    }));
    out.push_back(lamp("ch4_lamp_rear_fog", [](QPainter& p) {
        p.translate(-18, 0);
        headLamp(p, amber, 0, -1, 0, false, 3, 40);
        fogWave(p, amber, 28);
    }));
    out.push_back(lamp("ch4_lamp_position", [](QPainter& p) {
        p.scale(0.8, 0.8);
        headLamp(p, lampGreen, -34, 1, 0, false, 3, 22);
        headLamp(p, lampGreen, 34, -1, 0, false, 3, 22);
    }));
    for (const bool left : {true, false}) {
        out.push_back(
            lamp(left ? "ch4_lamp_turn_left" : "ch4_lamp_turn_right", [left](QPainter& p) {
                for (const double side : {-1.0, 1.0}) {
                    const bool lit = (side < 0) == left;
                    const QColor c = lit ? lampGreen : QColor(58, 62, 70);
                    solid(p, c);
                    p.drawPolygon(QPolygonF{{side * 60, 0},
                                            {side * 32, -26},
                                            {side * 32, -12},
                                            {side * 8, -12},
                                            {side * 8, 12},
                                            {side * 32, 12},
                                            {side * 32, 26}});
                }
            }));
    }
    out.push_back(lamp("ch4_lamp_parking_brake", [](QPainter& p) {
        p.setPen(QPen(lampRed, 6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(0, 0), 32, 32);
        brackets(p, lampRed);
        centredText(p, QPointF(0, 0), QStringLiteral("P"), 36, lampRed);
    }));
    out.push_back(lamp("ch4_lamp_esp", [](QPainter& p) { skidCar(p, amber, -6); }));
    out.push_back(lamp("ch4_lamp_esp_off", [](QPainter& p) {
        p.scale(0.8, 0.8);
        skidCar(p, amber, -20);
        centredText(p, QPointF(0, 50), QStringLiteral("OFF"), 26, amber);
    }));
    out.push_back(lamp("ch4_lamp_front_demist", [](QPainter& p) {
        outline(p, amber, 5);
        QPainterPath glass(QPointF(-46, -26));
        glass.quadTo(0, -40, 46, -26);
        glass.lineTo(34, 34);
        glass.quadTo(0, 24, -34, 34);
        glass.closeSubpath();
        p.drawPath(glass);
        for (double x : {-18.0, 0.0, 18.0})
            heatArrow(p, amber, x, 24, -22);
    }));
    out.push_back(lamp("ch4_lamp_rear_demist", [](QPainter& p) {
        outline(p, amber, 5);
        p.drawRoundedRect(QRectF(-46, -30, 92, 60), 6, 6);
        for (double x : {-18.0, 0.0, 18.0})
            heatArrow(p, amber, x, 22, -22);
    }));
    out.push_back(lamp("ch4_lamp_washer_low", [](QPainter& p) {
        outline(p, amber, 5);
        QPainterPath glass(QPointF(-50, -30));
        glass.quadTo(0, -44, 50, -30);
        glass.lineTo(38, 14);
        glass.quadTo(0, 4, -38, 14);
        glass.closeSubpath();
        p.drawPath(glass);
        // Spray rising from a nozzle below the glass.
        solid(p, amber);
        p.drawRect(QRectF(-7, 30, 14, 8));
        p.setPen(QPen(amber, 4, Qt::DotLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath l(QPointF(-2, 28)), r(QPointF(2, 28));
        l.quadTo(-20, 0, -30, -12);
        r.quadTo(20, 0, 30, -12);
        p.drawPath(l);
        p.drawPath(r);
    }));
    out.push_back(
        lamp("ch4_lamp_hood_open", [](QPainter& p) { carSide(p, lampRed, true, false); }));
    out.push_back(
        lamp("ch4_lamp_trunk_open", [](QPainter& p) { carSide(p, lampRed, false, true); }));
    out.push_back(lamp("ch4_lamp_cruise", [](QPainter& p) {
        outline(p, lampGreen, 6);
        p.drawArc(QRectF(-42, -36, 84, 84), -20 * 16, 220 * 16);
        for (int i = 0; i <= 4; ++i) {
            p.save();
            p.translate(0, 6);
            p.rotate(-110 + i * 55);
            stroke(p, QPolygonF{{0, -40}, {0, -30}}, 4, lampGreen, Qt::RoundCap);
            p.restore();
        }
        QPainterPath needle(QPointF(-4, 14));
        needle.lineTo(20, -12);
        arrow(p, needle, 6, 12, 16, lampGreen);
        solid(p, lampGreen);
        p.drawEllipse(QPointF(-4, 14), 6, 6);
    }));
    out.push_back(lamp("ch4_lamp_glow_plug", [](QPainter& p) {
        outline(p, amber, 5);
        QPainterPath coil(QPointF(-48, 0));
        for (int i = 0; i < 4; ++i) {
            const double x = -36 + i * 22;
            coil.cubicTo(x - 6, 0, x - 14, -24, x, -24);
            coil.cubicTo(x + 14, -24, x + 4, 18, x - 2, 14);
            coil.cubicTo(x - 8, 10, x + 2, 0, x + 10, 0);
        }
        coil.lineTo(56, 0);
        stroke(p, coil, 5, amber, Qt::RoundCap, Qt::RoundJoin);
        stroke(p, QPolygonF{{-48, -28}, {-48, 28}}, 5, amber, Qt::RoundCap);
        stroke(p, QPolygonF{{56, -28}, {56, 28}}, 5, amber, Qt::RoundCap);
    }));
    out.push_back(lightStalk("ch4_switch_light_off", 0));
    out.push_back(lightStalk("ch4_switch_light_position", 1));
    out.push_back(lightStalk("ch4_switch_light_low", 2));
    out.push_back(turnStalk("ch4_switch_turn_up", true));
    out.push_back(turnStalk("ch4_switch_turn_down", false));
    out.push_back(wiperStalk("ch4_switch_wiper_int", 2));
    out.push_back(wiperStalk("ch4_switch_wiper_off", 1, false));
    out.push_back(wiperStalk("ch4_switch_wiper_mist", 0));
    out.push_back({QStringLiteral("ch4_switch_hazard"), [] {
                       QImage img = canvas(160, 160, QColor(46, 50, 58));
                       QPainter p(&img);
                       antialias(p);
                       p.setPen(QPen(QColor(20, 20, 22), 3));
                       p.setBrush(QColor(34, 36, 40));
                       p.drawRoundedRect(QRectF(24, 24, 112, 112), 18, 18);
                       p.translate(80, 86);
                       p.setPen(QPen(lampRed, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                       p.setBrush(Qt::NoBrush);
                       p.drawPolygon(QPolygonF{{0, -44}, {40, 26}, {-40, 26}});
                       p.setPen(QPen(lampRed, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                       p.drawPolygon(QPolygonF{{0, -18}, {18, 13}, {-18, 13}});
                       return img;
                   }});
}
