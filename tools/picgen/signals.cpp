// Traffic signal lights: round, arrow, flashing, lane control and crossing lights.
#include "picgen.h"

#include <QRadialGradient>
#include <QtMath>

namespace {

const QColor sky(206, 222, 236);
const QColor lampRed(255, 40, 30), lampYellow(255, 196, 0), lampGreen(20, 220, 110);

Picture scene(const char* name, int w, int h, std::function<void(QPainter&)> body) {
    return {QString::fromLatin1(name), [=] {
                QImage img = canvas(w, h, sky);
                QPainter p(&img);
                antialias(p);
                body(p);
                return img;
            }};
}

void housing(QPainter& p, QRectF r) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 32));
    p.drawRoundedRect(r, 10, 10);
}

// An empty lens; when lit, a glow around it.
void lens(QPainter& p, QPointF c, double r, const QColor& col, bool lit) {
    p.setPen(Qt::NoPen);
    if (lit) {
        QRadialGradient g(c, r * 1.5);
        g.setColorAt(0.6, QColor(col.red(), col.green(), col.blue(), 150));
        g.setColorAt(1.0, QColor(col.red(), col.green(), col.blue(), 0));
        p.setBrush(g);
        p.drawEllipse(c, r * 1.5, r * 1.5);
    }
    p.setBrush(QColor(12, 12, 14));
    p.drawEllipse(c, r, r);
}

void roundLamp(QPainter& p, QPointF c, double r, const QColor& col, bool lit) {
    lens(p, c, r, col, lit);
    p.setBrush(lit ? col : col.darker(420));
    p.drawEllipse(c, r * 0.9, r * 0.9);
}

// An arrow lamp; dir is the pointing angle in degrees (0 right, 90 up, 180 left, 270 down).
void arrowLamp(QPainter& p, QPointF c, double r, const QColor& col, bool lit, double dir) {
    lens(p, c, r, col, lit);
    const double a = qDegreesToRadians(dir);
    const QPointF d(qCos(a), -qSin(a));
    arrow(p, polyPath(QPolygonF{c - d * r * 0.62, c + d * r * 0.1}), r * 0.32, r * 0.5, r * 0.9,
          lit ? col : col.darker(420));
}

void rays(QPainter& p, QPointF c, double r0, double r1, const QColor& col) {
    for (int i = 0; i < 12; ++i) {
        const double a = qDegreesToRadians(15 + 30.0 * i);
        const QPointF d(qCos(a), qSin(a));
        stroke(p, QPolygonF{c + d * r0, c + d * r1}, 4, col, Qt::RoundCap);
    }
}

void threeRound(QPainter& p, double x, double y, int litIndex) {
    housing(p, QRectF(x - 34, y, 68, 184));
    const QColor cols[3] = {lampRed, lampYellow, lampGreen};
    for (int i = 0; i < 3; ++i)
        roundLamp(p, QPointF(x, y + 32 + i * 60), 25, cols[i], i == litIndex);
}

void threeArrow(QPainter& p, double x, double y, int litIndex, double dir = 180) {
    housing(p, QRectF(x - 34, y, 68, 184));
    const QColor cols[3] = {lampRed, lampYellow, lampGreen};
    for (int i = 0; i < 3; ++i)
        arrowLamp(p, QPointF(x, y + 32 + i * 60), 25, cols[i], i == litIndex, dir);
}

// A lamp showing a bicycle, for non-motor vehicles.
void bikeLamp(QPainter& p, QPointF c, double r, const QColor& col, bool lit) {
    lens(p, c, r, col, lit);
    bicycle(p, c + QPointF(0, -3), r / 24.0, lit ? col : col.darker(420));
}

// Railway crossing lights; each lamp is 0 dark, 1 steady, 2 flashing.
void railLights(QPainter& p, int left, int right) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 124, 128));
    p.drawRect(QRectF(104, 80, 12, 100));
    housing(p, QRectF(20, 50, 180, 70));
    const int state[2] = {left, right};
    for (int i = 0; i < 2; ++i) {
        const QPointF c(62 + 96 * i, 85);
        roundLamp(p, c, 26, lampRed, state[i] != 0);
        if (state[i] == 2) rays(p, c, 38, 48, lampRed);
    }
    stroke(p, QPolygonF{{60, 6}, {160, 42}}, 10, colour::white);
    stroke(p, QPolygonF{{60, 42}, {160, 6}}, 10, colour::white);
    stroke(p, QPolygonF{{64, 7.5}, {156, 40.5}}, 3, colour::red);
    stroke(p, QPolygonF{{64, 40.5}, {156, 7.5}}, 3, colour::red);
}

void figure(QPainter& p, QPointF c, double s, const QColor& col, bool walking) {
    if (walking) {
        walker(p, c + QPointF(-2, 20 * s), 40 * s, col);
        return;
    }
    p.save();
    p.translate(c);
    p.scale(s, s);
    p.setBrush(col);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(0, -15), 3.8, 3.8);
    p.drawRoundedRect(QRectF(-5.5, -10.5, 11, 16), 2.5, 2.5);
    stroke(p, QPolygonF{{-2.5, 4}, {-2.5, 19}}, 4, col, Qt::RoundCap);
    stroke(p, QPolygonF{{2.5, 4}, {2.5, 19}}, 4, col, Qt::RoundCap);
    stroke(p, QPolygonF{{-7, -8}, {-7, 3}}, 3, col, Qt::RoundCap);
    stroke(p, QPolygonF{{7, -8}, {7, 3}}, 3, col, Qt::RoundCap);
    p.restore();
}

void laneLamp(QPainter& p, bool cross) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 124, 128));
    p.drawRect(QRectF(0, 14, 220, 14)); // gantry beam
    housing(p, QRectF(60, 34, 100, 100));
    p.setBrush(QColor(12, 12, 14));
    p.drawRect(QRectF(68, 42, 84, 84));
    if (cross) {
        stroke(p, QPolygonF{{86, 60}, {134, 108}}, 12, lampRed, Qt::RoundCap);
        stroke(p, QPolygonF{{134, 60}, {86, 108}}, 12, lampRed, Qt::RoundCap);
    } else {
        arrow(p, polyPath(QPolygonF{{110, 52}, {110, 92}}), 12, 26, 40, lampGreen);
    }
    p.setBrush(colour::asphalt);
    p.drawRect(QRectF(0, 150, 220, 40));
    p.setBrush(colour::paint);
    p.drawRect(QRectF(52, 150, 5, 40));
    p.drawRect(QRectF(163, 150, 5, 40));
}

} // namespace

void addSignals(Pictures& out) {
    out.push_back(scene("ch2_signal_red", 140, 200, [](QPainter& p) { threeRound(p, 70, 8, 0); }));
    out.push_back(
        scene("ch2_signal_yellow", 140, 200, [](QPainter& p) { threeRound(p, 70, 8, 1); }));
    out.push_back(
        scene("ch2_signal_green", 140, 200, [](QPainter& p) { threeRound(p, 70, 8, 2); }));
    out.push_back(scene("ch2_signal_left_green_round_red", 200, 200, [](QPainter& p) {
        threeArrow(p, 58, 8, 2);
        threeRound(p, 142, 8, 0);
    }));
    out.push_back(scene("ch2_signal_left_red_round_green", 200, 200, [](QPainter& p) {
        threeArrow(p, 58, 8, 0);
        threeRound(p, 142, 8, 2);
    }));
    out.push_back(scene("ch2_signal_flashing_yellow", 180, 180, [](QPainter& p) {
        p.setBrush(QColor(120, 124, 128));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(84, 128, 12, 52));
        housing(p, QRectF(50, 40, 80, 88));
        roundLamp(p, QPointF(90, 84), 30, lampYellow, true);
        rays(p, QPointF(90, 84), 48, 64, QColor(230, 150, 0));
    }));
    out.push_back(scene("ch2_signal_lane_red_x", 220, 190, [](QPainter& p) { laneLamp(p, true); }));
    out.push_back(
        scene("ch2_signal_lane_green_arrow", 220, 190, [](QPainter& p) { laneLamp(p, false); }));
    out.push_back(scene("ch2_signal_pedestrian_red", 140, 200, [](QPainter& p) {
        housing(p, QRectF(26, 8, 88, 184));
        lens(p, QPointF(70, 54), 36, lampRed, true);
        figure(p, QPointF(70, 55), 2.0, lampRed, false);
        lens(p, QPointF(70, 146), 36, lampGreen, false);
        figure(p, QPointF(68, 146), 1.4, lampGreen.darker(420), true);
    }));
    out.push_back(scene("ch2_signal_rail_crossing", 220, 180, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 124, 128));
        p.drawRect(QRectF(104, 80, 12, 100));
        housing(p, QRectF(20, 50, 180, 70));
        roundLamp(p, QPointF(62, 85), 26, lampRed, true);
        roundLamp(p, QPointF(158, 85), 26, lampRed, false);
        rays(p, QPointF(62, 85), 38, 48, lampRed);
        // Crossbuck above the lights marks a railway crossing.
        stroke(p, QPolygonF{{60, 6}, {160, 42}}, 10, colour::white);
        stroke(p, QPolygonF{{60, 42}, {160, 6}}, 10, colour::white);
        stroke(p, QPolygonF{{64, 7.5}, {156, 40.5}}, 3, colour::red);
        stroke(p, QPolygonF{{64, 40.5}, {156, 7.5}}, 3, colour::red);
    }));
    out.push_back(scene("ch2_signal_right_red_round_green", 200, 200, [](QPainter& p) {
        threeRound(p, 58, 8, 2);
        threeArrow(p, 142, 8, 0, 0);
    }));
    out.push_back(scene("ch2_signal_right_green_round_red", 200, 200, [](QPainter& p) {
        threeRound(p, 58, 8, 0);
        threeArrow(p, 142, 8, 2, 0);
    }));
    out.push_back(scene("ch2_signal_arrows_left_only", 260, 200, [](QPainter& p) {
        threeArrow(p, 46, 8, 2, 180);
        threeArrow(p, 130, 8, 0, 90);
        threeArrow(p, 214, 8, 0, 0);
    }));
    out.push_back(scene("ch2_signal_straight_green_arrow", 200, 200, [](QPainter& p) {
        threeArrow(p, 58, 8, 0, 180);
        threeArrow(p, 142, 8, 2, 90);
    }));
    out.push_back(scene("ch2_signal_left_yellow_arrow", 140, 200,
                        [](QPainter& p) { threeArrow(p, 70, 8, 1, 180); }));
    out.push_back(scene("ch2_signal_pedestrian_green", 140, 200, [](QPainter& p) {
        housing(p, QRectF(26, 8, 88, 184));
        lens(p, QPointF(70, 54), 36, lampRed, false);
        figure(p, QPointF(70, 55), 2.0, lampRed.darker(420), false);
        lens(p, QPointF(70, 146), 36, lampGreen, true);
        figure(p, QPointF(68, 146), 1.4, lampGreen, true);
    }));
    out.push_back(scene("ch2_signal_bicycle_red", 140, 200, [](QPainter& p) {
        housing(p, QRectF(36, 8, 68, 184));
        const QColor cols[3] = {lampRed, lampYellow, lampGreen};
        for (int i = 0; i < 3; ++i)
            bikeLamp(p, QPointF(70, 40 + i * 60), 25, cols[i], i == 0);
    }));
    out.push_back(scene("ch2_signal_horizontal_red", 220, 120, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 124, 128));
        p.drawRect(QRectF(0, 14, 220, 10));
        housing(p, QRectF(18, 30, 184, 68));
        const QColor cols[3] = {lampRed, lampYellow, lampGreen};
        for (int i = 0; i < 3; ++i)
            roundLamp(p, QPointF(50 + i * 60, 64), 25, cols[i], i == 0);
    }));
    out.push_back(
        scene("ch2_signal_rail_one_red", 220, 180, [](QPainter& p) { railLights(p, 1, 0); }));
    out.push_back(
        scene("ch2_signal_rail_dark", 220, 180, [](QPainter& p) { railLights(p, 0, 0); }));
    out.push_back(scene("ch2_signal_lane_gantry", 260, 190, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 124, 128));
        p.drawRect(QRectF(0, 14, 260, 12));
        p.setBrush(colour::asphalt);
        p.drawRect(QRectF(0, 130, 260, 60));
        // Three lanes of this direction, the centre line on their left.
        p.setBrush(colour::paint);
        for (double x : {90.0, 170.0, 250.0})
            p.drawRect(QRectF(x, 130, 4, 60));
        p.setBrush(colour::lineYellow);
        p.drawRect(QRectF(6, 130, 4, 60));
        const double cx[3] = {48, 130, 210};
        for (int i = 0; i < 3; ++i) {
            housing(p, QRectF(cx[i] - 32, 32, 64, 64));
            p.setBrush(QColor(12, 12, 14));
            p.drawRect(QRectF(cx[i] - 26, 38, 52, 52));
            if (i < 2) {
                arrow(p, polyPath(QPolygonF{{cx[i], 44}, {cx[i], 68}}), 8, 16, 26, lampGreen);
            } else {
                stroke(p, QPolygonF{{cx[i] - 15, 49}, {cx[i] + 15, 79}}, 8, lampRed, Qt::RoundCap);
                stroke(p, QPolygonF{{cx[i] + 15, 49}, {cx[i] - 15, 79}}, 8, lampRed, Qt::RoundCap);
            }
        }
        centredText(p, QPointF(48, 112), QStringLiteral("1"), 16, colour::black);
        centredText(p, QPointF(130, 112), QStringLiteral("2"), 16, colour::black);
        centredText(p, QPointF(210, 112), QStringLiteral("3"), 16, colour::black);
    }));
    out.push_back(scene("ch2_signal_all_dark", 200, 200, [](QPainter& p) {
        threeArrow(p, 58, 8, -1, 180);
        threeRound(p, 142, 8, -1);
    }));
}
