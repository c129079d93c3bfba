// Warning signs: yellow equilateral triangle, black border, black symbol.
#include "picgen.h"

namespace {

const QPointF centroid(0, 23);

QPolygonF triangle(double scale) {
    QPolygonF t{{0, -92}, {-100, 81}, {100, 81}};
    for (QPointF& pt : t)
        pt = centroid + (pt - centroid) * scale;
    return t;
}

void frame(QPainter& p) {
    p.setPen(QPen(colour::yellow, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour::yellow);
    p.drawPolygon(triangle(1.0));
    p.setPen(QPen(colour::black, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour::black);
    p.drawPolygon(triangle(0.93));
    p.setPen(QPen(colour::yellow, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour::yellow);
    p.drawPolygon(triangle(0.79));
}

Picture warn(const char* name, std::function<void(QPainter&)> symbol) {
    return {QString::fromLatin1(name), [symbol] {
                return sign([&](QPainter& p) {
                    frame(p);
                    symbol(p);
                });
            }};
}

void fill(QPainter& p, const QPolygonF& poly) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::black);
    p.drawPolygon(poly);
}

void sharpBend(QPainter& p, double side) // side -1 left, +1 right
{
    QPainterPath path(QPointF(-12 * side, 66));
    path.lineTo(-12 * side, 26);
    path.quadTo(-12 * side, 4, 10 * side, 4);
    arrow(p, path, 15, 24, 40, colour::black);
}

void locomotive(QPainter& p) {
    fill(p, QPolygonF{{-40, 18}, {14, 18}, {14, 46}, {-40, 46}}); // boiler
    fill(p, QPolygonF{{12, -4}, {42, -4}, {42, 46}, {12, 46}});   // cab
    fill(p, QPolygonF{{8, -10}, {46, -10}, {46, -4}, {8, -4}});   // cab roof
    fill(p, QPolygonF{{-33, 2}, {-21, 2}, {-23, 18}, {-31, 18}}); // chimney
    fill(p, QPolygonF{{-40, 34}, {-40, 50}, {-52, 50}});          // cowcatcher
    p.setBrush(colour::yellow);
    p.drawRect(QRectF(19, 2, 16, 13)); // cab window
    p.setBrush(colour::black);
    for (double x : {-28.0, -8.0, 26.0})
        p.drawEllipse(QPointF(x, 55), 9, 9);
    stroke(p, QPolygonF{{-58, 66}, {58, 66}}, 4, colour::black); // rail
}

void rocks(QPainter& p) {
    fill(p, QPolygonF{{-60, 70}, {-38, 20}, {-30, -12}, {-18, -24}, {-12, 10}, {-20, 70}});
    fill(p, QPolygonF{{2, -8}, {14, -12}, {18, 0}, {8, 6}});
    fill(p, QPolygonF{{16, 20}, {30, 14}, {36, 28}, {24, 36}, {14, 30}});
    fill(p, QPolygonF{{2, 50}, {20, 46}, {28, 60}, {14, 68}, {0, 64}});
}

void carRear(QPainter& p, QPointF c, double s) {
    p.save();
    p.translate(c);
    p.scale(s, s);
    fill(p, QPolygonF{{-16, -14}, {16, -14}, {22, 0}, {-22, 0}});
    p.setBrush(colour::black);
    p.drawRoundedRect(QRectF(-30, -1, 60, 20), 4, 4);
    p.drawRect(QRectF(-26, 17, 10, 10));
    p.drawRect(QRectF(16, 17, 10, 10));
    p.setBrush(colour::yellow);
    p.drawRect(QRectF(-23, 5, 9, 5));
    p.drawRect(QRectF(14, 5, 9, 5));
    p.restore();
}

} // namespace

void addWarningSigns(Pictures& out) {
    out.push_back(warn("ch2_warn_sharp_left", [](QPainter& p) { sharpBend(p, -1); }));
    out.push_back(warn("ch2_warn_sharp_right", [](QPainter& p) { sharpBend(p, 1); }));
    out.push_back(warn("ch2_warn_crossroads", [](QPainter& p) {
        stroke(p, QPolygonF{{0, -22}, {0, 68}}, 17, colour::black);
        stroke(p, QPolygonF{{-46, 28}, {46, 28}}, 17, colour::black);
    }));
    out.push_back(warn("ch2_warn_t_junction", [](QPainter& p) {
        stroke(p, QPolygonF{{-46, 8}, {46, 8}}, 17, colour::black);
        stroke(p, QPolygonF{{0, 8}, {0, 68}}, 17, colour::black);
    }));
    out.push_back(warn("ch2_warn_pedestrians",
                       [](QPainter& p) { walker(p, QPointF(-4, 70), 92, colour::black); }));
    out.push_back(warn("ch2_warn_children", [](QPainter& p) {
        walker(p, QPointF(-18, 70), 70, colour::black);
        walker(p, QPointF(20, 70), 52, colour::black);
    }));
    out.push_back(warn("ch2_warn_bicycles",
                       [](QPainter& p) { bicycle(p, QPointF(0, 38), 2.2, colour::black); }));
    out.push_back(warn("ch2_warn_slippery", [](QPainter& p) {
        carRear(p, QPointF(0, 6), 1.0);
        for (double x : {-14.0, 14.0}) {
            QPainterPath s(QPointF(x, 36));
            s.cubicTo(x + 14, 46, x - 16, 56, x - 2, 70);
            stroke(p, s, 5, colour::black, Qt::RoundCap);
        }
    }));
    out.push_back(warn("ch2_warn_falling_rocks", rocks));
    out.push_back(warn("ch2_warn_steep_descent", [](QPainter& p) {
        fill(p, QPolygonF{{-44, 16}, {-62, 70}, {62, 70}});
        p.save();
        p.translate(-6, 35);
        p.rotate(27);
        fill(p, QPolygonF{{-22, -7},
                          {22, -7},
                          {22, -17},
                          {10, -17},
                          {4, -27},
                          {-14, -27},
                          {-20, -17},
                          {-22, -17}});
        p.setBrush(colour::black);
        p.drawEllipse(QPointF(-12, -5), 5, 5);
        p.drawEllipse(QPointF(12, -5), 5, 5);
        p.restore();
        centredText(p, QPointF(-30, 58), QStringLiteral("10%"), 20, colour::yellow);
    }));
    out.push_back(warn("ch2_warn_narrow_both", [](QPainter& p) {
        for (double s : {-1.0, 1.0})
            stroke(p, QPolygonF{{36 * s, 70}, {36 * s, 40}, {14 * s, 12}, {14 * s, -22}}, 11,
                   colour::black);
    }));
    out.push_back(warn("ch2_warn_level_crossing", locomotive));
    out.push_back(warn("ch2_warn_two_way", [](QPainter& p) {
        arrow(p, polyPath(QPolygonF{{-18, -10}, {-18, 44}}), 12, 22, 32, colour::black);
        arrow(p, polyPath(QPolygonF{{18, 68}, {18, 14}}), 12, 22, 32, colour::black);
    }));
    out.push_back(warn("ch2_warn_signal_lights", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::black);
        p.drawRoundedRect(QRectF(-17, -20, 34, 90), 8, 8);
        p.setBrush(colour::red);
        p.drawEllipse(QPointF(0, -4), 10, 10);
        p.setBrush(colour::yellow);
        p.drawEllipse(QPointF(0, 25), 10, 10);
        p.setBrush(QColor(0, 170, 80));
        p.drawEllipse(QPointF(0, 54), 10, 10);
    }));
    out.push_back(warn("ch2_warn_danger", [](QPainter& p) {
        fill(p, QPolygonF{{-9, -26}, {9, -26}, {5, 44}, {-5, 44}});
        p.drawEllipse(QPointF(0, 60), 9, 9);
    }));
}
