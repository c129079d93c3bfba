// Mandatory signs: blue disc with a white symbol.
#include "picgen.h"

#include <QtMath>

namespace {

void disc(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::white);
    p.drawEllipse(QPointF(0, 0), 99, 99);
    p.setBrush(colour::blue);
    p.drawEllipse(QPointF(0, 0), 95, 95);
}

Picture mand(const char* name, std::function<void(QPainter&)> symbol) {
    return {QString::fromLatin1(name), [symbol] {
                return sign([&](QPainter& p) {
                    disc(p);
                    symbol(p);
                });
            }};
}

void turn(QPainter& p, double side) {
    QPainterPath path(QPointF(-14 * side, 66));
    path.lineTo(-14 * side, 8);
    path.quadTo(-14 * side, -18, 12 * side, -18);
    arrow(p, path, 20, 30, 56, colour::white);
}

} // namespace

void addMandatorySigns(Pictures& out) {
    out.push_back(mand("ch2_mand_straight", [](QPainter& p) {
        arrow(p, polyPath(QPolygonF{{0, 68}, {0, -22}}), 22, 38, 62, colour::white);
    }));
    out.push_back(mand("ch2_mand_turn_left", [](QPainter& p) { turn(p, -1); }));
    out.push_back(mand("ch2_mand_turn_right", [](QPainter& p) { turn(p, 1); }));
    out.push_back(mand("ch2_mand_roundabout", [](QPainter& p) {
        // Three arrows running anticlockwise, as traffic circulates when driving on the right.
        for (int i = 0; i < 3; ++i) {
            QPainterPath path;
            const double start = 100 + 120 * i;
            path.arcMoveTo(QRectF(-46, -46, 92, 92), start);
            path.arcTo(QRectF(-46, -46, 92, 92), start, 62);
            arrow(p, path, 15, 22, 36, colour::white);
        }
    }));
    out.push_back(mand("ch2_mand_min_speed_60", [](QPainter& p) {
        centredText(p, QPointF(0, 0), QStringLiteral("60"), 96, colour::white, 0.82);
    }));
    out.push_back(mand("ch2_mand_non_motor",
                       [](QPainter& p) { bicycle(p, QPointF(0, 4), 3.0, colour::white); }));
    out.push_back(
        mand("ch2_mand_walk", [](QPainter& p) { walker(p, QPointF(-4, 66), 120, colour::white); }));
    out.push_back(mand("ch2_mand_honk", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::white);
        p.drawRoundedRect(QRectF(-56, -9, 22, 18), 3, 3);
        p.drawPolygon(QPolygonF{{-36, -7}, {18, -32}, {18, 32}, {-36, 7}});
        p.drawRoundedRect(QRectF(14, -34, 9, 68), 3, 3);
        for (double r : {42.0, 58.0}) { // sound waves
            QPainterPath w;
            w.arcMoveTo(QRectF(-r + 8, -r, 2 * r, 2 * r), -35);
            w.arcTo(QRectF(-r + 8, -r, 2 * r, 2 * r), -35, 70);
            stroke(p, w, 6, colour::white, Qt::RoundCap);
        }
    }));
}
