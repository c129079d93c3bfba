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

void addMoreWarningSigns(Pictures& out);

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
    addMoreWarningSigns(out);
}

// Pieces the auxiliary-sign composites in worksigns.cpp reuse.
void warningFrame(QPainter& p) {
    frame(p);
}

void warningChildren(QPainter& p) {
    walker(p, QPointF(-18, 70), 70, colour::black);
    walker(p, QPointF(20, 70), 52, colour::black);
}

void warningRocks(QPainter& p) {
    rocks(p);
}

namespace {

void blk(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::black);
}

void house(QPainter& p, QPointF base, double s) {
    p.save();
    p.translate(base);
    p.scale(s, s);
    fill(p, QPolygonF{{-20, 0}, {-20, -24}, {-26, -24}, {0, -44}, {26, -24}, {20, -24}, {20, 0}});
    p.setBrush(colour::yellow);
    p.drawRect(QRectF(-6, -16, 12, 16));
    p.restore();
}

void threeArrows(QPainter& p, const QColor& col) {
    for (int i = 0; i < 3; ++i) {
        QPainterPath path;
        const double start = 100 + 120 * i;
        const QRectF r(-34, -12, 68, 68);
        path.arcMoveTo(r, start);
        path.arcTo(r, start, 62);
        arrow(p, path, 11, 16, 26, col);
    }
}

} // namespace

void addMoreWarningSigns(Pictures& out) {
    out.push_back(warn("ch2_warn_reverse_bend", [](QPainter& p) {
        QPainterPath path(QPointF(16, 68));
        path.lineTo(16, 50);
        path.cubicTo(16, 30, -18, 36, -18, 16);
        path.cubicTo(-18, 0, 12, 2, 12, -14);
        path.lineTo(12, -22); // a straight end, so the head points ahead
        arrow(p, path, 13, 20, 34, colour::black);
    }));
    out.push_back(warn("ch2_warn_winding_road", [](QPainter& p) {
        // Right, left, right, and the last bend straightens so the head points ahead.
        QPainterPath path(QPointF(-4, 70));
        path.cubicTo(28, 62, 28, 46, 0, 38);
        path.cubicTo(-28, 30, -28, 14, 0, 6);
        path.cubicTo(24, -1, 8, -10, 8, -18);
        arrow(p, path, 13, 20, 34, colour::black);
    }));
    out.push_back(warn("ch2_warn_steep_ascent", [](QPainter& p) {
        // The slope rises to the right and the car climbs it, bonnet first.
        fill(p, QPolygonF{{44, 16}, {62, 70}, {-62, 70}});
        p.save();
        p.translate(6, 35);
        p.rotate(-27);
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
        centredText(p, QPointF(30, 58), QStringLiteral("10%"), 20, colour::yellow);
    }));
    out.push_back(warn("ch2_warn_narrow_left", [](QPainter& p) {
        stroke(p, QPolygonF{{34, 70}, {34, -22}}, 11, colour::black);
        stroke(p, QPolygonF{{-36, 70}, {-36, 40}, {-6, 12}, {-6, -22}}, 11, colour::black);
    }));
    out.push_back(warn("ch2_warn_narrow_right", [](QPainter& p) {
        stroke(p, QPolygonF{{-34, 70}, {-34, -22}}, 11, colour::black);
        stroke(p, QPolygonF{{36, 70}, {36, 40}, {6, 12}, {6, -22}}, 11, colour::black);
    }));
    out.push_back(warn("ch2_warn_narrow_bridge", [](QPainter& p) {
        for (double s : {-1.0, 1.0})
            stroke(p,
                   QPolygonF{{40 * s, 70}, {40 * s, 56}, {16 * s, 40}, {16 * s, -6}, {30 * s, -24}},
                   10, colour::black);
    }));
    out.push_back(warn("ch2_warn_y_junction", [](QPainter& p) {
        stroke(p, QPolygonF{{0, 68}, {0, 22}}, 16, colour::black);
        stroke(p, QPolygonF{{-36, -24}, {0, 24}, {36, -24}}, 16, colour::black);
    }));
    out.push_back(warn("ch2_warn_roundabout", [](QPainter& p) { threeArrows(p, colour::black); }));
    out.push_back(warn("ch2_warn_tunnel", [](QPainter& p) {
        QPainterPath portal;
        portal.addRect(QRectF(-56, -10, 112, 78));
        QPainterPath hole(QPointF(-32, 68));
        hole.lineTo(-32, 26);
        hole.arcTo(QRectF(-32, -6, 64, 64), 180, -180);
        hole.lineTo(32, 68);
        hole.closeSubpath();
        blk(p);
        p.drawPath(portal.subtracted(hole));
        stroke(p, QPolygonF{{-6, 68}, {-3, 40}}, 4, colour::black);
        stroke(p, QPolygonF{{6, 68}, {3, 40}}, 4, colour::black);
    }));
    out.push_back(warn("ch2_warn_uneven_road", [](QPainter& p) {
        QPainterPath road(QPointF(-62, 62));
        road.lineTo(-48, 62);
        road.cubicTo(-38, 62, -34, 34, -20, 34);
        road.cubicTo(-6, 34, -8, 62, 4, 62);
        road.cubicTo(14, 62, 16, 38, 28, 38);
        road.cubicTo(40, 38, 42, 62, 54, 62);
        road.lineTo(62, 62);
        road.lineTo(62, 70);
        road.lineTo(-62, 70);
        road.closeSubpath();
        blk(p);
        p.drawPath(road);
    }));
    out.push_back(warn("ch2_warn_crosswind", [](QPainter& p) {
        stroke(p, QPolygonF{{-34, 70}, {-34, -28}}, 7, colour::black);
        // A striped wind sock blown out to the right.
        const QPolygonF sock{{-32, -26}, {40, -14}, {40, 4}, {-32, 14}};
        blk(p);
        p.drawPolygon(sock);
        p.setBrush(colour::yellow);
        p.drawPolygon(QPolygonF{{-10, -22}, {6, -20}, {6, 9}, {-10, 11}});
        p.drawPolygon(QPolygonF{{20, -17}, {30, -16}, {30, 6}, {20, 7}});
    }));
    out.push_back(warn("ch2_warn_village", [](QPainter& p) {
        house(p, QPointF(-22, 70), 1.2);
        house(p, QPointF(26, 70), 0.9);
        fill(p, QPolygonF{{44, 20}, {56, 46}, {32, 46}});
        stroke(p, QPolygonF{{44, 46}, {44, 70}}, 4, colour::black);
    }));
    out.push_back(warn("ch2_warn_slow", [](QPainter& p) {
        centredText(p, QPointF(0, 32), QStringLiteral("慢"), 78, colour::black);
    }));
    out.push_back(warn("ch2_warn_road_works", [](QPainter& p) {
        fill(p, QPolygonF{{6, 70}, {22, 48}, {40, 42}, {58, 70}}); // heap of earth
        p.save();
        p.translate(-22, 70);
        p.scale(0.84, 0.84);
        p.setBrush(colour::black);
        p.drawEllipse(QPointF(4, -89), 9.5, 9.5);
        stroke(p, QPolygonF{{2, -72}, {-6, -42}}, 14, colour::black, Qt::RoundCap);
        stroke(p, QPolygonF{{-6, -42}, {8, -22}, {10, -2}}, 10, colour::black, Qt::RoundCap);
        stroke(p, QPolygonF{{-6, -42}, {-14, -20}, {-24, -4}}, 10, colour::black, Qt::RoundCap);
        stroke(p, QPolygonF{{2, -70}, {18, -56}, {30, -50}}, 8, colour::black, Qt::RoundCap);
        stroke(p, QPolygonF{{10, -82}, {50, -20}}, 5, colour::black, Qt::RoundCap); // shovel
        fill(p, QPolygonF{{44, -24}, {58, -28}, {62, -8}, {50, -6}});
        p.restore();
    }));
    out.push_back(warn("ch2_warn_merge_right", [](QPainter& p) {
        arrow(p, polyPath(QPolygonF{{-10, 68}, {-10, -14}}), 14, 22, 36, colour::black);
        stroke(p, QPolygonF{{40, 68}, {40, 50}, {-4, 14}}, 11, colour::black);
    }));
    out.push_back(warn("ch2_warn_guarded_crossing", [](QPainter& p) {
        blk(p);
        for (double x : {-46.0, -16.0, 14.0, 44.0})
            p.drawRect(QRectF(x - 4, 0, 8, 66));
        p.drawRect(QRectF(-54, 12, 108, 10));
        p.drawRect(QRectF(-54, 40, 108, 10));
    }));
    out.push_back(warn("ch2_warn_disabled", [](QPainter& p) {
        blk(p);
        p.drawEllipse(QPointF(-6, -22), 9, 9);
        stroke(p, QPolygonF{{-8, -8}, {-10, 26}, {20, 26}, {28, 54}}, 11, colour::black,
               Qt::RoundCap);
        stroke(p, QPolygonF{{-8, 6}, {14, 6}}, 8, colour::black, Qt::RoundCap);
        QPainterPath wheel;
        wheel.arcMoveTo(QRectF(-40, 14, 56, 56), 120);
        wheel.arcTo(QRectF(-40, 14, 56, 56), 120, 260);
        stroke(p, wheel, 8, colour::black, Qt::RoundCap);
    }));
    out.push_back(warn("ch2_warn_livestock", [](QPainter& p) {
        blk(p);
        QPainterPath cow(QPointF(-44, 14));
        cow.lineTo(26, 12);
        cow.lineTo(38, 2);
        cow.lineTo(52, 8);
        cow.lineTo(54, 22);
        cow.lineTo(40, 24);
        cow.lineTo(32, 40);
        cow.lineTo(28, 68);
        cow.lineTo(20, 68);
        cow.lineTo(18, 46);
        cow.lineTo(-26, 46);
        cow.lineTo(-30, 68);
        cow.lineTo(-38, 68);
        cow.lineTo(-40, 44);
        cow.lineTo(-46, 30);
        cow.closeSubpath();
        p.drawPath(cow);
        stroke(p, QPolygonF{{-44, 18}, {-52, 40}}, 4, colour::black, Qt::RoundCap); // tail
        stroke(p, QPolygonF{{38, 4}, {34, -8}}, 4, colour::black, Qt::RoundCap);    // horn
    }));
    out.push_back(warn("ch2_warn_ford", [](QPainter& p) {
        carRear(p, QPointF(0, 6), 1.0);
        for (double y : {42.0, 56.0}) {
            QPainterPath w(QPointF(-54, y));
            for (int i = 0; i < 4; ++i)
                w.cubicTo(-54 + 27 * i + 9, y - 8, -54 + 27 * i + 18, y + 8, -54 + 27 * (i + 1), y);
            stroke(p, w, 5, colour::black, Qt::RoundCap);
        }
    }));
    out.push_back(warn("ch2_warn_detour_both", [](QPainter& p) {
        blk(p);
        p.drawRect(QRectF(-12, -10, 24, 34));
        for (double s : {-1.0, 1.0}) {
            QPainterPath path(QPointF(0, 68));
            path.lineTo(0, 56);
            path.cubicTo(0, 42, 30 * s, 48, 30 * s, 30);
            path.lineTo(30 * s, 4);
            arrow(p, path, 10, 16, 26, colour::black);
        }
    }));
}
