// Road situations seen from above (the learner's car is always red) or from the side.
#include "picgen.h"

#include <QtMath>

namespace {

constexpr int W = 240, H = 180;
const QColor grass(118, 150, 96), grey(150, 156, 166), blueCar(60, 120, 200);
const QColor greenCar(70, 150, 90), amber(255, 160, 0), busYellow(250, 190, 20);
const QColor sky(170, 205, 235), water(60, 120, 180), kerbGrey(200, 200, 196);

Picture pic(const char* name, std::function<void(QPainter&)> body, QColor bg = grass) {
    return scenePicture(name, body, bg);
}

// Line marks: solid or dashed, vertical (x fixed) or horizontal (y fixed).
void vLine(QPainter& p, double x, double y0, double y1, const QColor& c, bool dashed = false,
           double w = 3) {
    if (!dashed) {
        box(p, QRectF(x - w / 2, y0, w, y1 - y0), c);
        return;
    }
    for (double y = y0; y < y1; y += 30)
        box(p, QRectF(x - w / 2, y, w, qMin(16.0, y1 - y)), c);
}

void hLine(QPainter& p, double y, double x0, double x1, const QColor& c, bool dashed = false,
           double w = 3) {
    if (!dashed) {
        box(p, QRectF(x0, y - w / 2, x1 - x0, w), c);
        return;
    }
    for (double x = x0; x < x1; x += 30)
        box(p, QRectF(x, y - w / 2, qMin(16.0, x1 - x), w), c);
}

// A straight road running up the picture: `down` lanes for oncoming traffic on the left,
// `up` lanes for our direction on the right, each `lw` wide, starting at x0.
struct Road {
    double x0, lw;
    int down, up;
    double centre() const { return x0 + lw * down; }
    double right() const { return centre() + lw * up; }
    double upLane(int i) const { return centre() + lw * (i + 0.5); }   // 0 = next to centre
    double downLane(int i) const { return centre() - lw * (i + 0.5); } // 0 = next to centre
};

enum class Centre { Dashed, Solid, Double, None };

void drawRoad(QPainter& p, const Road& r, Centre centre, double y0 = 0, double y1 = H) {
    box(p, QRectF(r.x0, y0, r.right() - r.x0, y1 - y0), colour::asphalt);
    vLine(p, r.x0 + 4, y0, y1, colour::paint);
    vLine(p, r.right() - 4, y0, y1, colour::paint);
    for (int i = 1; i < r.up; ++i)
        vLine(p, r.centre() + r.lw * i, y0, y1, colour::paint, true);
    for (int i = 1; i < r.down; ++i)
        vLine(p, r.centre() - r.lw * i, y0, y1, colour::paint, true);
    if (r.down == 0) return;
    switch (centre) {
    case Centre::Dashed:
        vLine(p, r.centre(), y0, y1, colour::lineYellow, true);
        break;
    case Centre::Solid:
        vLine(p, r.centre(), y0, y1, colour::lineYellow);
        break;
    case Centre::Double:
        vLine(p, r.centre() - 3, y0, y1, colour::lineYellow, false, 2.5);
        vLine(p, r.centre() + 3, y0, y1, colour::lineYellow, false, 2.5);
        break;
    case Centre::None:
        break;
    }
}

// Blinking lamps of a vehicle of length `len` and width `wid` centred at c, rotated by angle.
// side: -1 left lamps, +1 right lamps, 0 all four (hazard lights).
void blink(QPainter& p, QPointF c, double angle, double len, double wid, int side) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    QRadialGradient g(0, 0, 7);
    g.setColorAt(0, QColor(255, 220, 80));
    g.setColorAt(0.45, QColor(255, 160, 0, 220));
    g.setColorAt(1, QColor(255, 160, 0, 0));
    p.setPen(Qt::NoPen);
    for (int sx : {-1, 1}) {
        if (side != 0 && sx != side) continue;
        for (int sy : {-1, 1}) {
            p.save();
            p.translate(sx * (wid / 2 - 1), sy * (len / 2 - 1));
            p.setBrush(g);
            p.drawEllipse(QPointF(0, 0), 7, 7);
            p.restore();
        }
    }
    p.restore();
}

void car(QPainter& p, QPointF c, double angle, const QColor& col, int signal = 2, double len = 40) {
    carTop(p, c, angle, col, len);
    if (signal != 2) blink(p, c, angle, len, len * 21 / 44, signal);
}

// A bus or coach from above, pointing up at angle 0.
void bus(QPainter& p, QPointF c, double angle, const QColor& col, double len = 72,
         bool school = false) {
    const double w = 24;
    p.save();
    p.translate(c);
    p.rotate(angle);
    p.setPen(QPen(col.darker(170), 1.2));
    p.setBrush(col);
    p.drawRoundedRect(QRectF(-w / 2, -len / 2, w, len), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 50, 64));
    p.drawRect(QRectF(-w / 2 + 2, -len / 2 + 2, w - 4, 5)); // windscreen
    p.setBrush(col.lighter(112));
    p.drawRect(QRectF(-w / 2 + 4, -len / 2 + 12, w - 8, len - 18)); // roof panel
    if (school) {
        p.save();
        p.rotate(-90);
        centredText(p, QPointF(-4, 0), QStringLiteral("校车"), 11, colour::black);
        p.restore();
        // The stop arm swings out on the driver's (left) side.
        p.setPen(QPen(colour::black, 1.5));
        p.drawLine(QPointF(-w / 2, -len / 2 + 16), QPointF(-w / 2 - 6, -len / 2 + 16));
        QPolygonF oct;
        for (int i = 0; i < 8; ++i) {
            const double a = qDegreesToRadians(22.5 + 45.0 * i);
            oct << QPointF(-w / 2 - 13 + 7 * qCos(a), -len / 2 + 16 + 7 * qSin(a));
        }
        p.setPen(QPen(colour::white, 1.2));
        p.setBrush(colour::red);
        p.drawPolygon(oct);
    }
    p.restore();
}

void truck(QPainter& p, QPointF c, double angle, const QColor& cab = QColor(230, 160, 40),
           double len = 70) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(232, 232, 226));
    p.drawRect(QRectF(-13, -len / 2 + 16, 26, len - 16)); // cargo box
    p.setBrush(cab);
    p.drawRoundedRect(QRectF(-12, -len / 2, 24, 15), 3, 3);
    p.restore();
}

void ambulance(QPainter& p, QPointF c, double angle) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(colour::white);
    p.drawRoundedRect(QRectF(-12, -26, 24, 52), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 50, 64));
    p.drawRect(QRectF(-10, -22, 20, 5));
    p.setBrush(colour::red);
    p.drawRect(QRectF(-2.5, 0, 5, 16));
    p.drawRect(QRectF(-8, 5.5, 16, 5));
    p.setBrush(QColor(40, 90, 230));
    p.drawRect(QRectF(-10, -15, 9, 4));
    p.setBrush(colour::red);
    p.drawRect(QRectF(1, -15, 9, 4));
    p.restore();
    QRadialGradient g(c + QPointF(0, -13), 16);
    g.setColorAt(0, QColor(120, 160, 255, 150));
    g.setColorAt(1, QColor(120, 160, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c + QPointF(0, -13), 16, 16);
}

// A person seen from above: shoulders and head.
void person(QPainter& p, QPointF c, const QColor& col, double s = 1.0) {
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawEllipse(c, 7 * s, 4.5 * s);
    p.setBrush(QColor(50, 35, 25));
    p.drawEllipse(c, 3.6 * s, 3.6 * s);
}

// A cyclist seen from above, riding up at angle 0.
void cyclist(QPainter& p, QPointF c, double angle, const QColor& col = QColor(40, 140, 200)) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    stroke(p, QPolygonF{{0, -13}, {0, 13}}, 3, colour::black, Qt::RoundCap);
    stroke(p, QPolygonF{{-6, -9}, {6, -9}}, 2, colour::black, Qt::RoundCap);
    person(p, QPointF(0, 1), col, 0.95);
    p.restore();
}

// A red warning triangle standing on the road, seen from above at an angle.
void triangle(QPainter& p, QPointF c) {
    QPolygonF t{c + QPointF(0, -9), c + QPointF(-8, 5), c + QPointF(8, 5)};
    p.setPen(QPen(colour::red, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawPolygon(t);
}

// The way a vehicle is about to go: a dashed white track ending in an arrowhead.
void route(QPainter& p, const QPainterPath& path, const QColor& col = colour::white) {
    p.save();
    p.setPen(QPen(col, 2.5, Qt::DashLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
    const double a = qDegreesToRadians(path.angleAtPercent(1.0));
    const QPointF dir(qCos(a), -qSin(a)), side(-dir.y(), dir.x());
    const QPointF tip = path.pointAtPercent(1.0);
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPolygon(QPolygonF{tip + dir * 8, tip + side * 6, tip - side * 6});
}

// Small text with a dark halo so it reads on any background.
void label(QPainter& p, QPointF c, const QString& text, double px = 13,
           const QColor& col = colour::white) {
    QPainterPath path;
    path.addText(0, 0, cjkFont(px), text);
    p.save();
    p.translate(c - path.boundingRect().center());
    p.setPen(QPen(QColor(20, 20, 20, 200), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.fillPath(path, col);
    p.restore();
}

// A distance mark along the road: a thin bracket between y0 and y1 at x, with text beside it.
void span(QPainter& p, double x, double y0, double y1, const QString& text) {
    p.setPen(QPen(colour::white, 1.5));
    p.drawLine(QPointF(x, y0), QPointF(x, y1));
    p.drawLine(QPointF(x - 4, y0), QPointF(x + 4, y0));
    p.drawLine(QPointF(x - 4, y1), QPointF(x + 4, y1));
    label(p, QPointF(x + 18, (y0 + y1) / 2), text, 12);
}

// A four-way crossing of two roads, one lane each way, centred at (cx, cy).
// half: half the road width. Stop lines and crossings are optional.
void crossroads(QPainter& p, double cx, double cy, double half, bool stopLines, bool crossings) {
    box(p, QRectF(cx - half, 0, 2 * half, H), colour::asphalt);
    box(p, QRectF(0, cy - half, W, 2 * half), colour::asphalt);
    const double m = half + (crossings ? 24 : 4); // where the markings stop
    vLine(p, cx, 0, cy - m, colour::lineYellow, !stopLines);
    vLine(p, cx, cy + m, H, colour::lineYellow, !stopLines);
    hLine(p, cy, 0, cx - m, colour::lineYellow, !stopLines);
    hLine(p, cy, cx + m, W, colour::lineYellow, !stopLines);
    if (crossings) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::paint);
        for (double d = -half + 4; d < half - 4; d += 9) {
            p.drawRect(QRectF(cx + d, cy - half - 20, 5, 16));
            p.drawRect(QRectF(cx + d, cy + half + 4, 5, 16));
            p.drawRect(QRectF(cx - half - 20, cy + d, 16, 5));
            p.drawRect(QRectF(cx + half + 4, cy + d, 16, 5));
        }
    }
    if (stopLines) {
        hLine(p, cy + m + 2, cx, cx + half, colour::paint, false, 4);
        hLine(p, cy - m - 2, cx - half, cx, colour::paint, false, 4);
        vLine(p, cx - m - 2, cy, cy + half, colour::paint, false, 4);
        vLine(p, cx + m + 2, cy - half, cy, colour::paint, false, 4);
    }
}

// Guard rail along a road edge.
void guardRail(QPainter& p, double x, double y0, double y1) {
    box(p, QRectF(x - 2, y0, 4, y1 - y0), QColor(210, 210, 215));
    for (double y = y0 + 4; y < y1; y += 14)
        box(p, QRectF(x - 3, y, 6, 3), QColor(120, 120, 125));
}

// An expressway carriageway going up: yellow left edge, `lanes` lanes, an emergency lane.
struct Expressway {
    double x0 = 46, lw = 40;
    int lanes = 3;
    double laneX(int i) const { return x0 + lw * (i + 0.5); } // 0 = leftmost lane
    double shoulderLeft() const { return x0 + lw * lanes; }
    double shoulderX() const { return shoulderLeft() + 18; }
};

void drawExpressway(QPainter& p, const Expressway& e, bool rails = true) {
    box(p, QRectF(e.x0 - 14, 0, 10, H), QColor(140, 170, 110)); // central reservation
    box(p, QRectF(e.x0 - 4, 0, e.lw * e.lanes + 40, H), colour::asphalt);
    vLine(p, e.x0, 0, H, colour::lineYellow);
    for (int i = 1; i < e.lanes; ++i)
        vLine(p, e.x0 + e.lw * i, 0, H, colour::paint, true);
    vLine(p, e.shoulderLeft(), 0, H, colour::paint, false, 3.5);
    if (rails) {
        guardRail(p, e.x0 - 9, 0, H);
        guardRail(p, e.shoulderLeft() + 38, 0, H);
    }
}

// A small car from the side, facing right, wheels on y = ground.
void carSide(QPainter& p, QPointF rearGround, double len, const QColor& col) {
    const double s = len / 100.0;
    p.save();
    p.translate(rearGround);
    p.scale(s, s);
    QPainterPath body;
    body.moveTo(0, -12);
    body.lineTo(0, -34);
    body.lineTo(22, -38);
    body.lineTo(36, -58);
    body.lineTo(70, -58);
    body.lineTo(84, -38);
    body.lineTo(100, -34);
    body.lineTo(100, -12);
    body.closeSubpath();
    p.setPen(QPen(col.darker(160), 2));
    p.setBrush(col);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 190, 215));
    p.drawPolygon(QPolygonF{{26, -39}, {38, -54}, {52, -54}, {52, -39}});
    p.drawPolygon(QPolygonF{{56, -39}, {56, -54}, {68, -54}, {79, -39}});
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPointF(20, -12), 12, 12);
    p.drawEllipse(QPointF(80, -12), 12, 12);
    p.setBrush(QColor(170, 170, 170));
    p.drawEllipse(QPointF(20, -12), 5, 5);
    p.drawEllipse(QPointF(80, -12), 5, 5);
    p.restore();
}

// Smoke rising from `base` and drifting to the left, downwind of a wind from the right.
void smoke(QPainter& p, QPointF base, double s) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        p.setBrush(QColor(90, 90, 90, 150 - i * 20));
        p.drawEllipse(base + QPointF(4 - 7 * i, -10 - 12 * i) * s, (8 + 3 * i) * s,
                      (7 + 3 * i) * s);
    }
}

void flames(QPainter& p, QPointF base, double s) {
    QPainterPath f;
    f.moveTo(base + QPointF(-14, 0) * s);
    f.quadTo(base + QPointF(-16, -14) * s, base + QPointF(-8, -26) * s);
    f.quadTo(base + QPointF(-6, -14) * s, base + QPointF(-2, -12) * s);
    f.quadTo(base + QPointF(0, -30) * s, base + QPointF(6, -36) * s);
    f.quadTo(base + QPointF(8, -18) * s, base + QPointF(12, -16) * s);
    f.quadTo(base + QPointF(18, -10) * s, base + QPointF(14, 0) * s);
    f.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 90, 20));
    p.drawPath(f);
    p.save();
    p.translate(base);
    p.scale(0.55, 0.55);
    p.translate(-base);
    p.setBrush(QColor(255, 210, 60));
    p.drawPath(f);
    p.restore();
}

// Side-view ground: sky above, road strip below.
void sideGround(QPainter& p, double ground) {
    box(p, QRectF(0, 0, W, ground), sky);
    box(p, QRectF(0, ground, W, H - ground), QColor(95, 97, 100));
}

// Walking person with a fire extinguisher (side view), facing right.
void extinguisherUser(QPainter& p, QPointF foot) {
    p.save();
    p.translate(foot);
    p.scale(-1, 1); // facing left, towards the car
    walker(p, QPointF(0, 0), 52, QColor(40, 70, 140));
    box(p, QRectF(8, -30, 8, 16), colour::red);
    stroke(p, QPolygonF{{14, -30}, {30, -26}}, 2, colour::black);
    p.restore();
}

// ---- the pictures ----

void schoolBusPictures(Pictures& out) {
    out.push_back(pic("ch3_sit_schoolbus_one_lane", [](QPainter& p) {
        const Road r{60, 60, 1, 1};
        drawRoad(p, r, Centre::Dashed);
        bus(p, QPointF(r.upLane(0) + 8, 64), 0, busYellow, 78, true);
        blink(p, QPointF(r.upLane(0) + 8, 64), 0, 78, 24, 0);
        person(p, QPointF(r.right() + 10, 58), QColor(230, 80, 40));
        person(p, QPointF(r.right() + 12, 76), QColor(60, 160, 220));
        car(p, QPointF(r.upLane(0), 150), 0, colour::red);
        car(p, QPointF(r.downLane(0), 30), 180, grey);
    }));
    out.push_back(pic("ch3_sit_schoolbus_two_lanes", [](QPainter& p) {
        const Road r{32, 44, 2, 2};
        drawRoad(p, r, Centre::Double);
        bus(p, QPointF(r.upLane(1) + 2, 62), 0, busYellow, 78, true);
        blink(p, QPointF(r.upLane(1) + 2, 62), 0, 78, 24, 0);
        person(p, QPointF(r.right() + 10, 56), QColor(230, 80, 40));
        person(p, QPointF(r.right() + 12, 74), QColor(60, 160, 220));
        car(p, QPointF(r.upLane(0), 140), 0, colour::red);
        car(p, QPointF(r.downLane(1), 120), 180, grey);
    }));
    out.push_back(pic("ch3_sit_schoolbus_three_lanes", [](QPainter& p) {
        const Road r{20, 38, 2, 3};
        drawRoad(p, r, Centre::Double);
        bus(p, QPointF(r.upLane(2) + 1, 60), 0, busYellow, 76, true);
        blink(p, QPointF(r.upLane(2) + 1, 60), 0, 76, 24, 0);
        person(p, QPointF(r.right() + 9, 56), QColor(230, 80, 40));
        car(p, QPointF(r.upLane(1), 132), 0, blueCar);
        car(p, QPointF(r.upLane(0), 150), 0, colour::red);
        car(p, QPointF(r.downLane(0), 40), 180, grey);
    }));
    out.push_back(pic("ch3_sit_school_gate", [](QPainter& p) {
        const Road r{40, 50, 1, 1};
        drawRoad(p, r, Centre::Dashed);
        // School gate and fence on the right.
        box(p, QRectF(r.right() + 8, 0, 80, H), QColor(200, 190, 170));
        box(p, QRectF(r.right() + 8, 40, 10, 60), QColor(150, 60, 50));
        label(p, QPointF(r.right() + 54, 70), QStringLiteral("学校"), 18, colour::black);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::paint);
        for (double x = r.x0 + 8; x < r.right() - 8; x += 12)
            p.drawRect(QRectF(x, 56, 7, 28));
        person(p, QPointF(r.upLane(0) + 10, 72), QColor(230, 80, 40), 1.3);
        person(p, QPointF(r.upLane(0) - 10, 64), QColor(60, 160, 220), 1.3);
        person(p, QPointF(r.right() + 2, 100), QColor(240, 200, 40), 1.3);
        car(p, QPointF(r.upLane(0), 150), 0, colour::red);
    }));
}

void crossingPictures(Pictures& out) {
    out.push_back(pic("ch3_sit_roundabout_enter", [](QPainter& p) {
        const QPointF c(120, 84);
        box(p, QRectF(96, 0, 48, H), colour::asphalt);
        box(p, QRectF(0, 60, W, 48), colour::asphalt);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::asphalt);
        p.drawEllipse(c, 74, 74);
        p.setBrush(grass);
        p.setPen(QPen(colour::paint, 3));
        p.drawEllipse(c, 34, 34);
        p.setPen(QPen(colour::paint, 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 72, 72);
        // Cars in the ring run anticlockwise on screen.
        car(p, c + QPointF(38, 36), 45, blueCar, 2, 34);
        car(p, c + QPointF(-52, -3), 180, grey, 2, 34);
        car(p, QPointF(132, 172), 0, colour::red, 2, 34);
    }));
    out.push_back(pic("ch3_sit_cross_left_car", [](QPainter& p) {
        crossroads(p, 120, 86, 30, false, false);
        car(p, QPointF(135, 152), 0, colour::red);
        car(p, QPointF(40, 101), 90, blueCar);
        QPainterPath a(QPointF(135, 128));
        a.lineTo(135, 50);
        route(p, a);
        QPainterPath b(QPointF(64, 101));
        b.lineTo(86, 101);
        route(p, b);
    }));
    out.push_back(pic("ch3_sit_cross_turns_meet", [](QPainter& p) {
        crossroads(p, 120, 86, 30, false, false);
        car(p, QPointF(135, 150), 0, colour::red, 1);
        car(p, QPointF(105, 22), 180, blueCar, -1);
        QPainterPath mine(QPointF(135, 128));
        mine.quadTo(135, 102, 170, 100);
        route(p, mine);
        QPainterPath theirs(QPointF(105, 44));
        theirs.quadTo(105, 98, 160, 104);
        route(p, theirs, QColor(180, 210, 255));
    }));
    out.push_back(pic("ch3_sit_cross_left_turn_path", [](QPainter& p) {
        crossroads(p, 120, 86, 30, true, true);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::lineYellow);
        p.drawEllipse(QPointF(120, 86), 4, 4);
        car(p, QPointF(135, 158), 0, colour::red, -1);
        QPainterPath t(QPointF(135, 134));
        t.cubicTo(135, 100, 112, 96, 60, 72);
        route(p, t);
    }));
    out.push_back(pic("ch3_sit_stop_no_line", [](QPainter& p) {
        crossroads(p, 120, 86, 30, false, false);
        // Signal head on the far right corner, showing red.
        box(p, QRectF(166, 28, 12, 30), colour::black);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::red);
        p.drawEllipse(QPointF(172, 34), 4, 4);
        p.setBrush(QColor(70, 70, 50));
        p.drawEllipse(QPointF(172, 43), 4, 4);
        p.drawEllipse(QPointF(172, 52), 4, 4);
        car(p, QPointF(135, 154), 0, colour::red);
        car(p, QPointF(60, 101), 90, grey);
        car(p, QPointF(200, 71), -90, blueCar);
    }));
    out.push_back(pic("ch3_sit_lane_arrows", [](QPainter& p) {
        const Road r{20, 50, 1, 3};
        drawRoad(p, r, Centre::Solid, 0, H);
        box(p, QRectF(r.centre() + 2, 0, r.lw * 3 - 6, 30), colour::asphalt);
        for (int i = 1; i < 3; ++i) {
            vLine(p, r.centre() + r.lw * i, 30, 120, colour::paint);
            vLine(p, r.centre() + r.lw * i, 120, H, colour::paint, true);
        }
        hLine(p, 30, r.centre(), r.right(), colour::paint, false, 4);
        auto lamp = [&](double x, bool left, bool right) {
            QPainterPath s(QPointF(x, 70));
            s.lineTo(x, 42);
            arrow(p, s, 4, 10, 12, colour::paint);
            if (left) {
                QPainterPath l(QPointF(x, 56));
                l.quadTo(x, 46, x - 10, 46);
                arrow(p, l, 4, 8, 11, colour::paint);
            }
            if (right) {
                QPainterPath rr(QPointF(x, 56));
                rr.quadTo(x, 46, x + 10, 46);
                arrow(p, rr, 4, 8, 11, colour::paint);
            }
        };
        lamp(r.upLane(0), true, false);
        {
            QPainterPath s(QPointF(r.upLane(1), 70));
            s.lineTo(r.upLane(1), 38);
            arrow(p, s, 4, 10, 12, colour::paint);
        }
        lamp(r.upLane(2), false, true);
        // Already between the solid lines of the straight-ahead lane.
        car(p, QPointF(r.upLane(1), 100), 0, colour::red, 2, 36);
    }));
}

void overtakingPictures(Pictures& out) {
    out.push_back(pic("ch3_sit_overtake_front_left", [](QPainter& p) {
        const Road r{60, 60, 1, 1};
        drawRoad(p, r, Centre::Dashed);
        // A side road joins on the left; the car in front is turning into it.
        box(p, QRectF(0, 20, 62, 50), colour::asphalt);
        car(p, QPointF(r.upLane(0) - 10, 62), -30, blueCar, -1);
        car(p, QPointF(r.upLane(0), 140), 0, colour::red);
        QPainterPath t(QPointF(r.upLane(0) - 20, 46));
        t.quadTo(r.upLane(0) - 40, 36, 20, 42);
        route(p, t, QColor(180, 210, 255));
    }));
    out.push_back(pic("ch3_sit_overtake_oncoming", [](QPainter& p) {
        const Road r{60, 60, 1, 1};
        drawRoad(p, r, Centre::Dashed);
        truck(p, QPointF(r.upLane(0), 100), 0);
        car(p, QPointF(r.upLane(0), 164), 0, colour::red, -1);
        car(p, QPointF(r.downLane(0), 22), 180, blueCar);
    }));
    out.push_back(pic("ch3_sit_overtake_return", [](QPainter& p) {
        const Road r{40, 50, 2, 2};
        drawRoad(p, r, Centre::Double);
        car(p, QPointF(r.upLane(1), 140), 0, blueCar);
        car(p, QPointF(r.upLane(0), 64), 0, colour::red, 1);
        QPainterPath t(QPointF(r.upLane(0), 40));
        t.quadTo(r.upLane(0), 20, r.upLane(1), 6);
        route(p, t);
    }));
    out.push_back(pic("ch3_sit_blind_spot", [](QPainter& p) {
        const Road r{50, 50, 1, 2};
        drawRoad(p, r, Centre::Solid);
        car(p, QPointF(r.upLane(1), 80), 0, colour::red, -1);
        car(p, QPointF(r.upLane(0), 124), 0, blueCar);
        // The mirror's view as a pale wedge: the blue car sits outside it.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 45));
        const QPointF m(r.upLane(1) - 11, 72);
        p.drawPolygon(QPolygonF{m, m + QPointF(-40, 108), m + QPointF(-6, 108)});
    }));
    out.push_back(pic("ch3_sit_truck_blind_spot", [](QPainter& p) {
        const Road r{50, 50, 1, 2};
        drawRoad(p, r, Centre::Solid);
        truck(p, QPointF(r.upLane(1), 70), 0, QColor(230, 160, 40), 90);
        car(p, QPointF(r.upLane(0), 92), 0, colour::red);
        car(p, QPointF(r.downLane(0), 150), 180, grey);
    }));
    out.push_back(pic("ch3_sit_follow_truck", [](QPainter& p) {
        const Road r{60, 60, 1, 1};
        drawRoad(p, r, Centre::Solid);
        truck(p, QPointF(r.upLane(0), 60), 0, QColor(60, 110, 170), 96);
        car(p, QPointF(r.upLane(0), 134), 0, colour::red);
        car(p, QPointF(r.downLane(0), 120), 180, grey);
    }));
    out.push_back(pic("ch3_sit_meet_obstacle", [](QPainter& p) {
        const Road r{60, 60, 1, 1};
        drawRoad(p, r, Centre::None);
        vLine(p, r.centre(), 0, H, colour::lineYellow, true);
        // Road works in our lane.
        box(p, QRectF(r.centre() + 14, 70, 40, 34), QColor(220, 90, 30));
        for (double y : {62.0, 112.0})
            for (double x : {r.centre() + 20, r.centre() + 44}) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(240, 120, 30));
                p.drawPolygon(QPolygonF{{x, y - 6}, {x - 4, y + 4}, {x + 4, y + 4}});
            }
        car(p, QPointF(r.upLane(0), 156), 0, colour::red);
        car(p, QPointF(r.downLane(0), 24), 180, blueCar);
    }));
    out.push_back(pic("ch3_sit_narrow_bridge_bike", [](QPainter& p) {
        box(p, QRectF(0, 0, W, H), QColor(40, 60, 100)); // river
        box(p, QRectF(80, 0, 80, H), QColor(70, 72, 76));
        box(p, QRectF(74, 0, 6, H), QColor(190, 190, 190));
        box(p, QRectF(160, 0, 6, H), QColor(190, 190, 190));
        vLine(p, 120, 0, H, colour::lineYellow, true);
        p.save();
        p.translate(100, 50);
        p.scale(1.4, 1.4);
        cyclist(p, QPointF(0, 0), 180);
        p.restore();
        // Night: the car's low beams spread a short way ahead.
        QRadialGradient g(QPointF(140, 110), 60);
        g.setColorAt(0, QColor(255, 250, 200, 120));
        g.setColorAt(1, QColor(255, 250, 200, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPolygon(QPolygonF{{130, 128}, {150, 128}, {160, 60}, {112, 60}});
        car(p, QPointF(140, 146), 0, colour::red);
        box(p, QRectF(0, 0, W, H), QColor(0, 0, 30, 70));
    }));
    out.push_back(pic("ch3_sit_ambulance_behind", [](QPainter& p) {
        const Road r{40, 50, 1, 2};
        drawRoad(p, r, Centre::Solid);
        car(p, QPointF(r.upLane(0), 70), 0, colour::red);
        ambulance(p, QPointF(r.upLane(0), 150), 0);
        car(p, QPointF(r.upLane(1), 40), 0, grey);
    }));
}

void townPictures(Pictures& out) {
    out.push_back(pic("ch3_sit_door_cyclist", [](QPainter& p) {
        const Road r{40, 60, 1, 1};
        drawRoad(p, r, Centre::Dashed);
        box(p, QRectF(r.right(), 0, 36, H), QColor(90, 140, 190)); // cycle lane
        vLine(p, r.right() + 1, 0, H, colour::paint);
        box(p, QRectF(r.right() + 36, 0, W, H), QColor(190, 185, 175)); // pavement
        car(p, QPointF(r.right() - 16, 80), 0, colour::red);
        cyclist(p, QPointF(r.right() + 16, 146), 0);
    }));
    out.push_back(pic("ch3_sit_right_turn_cyclist", [](QPainter& p) {
        crossroads(p, 110, 70, 30, true, true);
        box(p, QRectF(140, 100, 20, H), QColor(90, 140, 190)); // cycle lane on our right
        box(p, QRectF(140, 96, 20, 5), colour::paint);
        car(p, QPointF(125, 140), 0, colour::red, 1);
        cyclist(p, QPointF(150, 126), 0);
        QPainterPath t(QPointF(125, 118));
        t.quadTo(125, 84, 160, 82);
        route(p, t);
    }));
    out.push_back(pic("ch3_sit_ball_road", [](QPainter& p) {
        const Road r{40, 60, 1, 1};
        drawRoad(p, r, Centre::Dashed);
        box(p, QRectF(r.right(), 0, W, H), QColor(190, 185, 175));
        car(p, QPointF(r.right() - 14, 40), 0, grey);
        car(p, QPointF(r.right() - 14, 92), 0, greenCar);
        p.setPen(QPen(QColor(150, 20, 20), 1));
        p.setBrush(QColor(255, 210, 40));
        p.drawEllipse(QPointF(r.upLane(0) - 6, 64), 6, 6);
        person(p, QPointF(r.right() - 14, 66), QColor(230, 80, 40), 1.2);
        car(p, QPointF(r.upLane(0) - 8, 150), 0, colour::red);
    }));
    out.push_back(pic("ch3_sit_bus_stop_walker", [](QPainter& p) {
        const Road r{50, 60, 1, 1};
        drawRoad(p, r, Centre::Dashed);
        box(p, QRectF(r.right(), 0, W, H), QColor(190, 185, 175));
        bus(p, QPointF(r.right() - 18, 70), 0, QColor(60, 160, 110), 84);
        person(p, QPointF(r.right() - 30, 22), QColor(230, 80, 40), 1.3);
        car(p, QPointF(r.upLane(0) - 10, 150), 0, colour::red);
    }));
    out.push_back(pic("ch3_sit_crosswalk_hidden", [](QPainter& p) {
        const Road r{40, 50, 1, 2};
        drawRoad(p, r, Centre::Solid);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::paint);
        for (double x = r.x0 + 8; x < r.right() - 6; x += 14)
            p.drawRect(QRectF(x, 40, 8, 30));
        truck(p, QPointF(r.upLane(1), 112), 0, QColor(60, 110, 170), 72);
        person(p, QPointF(r.upLane(1) + 2, 55), QColor(230, 80, 40), 1.4);
        car(p, QPointF(r.upLane(0), 140), 0, colour::red);
    }));
    out.push_back(pic("ch3_sit_uturn_crosswalk", [](QPainter& p) {
        const Road r{40, 80, 1, 1};
        drawRoad(p, r, Centre::Dashed);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::paint);
        for (double x = r.x0 + 8; x < r.right() - 6; x += 14)
            p.drawRect(QRectF(x, 70, 8, 34));
        car(p, QPointF(r.upLane(0), 150), 0, colour::red, -1);
        QPainterPath t(QPointF(r.upLane(0), 128));
        t.quadTo(r.upLane(0), 80, r.centre(), 84);
        t.quadTo(r.downLane(0), 88, r.downLane(0), 130);
        route(p, t);
    }));
}

void expresswayPictures(Pictures& out) {
    out.push_back(pic("ch3_sit_expressway_middle", [](QPainter& p) {
        const Expressway e;
        drawExpressway(p, e);
        car(p, QPointF(e.laneX(1), 120), 0, colour::red);
        car(p, QPointF(e.laneX(0), 40), 0, grey);
        truck(p, QPointF(e.laneX(2), 70), 0);
    }));
    out.push_back(pic("ch3_sit_expressway_exit_missed", [](QPainter& p) {
        const Expressway e{30, 40, 3};
        drawExpressway(p, e, false);
        guardRail(p, e.x0 - 9, 0, H);
        // Exit ramp peels off to the right behind us.
        QPainterPath ramp;
        ramp.moveTo(e.shoulderLeft() - 2, H);
        ramp.quadTo(e.shoulderLeft() + 20, 120, W + 10, 70);
        p.setPen(QPen(colour::asphalt, 34, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(ramp);
        vLine(p, e.shoulderLeft(), 0, 110, colour::paint, false, 3.5);
        p.setPen(QPen(colour::paint, 3));
        p.drawLine(QPointF(e.shoulderLeft() + 4, 178), QPointF(e.shoulderLeft() + 30, 120));
        label(p, QPointF(214, 100), QStringLiteral("出口"), 13);
        car(p, QPointF(e.laneX(2), 60), 0, colour::red);
        car(p, QPointF(e.laneX(1), 150), 0, grey);
    }));
    out.push_back(pic("ch3_sit_expressway_breakdown", [](QPainter& p) {
        const Expressway e;
        drawExpressway(p, e);
        car(p, QPointF(e.shoulderX(), 28), 0, colour::red, 0, 36);
        triangle(p, QPointF(e.shoulderX(), 168));
        span(p, e.shoulderLeft() - 10, 46, 160, QStringLiteral("150米"));
        box(p, QRectF(e.shoulderLeft() + 41, 0, W, H), grass);
        person(p, QPointF(e.shoulderLeft() + 52, 30), QColor(230, 80, 40), 1.3);
        person(p, QPointF(e.shoulderLeft() + 53, 50), QColor(60, 120, 200), 1.3);
        car(p, QPointF(e.laneX(1), 130), 0, grey);
    }));
    out.push_back(pic("ch6_sit_expressway_stop_lane", [](QPainter& p) {
        const Expressway e;
        drawExpressway(p, e);
        car(p, QPointF(e.laneX(2), 76), 0, colour::red, 0);
        QPainterPath t(QPointF(e.laneX(2), 56));
        t.quadTo(e.laneX(2), 30, e.shoulderX(), 12);
        route(p, t);
        car(p, QPointF(e.laneX(1), 150), 0, grey);
        truck(p, QPointF(e.laneX(0), 120), 0);
    }));
    out.push_back(pic("ch3_sit_night_glare", [](QPainter& p) {
        // From the driver's seat at night: the oncoming car's high beams.
        box(p, QRectF(0, 0, W, H), QColor(14, 18, 34));
        QPolygonF road{{0, H}, {W, H}, {132, 70}, {108, 70}};
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(46, 48, 52));
        p.drawPolygon(road);
        stroke(p, QPolygonF{{120, 70}, {120, H}}, 2, QColor(200, 160, 30));
        stroke(p, QPolygonF{{236, H}, {131, 70}}, 2, QColor(180, 180, 180));
        for (double x : {98.0, 112.0}) {
            QRadialGradient g(QPointF(x, 78), 40);
            g.setColorAt(0, QColor(255, 255, 240));
            g.setColorAt(0.2, QColor(255, 255, 220, 220));
            g.setColorAt(1, QColor(255, 255, 200, 0));
            p.setBrush(g);
            p.drawEllipse(QPointF(x, 78), 40, 40);
        }
        // Bonnet and dashboard edge of our car.
        box(p, QRectF(0, 158, W, 22), QColor(30, 30, 34));
        p.setBrush(QColor(120, 20, 24));
        p.drawPolygon(QPolygonF{{40, 158}, {200, 158}, {220, 150}, {20, 150}});
    }));
}

void emergencyPictures(Pictures& out) {
    out.push_back(pic("ch6_sit_blowout", [](QPainter& p) {
        const Road r{50, 60, 1, 2};
        drawRoad(p, r, Centre::Double);
        const QPointF c(r.upLane(1) - 6, 96);
        carTop(p, c, -14, colour::red, 56);
        // Burst front-left tyre: a ragged dark star at the wheel.
        p.save();
        p.translate(c);
        p.rotate(-14);
        QPolygonF star;
        for (int i = 0; i < 14; ++i) {
            const double a = qDegreesToRadians(360.0 / 14 * i);
            const double rad = (i % 2) ? 5 : 11;
            star << QPointF(-13 + rad * qCos(a), -16 + rad * qSin(a));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 230, 80));
        p.drawPolygon(star);
        p.setBrush(QColor(20, 20, 20));
        p.drawRect(QRectF(-16, -21, 6, 10));
        p.restore();
        QPainterPath drift(c + QPointF(-12, -36));
        drift.quadTo(c + QPointF(-22, -60), c + QPointF(-40, -76));
        route(p, drift, QColor(255, 220, 120));
        label(p, QPointF(c.x() - 46, c.y() - 4), QStringLiteral("砰"), 16, QColor(255, 230, 80));
    }));
    out.push_back(pic("ch6_sit_rear_skid", [](QPainter& p) {
        box(p, QRectF(0, 0, W, H), QColor(235, 240, 245)); // snow at the sides
        const Road r{60, 60, 1, 1};
        drawRoad(p, r, Centre::Dashed);
        box(p, QRectF(r.x0, 0, r.right() - r.x0, H), QColor(170, 190, 205, 120)); // ice glaze
        const QPointF c(r.upLane(0) - 4, 96);
        carTop(p, c, -28, colour::red, 52);
        // The tail swings out to the right.
        QPainterPath swing(c + QPointF(14, 30));
        swing.quadTo(c + QPointF(30, 30), c + QPointF(36, 14));
        route(p, swing, QColor(255, 220, 120));
    }));
    out.push_back(pic("ch6_sit_escape_ramp", [](QPainter& p) {
        box(p, QRectF(0, 0, W, H), QColor(150, 130, 100)); // hillside
        // Long downhill road going down the page (we travel downwards), ramp branches right.
        box(p, QRectF(60, 0, 80, H), colour::asphalt);
        vLine(p, 100, 0, H, colour::lineYellow, true);
        QPainterPath ramp(QPointF(132, 60));
        ramp.quadTo(150, 110, 200, H + 10);
        p.setPen(QPen(QColor(200, 180, 140), 36, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(ramp);
        p.setPen(QPen(QColor(170, 150, 110), 2, Qt::DotLine));
        p.drawPath(ramp);
        box(p, QRectF(206, 4, 30, 40), QColor(0, 122, 72));
        p.setPen(QPen(colour::white, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(208, 6, 26, 36));
        label(p, QPointF(221, 17), QStringLiteral("避险"), 10);
        label(p, QPointF(221, 31), QStringLiteral("车道"), 10);
        truck(p, QPointF(120, 40), 180, QColor(60, 110, 170), 64);
        label(p, QPointF(30, 150), QStringLiteral("长下坡"), 14);
    }));
    out.push_back(pic("ch6_sit_engine_fire", [](QPainter& p) {
        sideGround(p, 140);
        carSide(p, QPointF(20, 140), 130, QColor(200, 200, 205));
        smoke(p, QPointF(130, 92), 1.2);
        flames(p, QPointF(136, 104), 0.9);
        extinguisherUser(p, QPointF(200, 150));
        // Wind direction: blowing from the person towards the car.
        QPainterPath wind(QPointF(232, 30));
        wind.lineTo(190, 30);
        arrow(p, wind, 2.5, 8, 9, colour::white);
        label(p, QPointF(210, 16), QStringLiteral("风向"), 11);
    }));
    out.push_back(pic("ch6_sit_car_in_water", [](QPainter& p) {
        box(p, QRectF(0, 0, W, H), sky);
        p.save();
        p.translate(128, 128);
        p.rotate(-12);
        carSide(p, QPointF(-70, 20), 140, colour::red);
        p.restore();
        box(p, QRectF(0, 92, W, H - 92), QColor(60, 120, 180, 220));
        p.setPen(QPen(QColor(200, 230, 255), 2));
        for (double x = 10; x < W; x += 40)
            p.drawArc(QRectF(x, 86, 20, 10), 0, 180 * 16);
    }));
    out.push_back(pic("ch6_sit_water_stall", [](QPainter& p) {
        sideGround(p, 140);
        carSide(p, QPointF(60, 146), 120, QColor(60, 120, 200));
        box(p, QRectF(0, 120, W, 60), QColor(120, 100, 70, 200)); // muddy flood water
        p.setPen(QPen(QColor(220, 210, 180), 2));
        for (double x = 6; x < W; x += 36)
            p.drawArc(QRectF(x, 115, 18, 10), 0, 180 * 16);
    }));
    out.push_back(pic("ch6_sit_rail_stall", [](QPainter& p) {
        const Road r{80, 40, 1, 1};
        drawRoad(p, r, Centre::Solid);
        // Tracks cross the road.
        for (double y : {78.0, 102.0})
            hLine(p, y, 0, W, QColor(150, 150, 155), false, 4);
        for (double x = 4; x < W; x += 14)
            if (x < r.x0 || x > r.right()) box(p, QRectF(x, 72, 6, 36), QColor(120, 90, 60));
        car(p, QPointF(r.upLane(0), 90), 0, colour::red, 0, 40);
        box(p, QRectF(r.right() + 12, 112, 4, 30), colour::white);
        p.setPen(QPen(colour::red, 3));
        p.drawLine(QPointF(r.right() + 4, 112), QPointF(r.right() + 24, 106));
        label(p, QPointF(206, 54), QStringLiteral("火车"), 12);
        QPainterPath t(QPointF(236, 66));
        t.lineTo(200, 66);
        arrow(p, t, 3, 8, 10, colour::white);
    }));
    out.push_back(pic("ch6_sit_head_on", [](QPainter& p) {
        const Road r{60, 56, 1, 1};
        drawRoad(p, r, Centre::Solid);
        box(p, QRectF(r.right() + 4, 0, W, H), QColor(150, 170, 110));
        car(p, QPointF(r.upLane(0), 140), 0, colour::red);
        car(p, QPointF(r.centre() + 8, 48), 165, blueCar);
        QPainterPath t(QPointF(r.centre() + 2, 72));
        t.lineTo(r.centre() + 10, 100);
        route(p, t, QColor(180, 210, 255));
    }));
}

} // namespace

void addSituations(Pictures& out) {
    schoolBusPictures(out);
    crossingPictures(out);
    overtakingPictures(out);
    townPictures(out);
    expresswayPictures(out);
    emergencyPictures(out);
}
