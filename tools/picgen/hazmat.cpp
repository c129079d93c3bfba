// Dangerous-goods labels (GB 190 diamonds), dangerous-goods trucks and first-aid scenes.
#include "picgen.h"

#include <QtMath>

namespace {

// ---------------------------------------------------------------------------------------------
// GB 190 labels: a square standing on a corner, a line of the symbol's colour just inside the
// edge, the symbol in the upper half and the class number in the bottom corner. Units: the label
// spans -100..100 both ways.

const QColor orange(245, 130, 32), labelRed(220, 30, 40), labelGreen(0, 150, 80);
const QColor labelBlue(0, 90, 170), labelYellow(255, 220, 0);

QPolygonF diamond(double s) {
    return QPolygonF{{0, -100 * s}, {100 * s, 0}, {0, 100 * s}, {-100 * s, 0}};
}

void fillPath(QPainter& p, const QPainterPath& path, const QColor& col) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPath(path);
    p.restore();
}

void disc(QPainter& p, QPointF c, double r, const QColor& col) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawEllipse(c, r, r);
    p.restore();
}

// The flame of the labels: three tongues above a bar; `base` is the bar's centre, `h` the height.
void flame(QPainter& p, QPointF base, double h, const QColor& col) {
    const double k = h;
    auto at = [&](double x, double y) { return base + QPointF(x * k, y * k); };
    QPainterPath f(at(-0.36, -0.08));
    f.cubicTo(at(-0.48, -0.30), at(-0.40, -0.48), at(-0.26, -0.62)); // left tongue
    f.cubicTo(at(-0.26, -0.50), at(-0.20, -0.44), at(-0.12, -0.42));
    f.cubicTo(at(-0.18, -0.66), at(-0.06, -0.86), at(0.06, -1.00)); // main tongue
    f.cubicTo(at(0.04, -0.82), at(0.16, -0.70), at(0.16, -0.52));
    f.cubicTo(at(0.22, -0.58), at(0.28, -0.64), at(0.30, -0.72)); // right tongue
    f.cubicTo(at(0.46, -0.50), at(0.46, -0.26), at(0.36, -0.08));
    f.closeSubpath();
    fillPath(p, f, col);
    QPainterPath bar;
    bar.addRect(QRectF(at(-0.46, -0.04), at(0.46, 0.06)));
    fillPath(p, bar, col);
}

void bomb(QPainter& p, const QColor& col) {
    const QPointF c(0, -38);
    disc(p, c, 13, col);
    QPolygonF burst;
    for (int i = 0; i < 24; ++i) {
        const double a = qDegreesToRadians(i * 15.0);
        const double r = (i % 2) ? 17 : (i % 4 ? 34 : 42);
        burst << c + QPointF(r * qCos(a), r * qSin(a));
    }
    fillPath(p, polyPath(burst), col);
    for (int i = 0; i < 8; ++i) { // flying fragments
        const double a = qDegreesToRadians(22.5 + i * 45.0);
        disc(p, c + QPointF(48 * qCos(a), 44 * qSin(a)), 3.2, col);
    }
}

void cylinder(QPainter& p, const QColor& col) {
    QPainterPath c;
    c.addRoundedRect(QRectF(-15, -58, 30, 58), 8, 8);
    c.addRoundedRect(QRectF(-7, -68, 14, 12), 2, 2); // valve
    c.addRect(QRectF(-14, -72, 28, 5));              // valve handle
    c.addRect(QRectF(-20, -4, 40, 6));               // foot ring
    fillPath(p, c, col);
}

void skull(QPainter& p, const QColor& col, const QColor& bg) {
    for (int s : {-1, 1}) { // crossed bones behind the skull
        const QPointF a(-38 * s, -30), b(38 * s, 2);
        stroke(p, QPolygonF{a, b}, 8, col, Qt::RoundCap);
        for (QPointF end : {a, b})
            for (double d : {-4.5, 4.5})
                disc(p, end + QPointF(d, d * s), 5.5, col);
    }
    QPainterPath head;
    head.addEllipse(QPointF(0, -44), 24, 22);
    head.addRoundedRect(QRectF(-14, -34, 28, 20), 5, 5);
    fillPath(p, head, col);
    for (int s : {-1, 1})
        disc(p, QPointF(9 * s, -44), 6.5, bg);
    fillPath(p, polyPath(QPolygonF{{0, -36}, {-3.5, -30}, {3.5, -30}}), bg);
    for (double x : {-7.0, 0.0, 7.0})
        stroke(p, QPolygonF{{x, -24}, {x, -15}}, 2, bg);
}

void flameOverCircle(QPainter& p, const QColor& col) {
    p.save();
    p.setPen(QPen(col, 7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, -16), 17, 13);
    p.restore();
    flame(p, QPointF(0, -30), 48, col);
}

void biohazard(QPainter& p, const QColor& col) {
    p.save();
    p.translate(0, -34);
    p.scale(1.4, 1.4);
    p.translate(0, 40);
    const QPointF c(0, -40);
    QPainterPath sym;
    for (double deg : {-90.0, 30.0, 150.0}) {
        const double a = qDegreesToRadians(deg);
        const QPointF dir(qCos(a), qSin(a));
        QPainterPath outer, inner;
        outer.addEllipse(c + dir * 14, 19, 19);
        inner.addEllipse(c + dir * 20, 13, 13);
        sym = sym.united(outer.subtracted(inner));
    }
    QPainterPath ring, ringHole;
    ring.addEllipse(c, 15, 15);
    ringHole.addEllipse(c, 11, 11);
    sym = sym.united(ring.subtracted(ringHole));
    QPainterPath hole;
    hole.addEllipse(c, 5, 5);
    sym = sym.subtracted(hole);
    for (double deg : {90.0, 210.0, 330.0}) { // narrow gaps between the crescents
        const double a = qDegreesToRadians(deg);
        QPainterPath gap;
        gap.addPolygon(QPolygonF{
            c + QPointF(-2 * qSin(a), 2 * qCos(a)), c + QPointF(2 * qSin(a), -2 * qCos(a)),
            c + QPointF(2 * qSin(a) + 40 * qCos(a), -2 * qCos(a) + 40 * qSin(a)),
            c + QPointF(-2 * qSin(a) + 40 * qCos(a), 2 * qCos(a) + 40 * qSin(a))});
        gap.closeSubpath();
        sym = sym.subtracted(gap);
    }
    fillPath(p, sym, col);
    p.restore();
}

void trefoil(QPainter& p, const QColor& col) {
    const QPointF c(0, -46);
    disc(p, c, 7, col);
    for (double mid : {-90.0, 30.0, 150.0}) { // Qt angles: counter-clockwise on screen
        QPainterPath blade;
        const QRectF outer(c.x() - 36, c.y() - 36, 72, 72), inner(c.x() - 11, c.y() - 11, 22, 22);
        blade.arcMoveTo(inner, mid - 30);
        blade.arcTo(outer, mid - 30, 60);
        blade.arcTo(inner, mid + 30, -60);
        blade.closeSubpath();
        fillPath(p, blade, col);
    }
}

void corrosive(QPainter& p, const QColor& col) {
    p.save();
    p.translate(0, -4);
    p.scale(1.15, 1.15);
    // Two test tubes pouring drops on a hand (left) and a metal bar (right).
    for (int s : {-1, 1}) {
        p.save();
        p.translate(17 * s, -50);
        p.rotate(-58 * s);
        p.setPen(QPen(col, 2.2));
        p.setBrush(colour::white);
        p.drawRoundedRect(QRectF(-6, -16, 12, 32), 5, 5);
        p.setPen(Qt::NoPen);
        p.setBrush(col);
        p.drawRoundedRect(QRectF(-6, 2, 12, 14), 5, 5);
        p.restore();
        for (int i = 0; i < 2; ++i) {
            const QPointF d(29 * s, -36 + i * 7);
            disc(p, d, 2.6, col);
        }
    }
    // Hand: palm and fingers, a bite eaten out of it.
    QPainterPath hand;
    hand.addRoundedRect(QRectF(-60, -20, 36, 14), 4, 4);
    for (int i = 0; i < 3; ++i)
        hand.addRoundedRect(QRectF(-58 + i * 11, -28, 9, 10), 3, 3);
    QPainterPath bite;
    bite.addEllipse(QPointF(-30, -22), 6, 6);
    fillPath(p, hand.subtracted(bite), col);
    // Metal bar with a notch.
    QPainterPath bar;
    bar.addRect(QRectF(22, -22, 40, 12));
    QPainterPath notch;
    notch.addEllipse(QPointF(32, -23), 6, 5);
    fillPath(p, bar.subtracted(notch), col);
    p.restore();
}

void stripes(QPainter& p, const QColor& col, bool upperOnly) {
    const double w = 200.0 / 13;
    for (int i = 1; i < 13; i += 2)
        p.fillRect(QRectF(-100 + i * w, -100, w, upperOnly ? 100 : 200), col);
    p.fillRect(QRectF(-100, -100, w, upperOnly ? 100 : 200), col);
}

void treeAndFish(QPainter& p, const QColor& col) {
    // A dead tree on a bank and a dead fish in the water.
    stroke(p, QPolygonF{{-30, 18}, {-30, -62}}, 6, col, Qt::RoundCap);
    stroke(p, QPolygonF{{-30, -30}, {-50, -48}}, 4, col, Qt::RoundCap);
    stroke(p, QPolygonF{{-30, -42}, {-12, -60}}, 4, col, Qt::RoundCap);
    stroke(p, QPolygonF{{-30, -16}, {-46, -24}}, 3.5, col, Qt::RoundCap);
    stroke(p, QPolygonF{{-30, -54}, {-40, -70}}, 3, col, Qt::RoundCap);
    stroke(p, QPolygonF{{-62, 20}, {-10, 20}}, 4, col);
    QPainterPath water;
    water.moveTo(-4, 4);
    for (int i = 0; i < 4; ++i)
        water.quadTo(4 + i * 14, -2, 11 + i * 14, 4);
    stroke(p, water, 3, col);
    QPainterPath fish;
    fish.addEllipse(QPointF(26, 22), 20, 8);
    fish.addPolygon(QPolygonF{{44, 22}, {58, 13}, {58, 31}});
    fillPath(p, fish, col);
    stroke(p, QPolygonF{{10, 18}, {16, 24}}, 1.8, colour::white);
    stroke(p, QPolygonF{{16, 18}, {10, 24}}, 1.8, colour::white);
}

struct Label {
    QColor top, bottom;
    std::function<void(QPainter&)> background; // stripes, if any
    QColor ink;
    QString number;
    std::function<void(QPainter&)> symbol;
    QColor lowerLine = QColor(); // line colour over the lower half when it differs
};

void paintLabel(QPainter& p, const Label& l) {
    p.save();
    QPainterPath clip;
    clip.addPolygon(diamond(1.0));
    clip.closeSubpath();
    p.setClipPath(clip);
    p.fillRect(QRectF(-100, -100, 200, 100), l.top);
    p.fillRect(QRectF(-100, 0, 200, 100), l.bottom);
    if (l.background) l.background(p);
    p.setClipping(false);
    p.setPen(QPen(QColor(120, 120, 120), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(diamond(1.0));
    p.setPen(QPen(l.ink, 3.2));
    p.drawPolygon(diamond(0.91));
    if (l.lowerLine.isValid()) {
        p.save();
        p.setClipRect(QRectF(-100, 0, 200, 100));
        p.setPen(QPen(l.lowerLine, 3.2));
        p.drawPolygon(diamond(0.91));
        p.restore();
    }
    if (l.symbol) l.symbol(p);
    if (!l.number.isEmpty())
        centredText(p, QPointF(0, 62), l.number, 24, l.lowerLine.isValid() ? l.lowerLine : l.ink,
                    1.0, true);
    p.restore();
}

Label labelFor(const QString& kind) {
    const QColor k = colour::black, w = colour::white;
    if (kind == "explosive") return {orange, orange, {}, k, "1", [k](QPainter& p) { bomb(p, k); }};
    if (kind == "explosive14")
        return {orange, orange,
                {},     k,
                "1",    [k](QPainter& p) {
                    centredText(p, QPointF(0, -34), "1.4", 50, k); }};
    if (kind == "flamgas")
        return {labelRed, labelRed, {}, k, "2", [k](QPainter& p) { flame(p, {0, -8}, 80, k); }};
    if (kind == "gas")
        return {labelGreen, labelGreen, {}, k, "2", [k](QPainter& p) { cylinder(p, k); }};
    if (kind == "toxgas") return {w, w, {}, k, "2", [k, w](QPainter& p) { skull(p, k, w); }};
    if (kind == "flamliquid")
        return {labelRed, labelRed, {}, k, "3", [k](QPainter& p) { flame(p, {0, -8}, 80, k); }};
    if (kind == "flamsolid")
        return {w, w,   [](QPainter& p) { stripes(p, labelRed, false); },
                k, "4", [k](QPainter& p) {
                    flame(p, {0, -8}, 80, k); }};
    if (kind == "spontaneous")
        return {w, labelRed, {}, k, "4", [k](QPainter& p) { flame(p, {0, -8}, 80, k); }};
    if (kind == "wet")
        return {labelBlue, labelBlue, {}, w, "4", [w](QPainter& p) { flame(p, {0, -8}, 80, w); }};
    if (kind == "oxidizer")
        return {labelYellow, labelYellow, {},
                k,           "5.1",       [k](QPainter& p) { flameOverCircle(p, k); }};
    if (kind == "peroxide")
        return {labelRed, labelYellow, {},
                k,        "5.2",       [k](QPainter& p) { flame(p, {0, -8}, 80, k); }};
    if (kind == "toxic") return {w, w, {}, k, "6", [k, w](QPainter& p) { skull(p, k, w); }};
    if (kind == "infectious") return {w, w, {}, k, "6", [k](QPainter& p) { biohazard(p, k); }};
    if (kind.startsWith("radio")) {
        const int bars = kind.right(1).toInt();
        return {bars == 1 ? w : labelYellow, w, {}, k, "7", [bars](QPainter& p) {
                    trefoil(p, colour::black);
                    for (int i = 0; i < bars; ++i)
                        p.fillRect(QRectF(-4 + (i - (bars - 1) / 2.0) * 12, 12, 8, 30), labelRed);
                }};
    }
    if (kind == "corrosive") return {w, k, {}, k, "8", [k](QPainter& p) { corrosive(p, k); }, w};
    if (kind == "misc")
        return {w,
                w,
                [](QPainter& p) { stripes(p, colour::black, true); },
                k,
                "",
                [k](QPainter& p) {
                    centredText(p, QPointF(0, 58), "9", 24, k);
                    stroke(p, QPolygonF{{-8, 74}, {8, 74}}, 3, k);
                }};
    if (kind == "environment") return {w, w, {}, k, "", [k](QPainter& p) { treeAndFish(p, k); }};
    return {};
}

Picture labelPic(const char* name, const char* kind) {
    const QString k = QString::fromLatin1(kind);
    return {QString::fromLatin1(name),
            [k] { return sign([&](QPainter& p) { paintLabel(p, labelFor(k)); }); }};
}

// ---------------------------------------------------------------------------------------------
// Scenes, 240 x 180.

constexpr int W = 240, H = 180;
const QColor skin(238, 196, 160), skinLine(176, 120, 90), sleeve(70, 110, 170);
const QColor shirt(200, 70, 60), trousers(60, 70, 90), blood(190, 20, 30), gauze(250, 250, 246);
const QColor sky(200, 222, 240), ground(150, 160, 150), wood(176, 128, 70);
const QColor tankSilver(214, 218, 222), cabColour(40, 110, 180);

Picture scene(const char* name, std::function<void(QPainter&)> body,
              QColor bg = QColor(232, 238, 244)) {
    return scenePicture(name, body, bg);
}

void limb(QPainter& p, QPolygonF pts, double w, const QColor& col) {
    stroke(p, pts, w + 2, skinLine, Qt::RoundCap);
    stroke(p, pts, w, col, Qt::RoundCap);
}

// A flat hand seen from the side, fingers pointing along `angle` (degrees, 0 = right).
void handShape(QPainter& p, QPointF wrist, double angle, double s = 1.0) {
    p.save();
    p.translate(wrist);
    p.rotate(angle);
    p.scale(s, s);
    p.setPen(QPen(skinLine, 1.2));
    p.setBrush(skin);
    QPainterPath h;
    h.addRoundedRect(QRectF(-2, -9, 22, 18), 6, 6);
    h.addRoundedRect(QRectF(14, -8, 20, 14), 6, 6);
    h.setFillRule(Qt::WindingFill);
    p.drawPath(h.simplified());
    p.restore();
}

// A forearm lying from elbow (left) to wrist (right) along y, with a hand at its end.
void forearm(QPainter& p, double y, double x0 = 30, double x1 = 180, bool sleeveOn = true) {
    if (sleeveOn) {
        stroke(p, QPolygonF{{x0 - 30, y}, {x0 + 8, y}}, 30, sleeve, Qt::FlatCap);
    }
    limb(p, QPolygonF{{x0, y}, {x1, y}}, 24, skin);
    handShape(p, QPointF(x1 - 2, y), 0, 1.2);
}

void woundMark(QPainter& p, QPointF c) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(blood);
    p.drawEllipse(c, 12, 5);
    for (double dx : {-6.0, 2.0, 8.0})
        p.drawEllipse(c + QPointF(dx, 8 + qAbs(dx) / 2), 2.2, 3.4);
    p.restore();
}

void downArrow(QPainter& p, QPointF tip, double len, const QColor& col) {
    QPainterPath a(tip - QPointF(0, len));
    a.lineTo(tip - QPointF(0, 9));
    arrow(p, a, 4, 9, 13, col);
}

// A person lying on the back, head at `head`, body to the right, seen from the side.
void lyingBack(QPainter& p, QPointF head, double s = 1.0) {
    p.save();
    p.translate(head);
    p.scale(s, s);
    stroke(p, QPolygonF{{14, 2}, {86, 2}}, 24, shirt, Qt::RoundCap);              // chest and belly
    stroke(p, QPolygonF{{88, 4}, {150, 6}}, 18, trousers, Qt::RoundCap);          // legs
    stroke(p, QPolygonF{{20, 10}, {64, 14}}, 8, shirt.darker(115), Qt::RoundCap); // arm
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(50, 40, 36));
    p.drawRoundedRect(QRectF(150, -8, 10, 18), 3, 3); // shoes
    p.setPen(QPen(skinLine, 1.2));
    p.setBrush(skin);
    p.drawEllipse(QPointF(0, 0), 12, 11);
    p.restore();
}

void floorLine(QPainter& p, double y, const QColor& col = QColor(170, 170, 160)) {
    p.fillRect(QRectF(0, y, W, H - y), col);
}

// ---------------------------------------------------------------------------------------------
// Trucks.

void wheel(QPainter& p, QPointF c, double r) {
    disc(p, c, r, QColor(30, 30, 30));
    disc(p, c, r * 0.45, QColor(170, 170, 170));
}

void dangerLamp(QPainter& p, QPointF base, double w) {
    // The roof lamp: a yellow triangular plate with a black "危".
    const double h = w * 0.72;
    p.save();
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(labelYellow);
    p.drawPolygon(
        QPolygonF{base + QPointF(-w / 2, 0), base + QPointF(w / 2, 0), base + QPointF(0, -h)});
    p.restore();
    centredText(p, base + QPointF(0, -h * 0.34), QStringLiteral("危"), w * 0.36, colour::black);
}

// A tanker seen from the left side, cab at the right.
void tanker(QPainter& p, double groundY, bool label) {
    const double y = groundY;
    p.setPen(QPen(QColor(110, 110, 110), 1.2));
    p.setBrush(QColor(70, 70, 70));
    p.drawRect(QRectF(20, y - 30, 150, 8)); // chassis
    p.setBrush(tankSilver);
    p.drawRoundedRect(QRectF(18, y - 78, 142, 50), 22, 22); // tank
    p.setBrush(cabColour);
    QPainterPath cab(QPointF(166, y - 22));
    cab.lineTo(166, y - 84);
    cab.lineTo(200, y - 84);
    cab.lineTo(218, y - 56);
    cab.lineTo(220, y - 22);
    cab.closeSubpath();
    p.drawPath(cab);
    p.setBrush(QColor(170, 210, 235));
    p.drawPolygon(QPolygonF{{186, y - 78}, {199, y - 78}, {212, y - 58}, {186, y - 58}});
    wheel(p, QPointF(44, y - 12), 12);
    wheel(p, QPointF(72, y - 12), 12);
    wheel(p, QPointF(196, y - 12), 12);
    dangerLamp(p, QPointF(184, y - 84), 26);
    if (label) {
        p.save();
        p.translate(134, y - 53);
        p.scale(0.17, 0.17);
        paintLabel(p, labelFor("flamliquid"));
        p.restore();
    }
}

void skyAndRoad(QPainter& p, double groundY) {
    p.fillRect(QRectF(0, 0, W, groundY), sky);
    p.fillRect(QRectF(0, groundY, W, H - groundY), colour::asphalt);
    for (double x = 6; x < W; x += 40)
        p.fillRect(QRectF(x, groundY + 18, 20, 3), colour::paint);
}

} // namespace

void addHazardPictures(Pictures& out) {
    // --- GB 190 labels ---
    out.push_back(labelPic("ch7_label_explosive", "explosive"));
    out.push_back(labelPic("ch7_label_explosive_14", "explosive14"));
    out.push_back(labelPic("ch7_label_flammable_gas", "flamgas"));
    out.push_back(labelPic("ch7_label_nonflammable_gas", "gas"));
    out.push_back(labelPic("ch7_label_toxic_gas", "toxgas"));
    out.push_back(labelPic("ch7_label_flammable_liquid", "flamliquid"));
    out.push_back(labelPic("ch7_label_flammable_solid", "flamsolid"));
    out.push_back(labelPic("ch7_label_spontaneous", "spontaneous"));
    out.push_back(labelPic("ch7_label_wet", "wet"));
    out.push_back(labelPic("ch7_label_oxidizer", "oxidizer"));
    out.push_back(labelPic("ch7_label_peroxide", "peroxide"));
    out.push_back(labelPic("ch7_label_toxic", "toxic"));
    out.push_back(labelPic("ch7_label_infectious", "infectious"));
    out.push_back(labelPic("ch7_label_radioactive_1", "radio1"));
    out.push_back(labelPic("ch7_label_radioactive_2", "radio2"));
    out.push_back(labelPic("ch7_label_radioactive_3", "radio3"));
    out.push_back(labelPic("ch7_label_corrosive", "corrosive"));
    out.push_back(labelPic("ch7_label_misc", "misc"));
    out.push_back(labelPic("ch7_label_environment", "environment"));

    // --- Dangerous-goods trucks ---
    out.push_back(scene("ch7_truck_tanker_side", [](QPainter& p) {
        skyAndRoad(p, 140);
        tanker(p, 146, true);
    }));
    out.push_back(scene("ch7_truck_roof_lamp", [](QPainter& p) {
        // The cab seen from the front, lamp on the roof.
        p.fillRect(QRectF(0, 0, W, 150), sky);
        p.fillRect(QRectF(0, 150, W, 30), colour::asphalt);
        p.setPen(QPen(QColor(30, 60, 100), 1.5));
        p.setBrush(cabColour);
        p.drawRoundedRect(QRectF(62, 56, 116, 96), 8, 8);
        p.setBrush(QColor(170, 210, 235));
        p.drawRoundedRect(QRectF(70, 64, 100, 38), 4, 4);
        p.setBrush(QColor(60, 60, 60));
        p.drawRect(QRectF(88, 112, 64, 22)); // grille
        p.setBrush(QColor(255, 245, 200));
        p.drawEllipse(QPointF(76, 124), 8, 6);
        p.drawEllipse(QPointF(164, 124), 8, 6);
        wheel(p, QPointF(80, 154), 12);
        wheel(p, QPointF(160, 154), 12);
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(QRectF(112, 48, 16, 8)); // lamp bracket
        dangerLamp(p, QPointF(120, 50), 56);
    }));
    out.push_back(scene("ch7_truck_leak_wind", [](QPainter& p) {
        // An overturned tanker leaking; the wind blows from left to right; people walk away
        // against the wind.
        p.fillRect(QRectF(0, 0, W, 130), sky);
        p.fillRect(QRectF(0, 130, W, 50), colour::asphalt);
        p.save();
        p.translate(150, 112);
        p.rotate(12);
        p.setPen(QPen(QColor(110, 110, 110), 1.2));
        p.setBrush(tankSilver);
        p.drawRoundedRect(QRectF(-48, -24, 96, 40), 18, 18);
        p.setBrush(cabColour);
        p.drawRect(QRectF(48, -22, 28, 36));
        p.restore();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 150, 60, 200));
        p.drawEllipse(QPointF(150, 146), 60, 10);
        for (int i = 0; i < 3; ++i) { // vapour drifting downwind
            p.setBrush(QColor(180, 200, 120, 110));
            p.drawEllipse(QPointF(176 + i * 22, 92 - i * 10), 16 + i * 4, 10 + i * 2);
        }
        for (double y : {26.0, 44.0}) { // wind arrows
            QPainterPath a(QPointF(92, y));
            a.lineTo(152, y);
            arrow(p, a, 3, 9, 11, QColor(40, 80, 150));
        }
        centredText(p, QPointF(80, 35), QStringLiteral("风"), 16, QColor(40, 80, 150));
        for (double x : {26.0, 50.0}) {
            p.save();
            p.translate(x, 156);
            p.scale(-1, 1);
            walker(p, QPointF(0, 0), 44, QColor(30, 30, 30));
            p.restore();
        }
    }));

    // --- First aid ---
    out.push_back(scene("ch7_aid_press_wound", [](QPainter& p) {
        floorLine(p, 150);
        forearm(p, 128);
        woundMark(p, QPointF(104, 118));
        p.setPen(QPen(QColor(190, 190, 180), 1));
        p.setBrush(gauze);
        p.drawRect(QRectF(82, 104, 44, 12)); // pad on the wound
        // The helper's hand pressing from above.
        limb(p, QPolygonF{{150, 20}, {112, 82}}, 18, skin);
        stroke(p, QPolygonF{{175, -10}, {150, 20}}, 26, QColor(90, 150, 90), Qt::FlatCap);
        p.setPen(QPen(skinLine, 1.2));
        p.setBrush(skin);
        p.drawRoundedRect(QRectF(80, 82, 48, 22), 8, 8);
        downArrow(p, QPointF(60, 102), 34, QColor(200, 40, 40));
        downArrow(p, QPointF(150, 102), 34, QColor(200, 40, 40));
    }));
    out.push_back(scene("ch7_aid_bandage", [](QPainter& p) {
        floorLine(p, 150);
        forearm(p, 100);
        // Spiral turns of a roller bandage, each covering part of the one before.
        for (int i = 0; i < 6; ++i) {
            const double x = 66 + i * 14;
            QPolygonF band{{x, 86}, {x + 16, 86}, {x + 24, 114}, {x + 8, 114}};
            p.setPen(QPen(QColor(170, 170, 160), 1));
            p.setBrush(gauze);
            p.drawPolygon(band);
        }
        p.setPen(QPen(QColor(170, 170, 160), 1));
        p.setBrush(gauze);
        p.drawEllipse(QPointF(178, 60), 14, 14); // the roll
        p.drawEllipse(QPointF(178, 60), 5, 5);
        p.drawPolygon(QPolygonF{{160, 100}, {168, 66}, {178, 72}, {168, 104}});
    }));
    out.push_back(scene("ch7_aid_splint", [](QPainter& p) {
        floorLine(p, 150);
        // Upper arm down from the shoulder, forearm across, splint past elbow and wrist.
        stroke(p, QPolygonF{{20, 20}, {40, 96}}, 30, sleeve, Qt::RoundCap);
        limb(p, QPolygonF{{44, 100}, {170, 100}}, 22, skin);
        handShape(p, QPointF(168, 100), 0, 1.1);
        p.setPen(QPen(wood.darker(130), 1));
        p.setBrush(wood);
        p.drawRect(QRectF(28, 82, 170, 8));  // board above the forearm
        p.drawRect(QRectF(28, 110, 170, 8)); // board below
        for (double x : {52.0, 104.0, 150.0, 186.0}) {
            p.setPen(QPen(QColor(170, 170, 160), 1));
            p.setBrush(gauze);
            p.drawRect(QRectF(x - 5, 78, 10, 44));
        }
        // The break, marked on the forearm.
        stroke(p, QPolygonF{{124, 92}, {118, 100}, {128, 104}, {122, 110}}, 2.5, blood);
    }));
    out.push_back(scene("ch7_aid_cool_burn", [](QPainter& p) {
        // A tap running cool water over a burnt forearm.
        p.fillRect(QRectF(0, 140, W, 40), QColor(200, 206, 212));
        p.setPen(QPen(QColor(120, 120, 130), 1.2));
        p.setBrush(QColor(190, 196, 204));
        p.drawRect(QRectF(110, 6, 18, 20));
        p.drawRoundedRect(QRectF(96, 20, 64, 14), 6, 6);
        p.drawRect(QRectF(140, 30, 16, 12));
        forearm(p, 110, 30, 196);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 80, 70, 170));
        p.drawEllipse(QPointF(148, 104), 18, 8);
        for (double x : {142.0, 148.0, 154.0}) // the stream
            stroke(p, QPolygonF{{x, 44}, {x, 96}}, 3, QColor(60, 140, 220, 200), Qt::RoundCap);
        for (double dx : {-24.0, -14.0, 14.0, 24.0})
            disc(p, QPointF(148 + dx, 98 + qAbs(dx) / 3), 2.2, QColor(60, 140, 220));
    }));
    out.push_back(scene("ch7_aid_recovery", [](QPainter& p) {
        floorLine(p, 140);
        p.translate(-30, -24); // lying on the floor, not above it
        p.scale(1.25, 1.25);
        // Lying on the side facing the viewer: head on the hand, upper knee bent forward.
        stroke(p, QPolygonF{{60, 108}, {128, 112}}, 26, shirt, Qt::RoundCap);
        stroke(p, QPolygonF{{128, 116}, {196, 120}}, 16, trousers.lighter(120), Qt::RoundCap);
        stroke(p, QPolygonF{{130, 108}, {170, 94}, {176, 120}}, 16, trousers, Qt::RoundCap);
        limb(p, QPolygonF{{78, 104}, {52, 122}}, 8, skin);             // arm under the cheek
        limb(p, QPolygonF{{92, 104}, {110, 122}, {96, 124}}, 8, skin); // upper arm forward
        p.setPen(QPen(skinLine, 1.2));
        p.setBrush(skin);
        p.drawEllipse(QPointF(40, 112), 13, 12);
        p.setBrush(QColor(60, 40, 30));
        p.drawChord(QRectF(27, 100, 26, 24), 40 * 16, 160 * 16);
        // Mouth pointing down so fluids drain out.
        disc(p, QPointF(32, 118), 1.8, QColor(120, 40, 40));
    }));
    out.push_back(scene("ch7_aid_cpr_side", [](QPainter& p) {
        // The rescuer kneels beside the casualty's chest, on the far side, facing us: knees
        // behind the body, shoulders straight above the hands, arms straight.
        floorLine(p, 150);
        const QColor top(40, 130, 100);
        const QPointF hands(104, 124);
        p.setPen(Qt::NoPen);
        p.setBrush(trousers);
        p.drawRoundedRect(QRectF(78, 100, 52, 40), 8, 8); // thighs, knees hidden by the body
        QPainterPath torso(QPointF(80, 108));
        torso.lineTo(128, 108);
        torso.lineTo(134, 52);
        torso.lineTo(74, 52);
        torso.closeSubpath();
        p.setBrush(top);
        p.drawPath(torso);
        p.setPen(QPen(skinLine, 1.2));
        p.setBrush(skin);
        p.drawEllipse(QPointF(104, 34), 13, 14); // head
        p.setBrush(QColor(60, 40, 30));
        p.drawChord(QRectF(91, 20, 26, 22), 20 * 16, 140 * 16); // hair
        lyingBack(p, QPointF(34, 136), 1.05);
        // Straight arms from both shoulders to the stacked hands on the breastbone.
        for (double sx : {-1.0, 1.0})
            limb(p, QPolygonF{{104 + sx * 24, 60}, hands + QPointF(sx * 5, -6)}, 9, skin);
        p.setPen(QPen(skinLine, 1.2));
        p.setBrush(skin);
        p.drawRoundedRect(QRectF(hands.x() - 11, hands.y() - 5, 22, 9), 3, 3);
        downArrow(p, QPointF(160, 116), 44, QColor(200, 40, 40));
        p.setPen(QPen(QColor(200, 40, 40), 1.5, Qt::DashLine));
        p.drawLine(QPointF(104, 50), QPointF(104, 112)); // shoulders over the hands
    }));
    out.push_back(scene("ch7_aid_cpr_spot", [](QPainter& p) {
        // The chest from above: the heel of the hand on the middle of the line between the
        // nipples.
        p.fillRect(QRectF(0, 0, W, H), QColor(228, 232, 236));
        p.setPen(QPen(skinLine, 1.5));
        p.setBrush(skin);
        QPainterPath torso(QPointF(52, 180));
        torso.cubicTo(44, 120, 40, 60, 60, 24);
        torso.lineTo(180, 24);
        torso.cubicTo(200, 60, 196, 120, 188, 180);
        torso.closeSubpath();
        p.drawPath(torso);
        p.drawRoundedRect(QRectF(104, 0, 32, 28), 10, 10);          // neck
        stroke(p, QPolygonF{{120, 40}, {120, 116}}, 1.5, skinLine); // breastbone
        disc(p, QPointF(82, 84), 4, QColor(190, 120, 100));
        disc(p, QPointF(158, 84), 4, QColor(190, 120, 100));
        p.setPen(QPen(QColor(160, 160, 160), 1, Qt::DashLine));
        p.drawLine(QPointF(86, 84), QPointF(154, 84));
        // Two hands, one on the other, fingers laced.
        p.setPen(QPen(skinLine, 1.2));
        p.setBrush(skin.darker(108));
        p.drawRoundedRect(QRectF(104, 72, 32, 26), 9, 9);
        p.setBrush(skin.darker(116));
        p.drawRoundedRect(QRectF(106, 68, 28, 24), 9, 9);
        for (double x : {110.0, 117.0, 124.0, 131.0})
            stroke(p, QPolygonF{{x, 68}, {x, 60}}, 5, skin.darker(116), Qt::RoundCap);
        stroke(p, QPolygonF{{112, 98}, {100, 150}}, 14, QColor(40, 130, 100), Qt::RoundCap);
        stroke(p, QPolygonF{{128, 98}, {140, 150}}, 14, QColor(40, 130, 100), Qt::RoundCap);
    }));
    out.push_back(scene("ch7_aid_board_carry", [](QPainter& p) {
        floorLine(p, 160);
        for (double x : {30.0, 120.0, 208.0}) {
            walker(p, QPointF(x, 172), 100, QColor(40, 60, 90));
        }
        // A casualty strapped on a hard board, carried level by helpers at both ends and the
        // middle.
        p.setPen(QPen(wood.darker(130), 1));
        p.setBrush(wood);
        p.drawRect(QRectF(30, 112, 182, 8));
        lyingBack(p, QPointF(48, 102), 0.92);
        for (double x : {80.0, 150.0}) {
            p.setPen(QPen(QColor(220, 120, 30), 1));
            p.setBrush(QColor(240, 150, 40));
            p.drawRect(QRectF(x - 3, 90, 6, 30)); // straps
        }
        // Head kept in line: rolled cloths at both sides of the head.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 140, 200));
        p.drawRoundedRect(QRectF(34, 92, 8, 20), 3, 3);
        p.drawRoundedRect(QRectF(54, 92, 8, 20), 3, 3);
    }));
    out.push_back(scene("ch7_aid_triangle_crash", [](QPainter& p) {
        // Seen from above: a car crashed into the barrier with its hazard lights on, the
        // warning triangle set well back behind it, the people waiting beyond the barrier.
        p.fillRect(QRectF(0, 0, W, H), QColor(118, 150, 96));
        p.fillRect(QRectF(60, 0, 140, H), colour::asphalt);
        p.fillRect(QRectF(62, 0, 3, H), colour::paint);
        p.fillRect(QRectF(195, 0, 3, H), colour::paint);
        for (double y = 0; y < H; y += 30)
            p.fillRect(QRectF(129, y, 3, 16), colour::paint);
        p.fillRect(QRectF(202, 0, 5, H), QColor(200, 200, 200)); // guard rail
        carTop(p, QPointF(172, 40), 20, QColor(200, 40, 40), 44);
        QRadialGradient g(0, 0, 8);
        g.setColorAt(0, QColor(255, 220, 80));
        g.setColorAt(1, QColor(255, 160, 0, 0));
        p.setPen(Qt::NoPen);
        for (QPointF c : {QPointF(158, 22), QPointF(176, 18), QPointF(168, 60), QPointF(186, 56)}) {
            p.save();
            p.translate(c);
            p.setBrush(g);
            p.drawEllipse(QPointF(0, 0), 8, 8);
            p.restore();
        }
        // Warning triangle.
        p.setPen(QPen(colour::red, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(QPolygonF{{164, 146}, {154, 164}, {174, 164}});
        // Distance marker between car and triangle.
        p.setPen(QPen(colour::white, 1.5, Qt::DashLine));
        p.drawLine(QPointF(150, 66), QPointF(150, 142));
        // People behind the rail.
        for (double y : {30.0, 48.0}) {
            disc(p, QPointF(222, y), 6, QColor(250, 200, 40));
            disc(p, QPointF(222, y), 3.2, QColor(50, 35, 25));
        }
    }));
    out.push_back(scene("ch7_aid_tourniquet", [](QPainter& p) {
        floorLine(p, 150);
        forearm(p, 100, 30, 180, false);
        stroke(p, QPolygonF{{-4, 100}, {30, 100}}, 26, skin, Qt::FlatCap);
        woundMark(p, QPointF(136, 90));
        // Padding and band above the wound (closer to the heart), with a time tag.
        p.setPen(QPen(QColor(170, 170, 160), 1));
        p.setBrush(gauze);
        p.drawRect(QRectF(58, 84, 26, 32));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 60, 60));
        p.drawRect(QRectF(64, 82, 14, 36));
        stroke(p, QPolygonF{{71, 82}, {78, 60}}, 3, QColor(200, 60, 60));
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(colour::white);
        p.drawRect(QRectF(62, 32, 56, 28));
        centredText(p, QPointF(90, 46), QStringLiteral("14:20"), 14, colour::black, 1.0, false);
        // The heart's side.
        QPainterPath a(QPointF(44, 140));
        a.lineTo(10, 140);
        arrow(p, a, 3, 8, 10, QColor(80, 80, 80));
        centredText(p, QPointF(70, 140), QStringLiteral("近心端"), 13, QColor(60, 60, 60), 1.0,
                    false);
    }));
    out.push_back(scene("ch7_aid_shock", [](QPainter& p) {
        floorLine(p, 140);
        // Lying flat, legs raised on a box, covered with a blanket.
        p.setPen(QPen(QColor(110, 110, 110), 1));
        p.setBrush(QColor(190, 160, 120));
        p.drawRect(QRectF(170, 112, 40, 28));
        stroke(p, QPolygonF{{44, 128}, {114, 128}}, 24, shirt, Qt::RoundCap);
        stroke(p, QPolygonF{{116, 128}, {196, 106}}, 18, trousers, Qt::RoundCap);
        p.setPen(QPen(skinLine, 1.2));
        p.setBrush(skin);
        p.drawEllipse(QPointF(30, 126), 12, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 120, 190, 225));
        QPainterPath blanket(QPointF(46, 140));
        blanket.lineTo(46, 112);
        blanket.lineTo(116, 112);
        blanket.lineTo(194, 90);
        blanket.lineTo(204, 106);
        blanket.lineTo(170, 140);
        blanket.closeSubpath();
        p.drawPath(blanket);
    }));
    out.push_back(scene("ch7_aid_head_tilt", [](QPainter& p) {
        // Seen from the side, the casualty on the back with the head to the left, tipped back:
        // the face turns up and back, the chin is the highest point and the neck is stretched.
        // The rescuer's palm presses the forehead, two fingertips lift the bony chin.
        floorLine(p, 152);
        stroke(p, QPolygonF{{146, 132}, {236, 132}}, 36, shirt, Qt::RoundCap); // shoulders
        // The face line runs from the forehead up to the chin; `n` points out of the face.
        const QPointF forehead(42, 100), chin(98, 64);
        const QPointF d = (chin - forehead) / std::hypot(56.0, 36.0);
        const QPointF n(d.y(), -d.x());
        auto face = [&](double t, double h) { return forehead + d * t + n * h; };
        p.setPen(QPen(skinLine, 1.4));
        p.setBrush(skin);
        p.drawPolygon(QPolygonF{{100, 88}, {86, 122}, {146, 148}, {146, 114}}); // neck
        QPainterPath skull;
        skull.addEllipse(QPointF(68, 118), 29, 30);
        const QPainterPath profile = polyPath(QPolygonF{face(-6, -2),
                                                        face(0, 1),
                                                        face(12, 3),
                                                        face(19, 1),
                                                        face(28, 15),
                                                        face(33, 3),
                                                        face(37, 3),
                                                        face(40, 1.5),
                                                        face(44, 3.5),
                                                        face(49, 1),
                                                        face(57, 6),
                                                        face(64, 5),
                                                        face(66.5, 0),
                                                        {106, 86},
                                                        {84, 118},
                                                        face(-6, -20)});
        p.drawPath(skull.united(profile));
        // Hair on the back of the head, away from the face.
        QPainterPath inner;
        inner.addEllipse(QPointF(75, 113), 29, 30);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 40, 30));
        p.drawPath(skull.subtracted(inner).subtracted(profile));
        p.setPen(QPen(skinLine, 1.2));
        p.setBrush(skin.darker(108));
        p.drawEllipse(QPointF(80, 114), 5, 7); // ear
        stroke(p, QPolygonF{face(16, -7), face(23, -7)}, 1.8, QColor(60, 40, 30), Qt::RoundCap);
        // The palm flat on the forehead, its sleeve coming from the rescuer above ...
        const QPointF wrist = face(-12, 6.5);
        stroke(p, QPolygonF{{14, -12}, wrist}, 16, sleeve, Qt::RoundCap);
        limb(p, QPolygonF{wrist, face(12, 6.5)}, 11, skin);
        // ... and two fingertips under the chin, the hand beneath the jaw.
        const QPointF hand(120, 86);
        stroke(p, QPolygonF{{250, 34}, hand}, 16, sleeve, Qt::RoundCap);
        limb(p, QPolygonF{hand, {110, 78}, {101, 70}}, 6, skin);
        const QColor cue(200, 40, 40);
        arrow(p, polyPath(QPolygonF{face(2, 36), face(2, 22)}), 4, 9, 13, cue);
        arrow(p, polyPath(QPolygonF{{92, 56}, {92, 34}}), 4, 9, 13, cue);
    }));
}
