// Prohibition signs: red ring (slash where the sign forbids an action), stop and yield.
#include "picgen.h"

#include <QtMath>

namespace {

constexpr double inner = 76; // radius of the white field inside the red ring

void ring(QPainter& p, const QColor& field = colour::white) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::red);
    p.drawEllipse(QPointF(0, 0), 97, 97);
    p.setBrush(field);
    p.drawEllipse(QPointF(0, 0), inner, inner);
}

// Diagonal bar from upper left to lower right, kept inside the ring.
void slash(QPainter& p, double angle = 45) {
    p.save();
    QPainterPath clip;
    clip.addEllipse(QPointF(0, 0), inner + 1, inner + 1);
    p.setClipPath(clip);
    p.rotate(angle);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::red);
    p.drawRect(QRectF(-inner - 2, -8, 2 * inner + 4, 16));
    p.restore();
}

Picture proh(const char* name, std::function<void(QPainter&)> body) {
    return {QString::fromLatin1(name), [body] { return sign(body); }};
}

void carRear(QPainter& p, QPointF c, const QColor& col) {
    p.save();
    p.translate(c);
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPolygon(QPolygonF{{-13, -26}, {13, -26}, {18, -12}, {-18, -12}});
    p.drawRoundedRect(QRectF(-24, -13, 48, 20), 4, 4);
    p.drawRect(QRectF(-21, 5, 9, 10));
    p.drawRect(QRectF(12, 5, 9, 10));
    p.setBrush(colour::white);
    p.drawPolygon(QPolygonF{{-10, -22}, {10, -22}, {13, -14}, {-13, -14}});
    p.restore();
}

void horn(QPainter& p, const QColor& col) {
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawRoundedRect(QRectF(-46, -9, 22, 18), 3, 3);
    p.drawPolygon(QPolygonF{{-26, -7}, {30, -32}, {30, 32}, {-26, 7}});
    p.drawRoundedRect(QRectF(26, -34, 9, 68), 3, 3);
}

// Two small filled triangles pointing at each other along `vertical` or horizontal.
void limitMarks(QPainter& p, bool vertical) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::black);
    for (double s : {-1.0, 1.0}) {
        QPolygonF t{{-11, -56 * s}, {11, -56 * s}, {0, -40 * s}};
        if (!vertical)
            for (QPointF& pt : t)
                pt = QPointF(pt.y(), pt.x());
        p.drawPolygon(t);
    }
}

} // namespace

void addMoreProhibitionSigns(Pictures& out);

void addProhibitionSigns(Pictures& out) {
    out.push_back(proh("ch2_proh_no_entry", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::red);
        p.drawEllipse(QPointF(0, 0), 97, 97);
        p.setBrush(colour::white);
        p.drawRect(QRectF(-64, -14, 128, 28));
    }));
    out.push_back(proh("ch2_proh_no_vehicles", [](QPainter& p) { ring(p); }));
    out.push_back(proh("ch2_proh_no_parking", [](QPainter& p) {
        ring(p, colour::blue);
        slash(p, 45);
        slash(p, -45);
    }));
    out.push_back(proh("ch2_proh_no_long_parking", [](QPainter& p) {
        ring(p, colour::blue);
        slash(p, 45);
    }));
    out.push_back(proh("ch2_proh_no_u_turn", [](QPainter& p) {
        ring(p);
        slash(p);
        QPainterPath path(QPointF(22, 58));
        path.lineTo(22, -14);
        path.arcTo(QRectF(-22, -36, 44, 44), 0, 180);
        path.lineTo(-22, 12);
        arrow(p, path, 13, 22, 36, colour::black);
    }));
    out.push_back(proh("ch2_proh_no_left_turn", [](QPainter& p) {
        ring(p);
        slash(p);
        QPainterPath path(QPointF(18, 60));
        path.lineTo(18, 6);
        path.quadTo(18, -16, -6, -16);
        arrow(p, path, 14, 24, 40, colour::black);
    }));
    out.push_back(proh("ch2_proh_no_overtaking", [](QPainter& p) {
        ring(p);
        carRear(p, QPointF(-27, 12), colour::red);
        carRear(p, QPointF(27, 12), colour::black);
    }));
    out.push_back(proh("ch2_proh_no_honking", [](QPainter& p) {
        ring(p);
        slash(p);
        horn(p, colour::black);
    }));
    out.push_back(proh("ch2_proh_speed_limit_40", [](QPainter& p) {
        ring(p);
        centredText(p, QPointF(0, 0), QStringLiteral("40"), 96, colour::black, 0.82);
    }));
    out.push_back(proh("ch2_proh_end_speed_limit_40", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::black);
        p.drawEllipse(QPointF(0, 0), 97, 97);
        p.setBrush(colour::white);
        p.drawEllipse(QPointF(0, 0), 91, 91);
        centredText(p, QPointF(0, 0), QStringLiteral("40"), 96, QColor(150, 150, 150), 0.82);
        QPainterPath clip;
        clip.addEllipse(QPointF(0, 0), 91, 91);
        p.setClipPath(clip);
        for (int i = -2; i <= 2; ++i) // diagonal bars from upper right to lower left
            stroke(p,
                   QPolygonF{{100.0 + i * 11, -100.0 + i * 11}, {-100.0 + i * 11, 100.0 + i * 11}},
                   3.5, colour::black);
    }));
    out.push_back(proh("ch2_proh_stop", [](QPainter& p) {
        QPolygonF oct;
        for (int i = 0; i < 8; ++i) {
            const double a = qDegreesToRadians(22.5 + 45 * i);
            oct << QPointF(98 * qCos(a), 98 * qSin(a));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(colour::red);
        p.drawPolygon(oct);
        p.setPen(QPen(colour::white, 5));
        p.setBrush(Qt::NoBrush);
        QTransform t;
        t.scale(0.9, 0.9);
        p.drawPolygon(t.map(oct));
        centredText(p, QPointF(0, 0), QStringLiteral("停"), 96, colour::white);
    }));
    out.push_back(proh("ch2_proh_yield", [](QPainter& p) {
        const QPolygonF outer{{-100, -78}, {100, -78}, {0, 95}};
        p.setPen(QPen(colour::red, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour::red);
        p.drawPolygon(outer);
        QPolygonF innerTri;
        for (const QPointF& pt : outer)
            innerTri << QPointF(0, -20) + (pt - QPointF(0, -20)) * 0.7;
        p.setPen(QPen(colour::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour::white);
        p.drawPolygon(innerTri);
        centredText(p, QPointF(0, -28), QStringLiteral("让"), 52, colour::black);
    }));
    out.push_back(proh("ch2_proh_height_limit_3_5m", [](QPainter& p) {
        ring(p);
        limitMarks(p, true);
        centredText(p, QPointF(0, 0), QStringLiteral("3.5m"), 50, colour::black, 0.85);
    }));
    out.push_back(proh("ch2_proh_width_limit_3m", [](QPainter& p) {
        ring(p);
        limitMarks(p, false);
        centredText(p, QPointF(0, 0), QStringLiteral("3m"), 54, colour::black, 0.85);
    }));
    out.push_back(proh("ch2_proh_weight_limit_10t", [](QPainter& p) {
        ring(p);
        centredText(p, QPointF(0, 0), QStringLiteral("10t"), 76, colour::black, 0.82);
    }));
    addMoreProhibitionSigns(out);
}

// Vehicle silhouettes (side views face left) and sign pieces shared with mandatory.cpp and
// worksigns.cpp.
void truckSide(QPainter& p, QPointF c, double s, const QColor& col, const QColor& bg) {
    p.save();
    p.translate(c);
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPolygon(QPolygonF{{-46, 12}, {-46, -6}, {-40, -20}, {-22, -20}, {-22, 12}}); // cab
    p.drawRect(QRectF(-19, -30, 65, 42));                                              // box
    p.drawRect(QRectF(-46, 8, 92, 8));                                                 // chassis
    p.setBrush(bg);
    p.drawPolygon(QPolygonF{{-42, -6}, {-37, -16}, {-27, -16}, {-27, -6}}); // window
    for (double x : {-32.0, 18.0, 34.0}) {
        p.setBrush(col);
        p.drawEllipse(QPointF(x, 18), 9, 9);
        p.setBrush(bg);
        p.drawEllipse(QPointF(x, 18), 3, 3);
    }
    p.restore();
}

void busSide(QPainter& p, QPointF c, double s, const QColor& col, const QColor& bg) {
    p.save();
    p.translate(c);
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawRoundedRect(QRectF(-50, -28, 100, 42), 6, 6);
    p.setBrush(bg);
    p.drawRect(QRectF(-45, -22, 12, 18)); // windscreen and side windows
    for (int i = 0; i < 5; ++i)
        p.drawRect(QRectF(-28 + 15.5 * i, -22, 12, 12));
    for (double x : {-30.0, 30.0}) {
        p.setBrush(col);
        p.drawEllipse(QPointF(x, 16), 9, 9);
        p.setBrush(bg);
        p.drawEllipse(QPointF(x, 16), 3, 3);
    }
    p.restore();
}

void motorcycleSide(QPainter& p, QPointF c, double s, const QColor& col) {
    p.save();
    p.translate(c);
    p.scale(s, s);
    p.setPen(QPen(col, 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(-30, 14), 13, 13);
    p.drawEllipse(QPointF(30, 14), 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPolygon(QPolygonF{{-24, -6}, {-6, -14}, {14, -14}, {24, -4}, {8, 12}, {-12, 12}});
    p.drawRoundedRect(QRectF(4, -22, 30, 8), 3, 3);                                // seat
    stroke(p, QPolygonF{{-30, 14}, {-22, -18}, {-30, -26}}, 5, col, Qt::RoundCap); // fork, bars
    stroke(p, QPolygonF{{30, 14}, {22, 0}}, 5, col, Qt::RoundCap);
    p.restore();
}

void carFrontView(QPainter& p, QPointF c, double s, const QColor& col, const QColor& glass) {
    p.save();
    p.scale(s, s);
    carRear(p, c / s, col);
    p.translate(c / s);
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawPolygon(QPolygonF{{-10, -22}, {10, -22}, {13, -14}, {-13, -14}});
    p.restore();
}

void prohibitionRing(QPainter& p, const QColor& field) {
    ring(p, field);
}

void prohibitionSlash(QPainter& p, double angle) {
    slash(p, angle);
}

void prohibitionHorn(QPainter& p) {
    horn(p, colour::black);
}

void prohibitionLeftTurnArrow(QPainter& p) {
    QPainterPath path(QPointF(18, 60));
    path.lineTo(18, 6);
    path.quadTo(18, -16, -6, -16);
    arrow(p, path, 14, 24, 40, colour::black);
}

namespace {

void endBars(QPainter& p) {
    QPainterPath clip;
    clip.addEllipse(QPointF(0, 0), 91, 91);
    p.setClipPath(clip);
    for (int i = -2; i <= 2; ++i)
        stroke(p, QPolygonF{{100.0 + i * 11, -100.0 + i * 11}, {-100.0 + i * 11, 100.0 + i * 11}},
               3.5, colour::black);
    p.setClipping(false);
}

} // namespace

void addMoreProhibitionSigns(Pictures& out) {
    out.push_back(proh("ch2_proh_no_right_turn", [](QPainter& p) {
        ring(p);
        slash(p);
        QPainterPath path(QPointF(-18, 60));
        path.lineTo(-18, 6);
        path.quadTo(-18, -16, 6, -16);
        arrow(p, path, 14, 24, 40, colour::black);
    }));
    out.push_back(proh("ch2_proh_no_straight", [](QPainter& p) {
        ring(p);
        slash(p);
        arrow(p, polyPath(QPolygonF{{0, 62}, {0, -26}}), 15, 26, 42, colour::black);
    }));
    out.push_back(proh("ch2_proh_no_left_right", [](QPainter& p) {
        ring(p);
        slash(p);
        stroke(p, QPolygonF{{0, 62}, {0, 2}}, 14, colour::black);
        for (double s : {-1.0, 1.0}) {
            QPainterPath path(QPointF(0, 16));
            path.quadTo(0, -8, 26 * s, -8);
            arrow(p, path, 14, 20, 36, colour::black);
        }
    }));
    out.push_back(proh("ch2_proh_no_motor_vehicles", [](QPainter& p) {
        ring(p);
        slash(p);
        p.save();
        p.scale(1.5, 1.5);
        carRear(p, QPointF(0, 12), colour::black);
        p.restore();
    }));
    out.push_back(proh("ch2_proh_no_trucks", [](QPainter& p) {
        ring(p);
        slash(p);
        truckSide(p, QPointF(0, 2), 1.18, colour::black, colour::white);
    }));
    out.push_back(proh("ch2_proh_no_buses", [](QPainter& p) {
        ring(p);
        slash(p);
        busSide(p, QPointF(0, 4), 1.12, colour::black, colour::white);
    }));
    out.push_back(proh("ch2_proh_no_motorcycles", [](QPainter& p) {
        ring(p);
        slash(p);
        motorcycleSide(p, QPointF(0, 4), 1.15, colour::black);
    }));
    out.push_back(proh("ch2_proh_no_non_motor", [](QPainter& p) {
        ring(p);
        slash(p);
        bicycle(p, QPointF(0, 2), 2.3, colour::black);
    }));
    out.push_back(proh("ch2_proh_no_pedestrians", [](QPainter& p) {
        ring(p);
        slash(p);
        walker(p, QPointF(-4, 56), 108, colour::black);
    }));
    out.push_back(proh("ch2_proh_end_no_overtaking", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::black);
        p.drawEllipse(QPointF(0, 0), 97, 97);
        p.setBrush(colour::white);
        p.drawEllipse(QPointF(0, 0), 91, 91);
        carRear(p, QPointF(-27, 12), QColor(120, 120, 120));
        carRear(p, QPointF(27, 12), QColor(120, 120, 120));
        endBars(p);
    }));
    out.push_back(proh("ch2_proh_meet_yield", [](QPainter& p) {
        ring(p);
        arrow(p, polyPath(QPolygonF{{-22, -50}, {-22, 34}}), 13, 22, 34, colour::black);
        arrow(p, polyPath(QPolygonF{{22, 52}, {22, -30}}), 13, 22, 34, colour::red);
    }));
    out.push_back(proh("ch2_proh_stop_check", [](QPainter& p) {
        ring(p);
        centredText(p, QPointF(0, 0), QStringLiteral("检查"), 56, colour::black, 0.9);
    }));
    out.push_back(proh("ch2_proh_no_dangerous_goods", [](QPainter& p) {
        ring(p);
        slash(p);
        truckSide(p, QPointF(0, 4), 1.18, colour::black, colour::white);
        // A flame mark on the load: the pictogram of goods that catch fire.
        p.setPen(Qt::NoPen);
        p.setBrush(colour::white);
        p.drawPolygon(QPolygonF{{14, -38}, {36, -16}, {14, 6}, {-8, -16}});
        QPainterPath flame(QPointF(14, -3));
        flame.cubicTo(2, -8, 6, -20, 14, -31);
        flame.cubicTo(22, -20, 26, -8, 14, -3);
        p.fillPath(flame, colour::black);
    }));
}
