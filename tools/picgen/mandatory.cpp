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

void addMoreMandatorySigns(Pictures& out);

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
    addMoreMandatorySigns(out);
}

// Defined in prohibition.cpp.
void carFrontView(QPainter& p, QPointF c, double s, const QColor& col, const QColor& glass);
void busSide(QPainter& p, QPointF c, double s, const QColor& col, const QColor& bg);

namespace {

// A blue square or oblong board with a thin white edge, in sign units.
void panel(QPainter& p, const QRectF& r) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::white);
    p.drawRoundedRect(r, 8, 8);
    p.setBrush(colour::blue);
    p.drawRoundedRect(r.adjusted(4, 4, -4, -4), 6, 6);
}

Picture board(const char* name, const QRectF& r, std::function<void(QPainter&)> symbol) {
    return {QString::fromLatin1(name), [r, symbol] {
                return sign([&](QPainter& p) {
                    panel(p, r);
                    symbol(p);
                });
            }};
}

void upArrow(QPainter& p, double x, double y0, double y1, double w, const QColor& col) {
    arrow(p, polyPath(QPolygonF{{x, y0}, {x, y1}}), w, w * 1.6, w * 2.7, col);
}

} // namespace

void addMoreMandatorySigns(Pictures& out) {
    out.push_back(mand("ch2_mand_straight_or_left", [](QPainter& p) {
        upArrow(p, 14, 68, -34, 18, colour::white);
        QPainterPath path(QPointF(14, 40));
        path.quadTo(14, 6, -22, 6);
        arrow(p, path, 18, 28, 48, colour::white);
    }));
    out.push_back(mand("ch2_mand_straight_or_right", [](QPainter& p) {
        upArrow(p, -14, 68, -34, 18, colour::white);
        QPainterPath path(QPointF(-14, 40));
        path.quadTo(-14, 6, 22, 6);
        arrow(p, path, 18, 28, 48, colour::white);
    }));
    out.push_back(mand("ch2_mand_left_or_right", [](QPainter& p) {
        stroke(p, QPolygonF{{0, 68}, {0, 10}}, 18, colour::white);
        for (double s : {-1.0, 1.0}) {
            QPainterPath path(QPointF(0, 24));
            path.quadTo(0, -6, 30 * s, -6);
            arrow(p, path, 18, 26, 46, colour::white);
        }
    }));
    out.push_back(mand("ch2_mand_keep_right", [](QPainter& p) {
        arrow(p, polyPath(QPolygonF{{-38, -38}, {24, 24}}), 22, 34, 58, colour::white);
    }));
    out.push_back(mand("ch2_mand_keep_left", [](QPainter& p) {
        arrow(p, polyPath(QPolygonF{{38, -38}, {-24, 24}}), 22, 34, 58, colour::white);
    }));
    out.push_back(mand("ch2_mand_u_turn", [](QPainter& p) {
        QPainterPath path(QPointF(24, 62));
        path.lineTo(24, -12);
        path.arcTo(QRectF(-24, -36, 48, 48), 0, 180);
        path.lineTo(-24, 16);
        arrow(p, path, 17, 26, 44, colour::white);
    }));
    out.push_back(mand("ch2_mand_motor_vehicles", [](QPainter& p) {
        carFrontView(p, QPointF(0, 16), 2.0, colour::white, colour::blue);
    }));
    out.push_back(board("ch2_mand_meet_priority", QRectF(-96, -96, 192, 192), [](QPainter& p) {
        upArrow(p, 26, 66, -40, 20, colour::white);
        upArrow(p, -26, -60, 30, 13, colour::red);
    }));
    out.push_back(board("ch2_mand_crosswalk", QRectF(-96, -96, 192, 192), [](QPainter& p) {
        p.setPen(QPen(colour::white, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour::white);
        p.drawPolygon(QPolygonF{{0, -76}, {-80, 66}, {80, 66}});
        p.setPen(Qt::NoPen);
        p.setBrush(colour::black);
        for (int i = 0; i < 5; ++i) // zebra stripes
            p.drawPolygon(QPolygonF{{-54.0 + 24 * i, 60},
                                    {-42.0 + 24 * i, 60},
                                    {-38.0 + 24 * i, 44},
                                    {-50.0 + 24 * i, 44}});
        walker(p, QPointF(-2, 38), 88, colour::black);
    }));
    out.push_back(board("ch2_mand_one_way", QRectF(-58, -98, 116, 196),
                        [](QPainter& p) { upArrow(p, 0, 80, -50, 26, colour::white); }));
    out.push_back(board("ch2_mand_lane_direction", QRectF(-99, -70, 198, 140), [](QPainter& p) {
        for (double x : {-33.0, 33.0})
            for (double y = -56; y < 60; y += 28)
                stroke(p, QPolygonF{{x, y}, {x, y + 14}}, 4, colour::white);
        QPainterPath left(QPointF(-60, 54));
        left.lineTo(-60, 0);
        left.quadTo(-60, -22, -80, -22);
        arrow(p, left, 11, 16, 28, colour::white);
        upArrow(p, 0, 54, -38, 11, colour::white);
        upArrow(p, 60, 54, -38, 11, colour::white);
        QPainterPath right(QPointF(60, 20));
        right.quadTo(60, 0, 80, 0);
        arrow(p, right, 11, 14, 26, colour::white);
    }));
    out.push_back(board("ch2_mand_bus_lane", QRectF(-99, -70, 198, 140), [](QPainter& p) {
        busSide(p, QPointF(0, -18), 1.3, colour::white, colour::blue);
        centredText(p, QPointF(0, 44), QStringLiteral("专用车道"), 34, colour::white);
    }));
}
