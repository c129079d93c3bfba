// Driving in bad weather and on difficult roads, seen from the driver's seat or from above.
#include "picgen.h"

#include <QRandomGenerator>
#include <QtMath>

namespace {

constexpr int W = 240, H = 180;
const QColor grass(118, 150, 96), greyCar(150, 156, 166), blueCar(60, 120, 200);
const QColor rock(150, 120, 90), rockDark(110, 86, 62);

Picture scene(const char* name, std::function<void(QPainter&)> body) {
    return scenePicture(name, body, colour::asphalt);
}

// Driver's view: the road runs from the bottom edge to a vanishing point on the horizon.
struct View {
    double hz = 72;                      // horizon
    double vx = 120;                     // vanishing point x
    double half = 150;                   // road half-width at the bottom edge
    double x(double y, double u) const { // u = -1 left edge .. +1 right edge
        const double t = (y - hz) / (H - hz);
        return vx + u * (6 + (half - 6) * t);
    }
};

void driverView(QPainter& p, const View& v, const QColor& sky, const QColor& ground,
                const QColor& road, const QColor& lines) {
    box(p, QRectF(0, 0, W, v.hz + 1), sky);
    box(p, QRectF(0, v.hz, W, H - v.hz), ground);
    p.setBrush(road);
    p.drawPolygon(
        QPolygonF{{v.x(v.hz, -1), v.hz}, {v.x(v.hz, 1), v.hz}, {v.x(H, 1), H}, {v.x(H, -1), H}});
    // Edge lines and the dashed centre line, shrinking with distance.
    for (double u : {-0.92, 0.92})
        stroke(p, QPolygonF{{v.x(v.hz + 2, u), v.hz + 2}, {v.x(H, u), H}}, 2.5, lines);
    p.setPen(Qt::NoPen);
    p.setBrush(lines);
    for (double t = 0.02; t < 1.0; t *= 1.9) {
        const double y0 = v.hz + (H - v.hz) * t, y1 = v.hz + (H - v.hz) * qMin(1.0, t * 1.45);
        const double w0 = 0.6 + 3 * t, w1 = 0.6 + 3 * qMin(1.0, t * 1.45);
        p.drawPolygon(QPolygonF{{v.x(y0, 0) - w0, y0},
                                {v.x(y0, 0) + w0, y0},
                                {v.x(y1, 0) + w1, y1},
                                {v.x(y1, 0) - w1, y1}});
    }
}

// The bonnet edge and the lower frame of the windscreen, so the view reads as from the seat.
void bonnet(QPainter& p, const QColor& c = QColor(30, 32, 36)) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPainterPath b(QPointF(0, H));
    b.lineTo(0, 168);
    b.quadTo(120, 150, W, 168);
    b.lineTo(W, H);
    p.drawPath(b);
}

// A car seen from behind at screen position `c` with width `w`; `lamps` lit red.
void carBehind(QPainter& p, QPointF c, double w, const QColor& body, const QColor& lamps) {
    const double s = w / 40.0;
    p.save();
    p.translate(c);
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(body.darker(115));
    p.drawPolygon(QPolygonF{{-14, -26}, {14, -26}, {18, -14}, {-18, -14}});
    p.setBrush(body);
    p.drawRoundedRect(QRectF(-20, -15, 40, 17), 3, 3);
    p.setBrush(QColor(25, 25, 25));
    p.drawRect(QRectF(-18, 2, 7, 5));
    p.drawRect(QRectF(11, 2, 7, 5));
    p.setBrush(lamps);
    p.drawRect(QRectF(-18, -11, 8, 5));
    p.drawRect(QRectF(10, -11, 8, 5));
    p.restore();
}

void haze(QPainter& p, const QColor& c, double yTop, double yBottom) {
    QLinearGradient g(0, yTop, 0, yBottom);
    QColor far = c, near = c;
    far.setAlpha(235);
    near.setAlpha(60);
    g.setColorAt(0, far);
    g.setColorAt(1, near);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(0, 0, W, H));
}

void rain(QPainter& p, int n, const QColor& c, double len) {
    QRandomGenerator rng(7);
    for (int i = 0; i < n; ++i) {
        const double x = rng.bounded(W + 40) - 20, y = rng.bounded(H);
        stroke(p, QPolygonF{{x, y}, {x - len * 0.25, y + len}}, 1.2, c, Qt::RoundCap);
    }
}

void snowflakes(QPainter& p, int n) {
    QRandomGenerator rng(11);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::white);
    for (int i = 0; i < n; ++i)
        p.drawEllipse(QPointF(rng.bounded(W), rng.bounded(H)), 1.2 + rng.bounded(2.0),
                      1.2 + rng.bounded(2.0));
}

void tree(QPainter& p, QPointF base, double h, const QColor& leaf, double lean = 0) {
    stroke(p, QPolygonF{base, base + QPointF(lean * 0.5, -h * 0.45)}, h * 0.08, QColor(100, 70, 40),
           Qt::RoundCap);
    p.setPen(Qt::NoPen);
    p.setBrush(leaf);
    p.drawEllipse(base + QPointF(lean, -h * 0.7), h * 0.3, h * 0.34);
}

// A small warning sign on a post (yellow triangle, black border) carrying `symbol`.
void roadsideSign(QPainter& p, QPointF foot, double size,
                  const std::function<void(QPainter&)>& symbol) {
    stroke(p, QPolygonF{foot, foot - QPointF(0, size * 1.1)}, 2.5, QColor(170, 170, 170));
    p.save();
    p.translate(foot - QPointF(0, size * 1.45));
    p.scale(size / 200.0, size / 200.0);
    const QPolygonF t{{0, -92}, {-100, 81}, {100, 81}};
    p.setPen(QPen(colour::black, 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour::yellow);
    p.drawPolygon(t);
    symbol(p);
    p.restore();
}

} // namespace

void addWeatherScenes(Pictures& out) {
    out.push_back(scene("ch5_scene_fog", [](QPainter& p) {
        const View v;
        driverView(p, v, QColor(200, 204, 208), QColor(150, 156, 150), QColor(110, 112, 116),
                   colour::paint);
        carBehind(p, QPointF(v.x(104, 0.35), 104), 34, greyCar, QColor(255, 60, 40));
        // Fog lamps of the car ahead glow through the fog.
        QRadialGradient glow(QPointF(v.x(104, 0.35), 96), 26);
        glow.setColorAt(0, QColor(255, 80, 60, 150));
        glow.setColorAt(1, QColor(255, 80, 60, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(v.x(104, 0.35), 96), 26, 26);
        haze(p, QColor(222, 224, 226), 60, 175);
        bonnet(p);
    }));
    out.push_back(scene("ch5_scene_heavy_rain", [](QPainter& p) {
        const View v;
        driverView(p, v, QColor(92, 100, 112), QColor(70, 86, 70), QColor(62, 66, 72),
                   QColor(200, 200, 196));
        // Standing water shining on the road.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 170, 190, 120));
        p.drawEllipse(QPointF(96, 128), 40, 7);
        p.drawEllipse(QPointF(160, 150), 52, 9);
        p.drawEllipse(QPointF(128, 100), 20, 3);
        carBehind(p, QPointF(v.x(100, 0.4), 100), 26, blueCar, QColor(255, 60, 40));
        rain(p, 220, QColor(210, 220, 235, 170), 14);
        bonnet(p);
        // A wiper blade across the lower windscreen.
        stroke(p, QPolygonF{{40, 172}, {150, 118}}, 4, QColor(20, 20, 22), Qt::RoundCap);
    }));
    out.push_back(scene("ch5_scene_snow_ruts", [](QPainter& p) {
        const View v;
        driverView(p, v, QColor(200, 206, 214), QColor(244, 246, 250), QColor(236, 238, 242),
                   QColor(236, 238, 242));
        // Two pairs of wheel ruts pressed into the snow.
        for (double u : {-0.55, -0.15, 0.15, 0.55}) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(150, 150, 156));
            p.drawPolygon(QPolygonF{{v.x(v.hz + 2, u) - 0.4, v.hz + 2},
                                    {v.x(v.hz + 2, u) + 0.4, v.hz + 2},
                                    {v.x(H, u) + 9, H},
                                    {v.x(H, u) - 9, H}});
        }
        tree(p, QPointF(24, 96), 44, QColor(60, 100, 70));
        tree(p, QPointF(214, 100), 50, QColor(60, 100, 70));
        snowflakes(p, 120);
        bonnet(p);
    }));
    out.push_back(scene("ch5_scene_icy_bridge", [](QPainter& p) {
        const View v;
        driverView(p, v, QColor(190, 210, 230), QColor(120, 150, 180), QColor(170, 196, 214),
                   colour::white);
        // Railings on both sides of the bridge deck.
        for (double u : {-1.0, 1.0}) {
            stroke(p, QPolygonF{{v.x(v.hz, u), v.hz - 3}, {v.x(H, u) + u * 10, H - 44}}, 4,
                   QColor(90, 96, 104));
            for (double y = v.hz + 6; y < H; y += (y - v.hz) * 0.35 + 4) {
                const double t = (y - v.hz) / (H - v.hz);
                stroke(p,
                       QPolygonF{{v.x(y, u) + u * 10 * t, y},
                                 {v.x(y, u) + u * 10 * t, y - 3 - 40 * t}},
                       1.5 + 2 * t, QColor(90, 96, 104));
            }
        }
        // Glassy streaks of ice on the deck.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(235, 248, 255, 170));
        p.drawPolygon(QPolygonF{{100, 120}, {150, 116}, {160, 124}, {96, 128}});
        p.drawPolygon(QPolygonF{{60, 150}, {130, 144}, {142, 154}, {50, 160}});
        p.drawPolygon(QPolygonF{{150, 140}, {200, 136}, {214, 146}, {160, 150}});
        roadsideSign(p, QPointF(226, 150), 40, [](QPainter& s) {
            // Slippery road: skidding car tracks.
            s.setPen(Qt::NoPen);
            s.setBrush(colour::black);
            s.drawRoundedRect(QRectF(-28, -4, 56, 20), 4, 4);
            s.drawPolygon(QPolygonF{{-18, -4}, {18, -4}, {12, -18}, {-12, -18}});
            for (double x : {-12.0, 12.0}) {
                QPainterPath sk(QPointF(x, 24));
                sk.cubicTo(x + 12, 34, x - 12, 46, x, 58);
                stroke(s, sk, 6, colour::black, Qt::RoundCap);
            }
        });
        bonnet(p);
    }));
    out.push_back(scene("ch5_scene_crosswind", [](QPainter& p) {
        const View v;
        driverView(p, v, QColor(150, 190, 225), grass, colour::asphalt, colour::paint);
        // Trees bent by the wind, a windsock standing straight out.
        tree(p, QPointF(30, 110), 60, QColor(70, 120, 70), 14);
        tree(p, QPointF(212, 102), 46, QColor(70, 120, 70), 11);
        stroke(p, QPolygonF{{196, 120}, {196, 58}}, 3, QColor(200, 200, 200));
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            p.setBrush(i % 2 ? colour::white : QColor(240, 90, 30));
            p.drawPolygon(QPolygonF{{196.0 + i * 10, 58.0 + i * 0.8},
                                    {206.0 + i * 10, 58.8 + i * 0.8},
                                    {206.0 + i * 10, 69.2 - i * 0.8},
                                    {196.0 + i * 10, 70.0 - i * 0.8}});
        }
        // Gust arrows blowing across the road.
        for (double y : {96.0, 122.0, 146.0}) {
            QPainterPath a(QPointF(14, y));
            a.cubicTo(50, y - 10, 80, y + 10, 116, y);
            arrow(p, a, 5, 12, 16, QColor(255, 255, 255, 220));
        }
        bonnet(p);
    }));
    out.push_back(scene("ch5_scene_night_bend", [](QPainter& p) {
        box(p, QRectF(0, 0, W, H), QColor(14, 18, 34));
        // The road bends to the left; only the part lit by the headlamps shows.
        QPainterPath road(QPointF(20, H));
        road.cubicTo(70, 120, 60, 90, 10, 74);
        road.lineTo(34, 72);
        road.cubicTo(110, 92, 150, 120, 220, H);
        road.closeSubpath();
        QRadialGradient beam(QPointF(120, 190), 140);
        beam.setColorAt(0, QColor(120, 118, 110));
        beam.setColorAt(0.7, QColor(60, 60, 62));
        beam.setColorAt(1, QColor(24, 26, 34));
        p.setPen(Qt::NoPen);
        p.setBrush(beam);
        p.drawPath(road);
        QPainterPath edge(QPointF(120, H));
        edge.cubicTo(110, 130, 80, 96, 24, 80);
        p.setPen(QPen(QColor(230, 200, 60), 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawPath(edge);
        // Reflector posts along the outside of the bend.
        for (const QPointF& pt : {QPointF(210, 150), QPointF(168, 116), QPointF(126, 94),
                                  QPointF(86, 82), QPointF(54, 76)}) {
            const double s = (pt.y() - 60) / 90.0;
            box(p, QRectF(pt.x() - 2 * s, pt.y() - 22 * s, 4 * s, 22 * s), QColor(230, 230, 230));
            box(p, QRectF(pt.x() - 2 * s, pt.y() - 20 * s, 4 * s, 5 * s), QColor(255, 140, 0));
        }
        // A hill line against the night sky.
        p.setBrush(QColor(8, 10, 18));
        p.drawPolygon(
            QPolygonF{{0, 74}, {60, 50}, {130, 64}, {190, 44}, {240, 60}, {240, 0}, {0, 0}});
        p.setBrush(QColor(14, 18, 34));
        p.drawRect(QRectF(0, 0, W, 40));
        bonnet(p, QColor(8, 8, 10));
    }));
    out.push_back(scene("ch5_scene_mountain_meet", [](QPainter& p) {
        // From above: rock face on the left, a drop on the right, a narrow road between.
        box(p, QRectF(0, 0, 70, H), rock);
        p.setPen(Qt::NoPen);
        p.setBrush(rockDark);
        for (double y = 10; y < H; y += 34)
            p.drawPolygon(QPolygonF{{0, y}, {40, y + 8}, {62, y + 20}, {0, y + 26}});
        box(p, QRectF(70, 0, 100, H), colour::asphalt);
        box(p, QRectF(170, 0, 70, H), QColor(56, 80, 110));
        QLinearGradient g(170, 0, 240, 0);
        g.setColorAt(0, QColor(90, 120, 90));
        g.setColorAt(0.25, QColor(60, 86, 70));
        g.setColorAt(1, QColor(30, 44, 60));
        p.setBrush(g);
        p.drawRect(QRectF(170, 0, 70, H));
        // Guard posts on the edge of the drop.
        for (double y = 8; y < H; y += 24)
            box(p, QRectF(166, y, 6, 10), colour::white);
        carTop(p, QPointF(96, 52), 180, blueCar, 42);     // on the rock side, coming down
        carTop(p, QPointF(146, 130), 0, colour::red, 42); // learner, on the drop side
        centredText(p, QPointF(34, 166), QStringLiteral("山体"), 16, colour::white);
        centredText(p, QPointF(206, 166), QStringLiteral("悬崖"), 16, colour::white);
    }));
    out.push_back(scene("ch5_scene_tunnel", [](QPainter& p) {
        const View v;
        driverView(p, v, QColor(150, 195, 235), QColor(110, 140, 90), colour::asphalt,
                   colour::paint);
        // Hillside with the tunnel mouth cut into it.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 120, 70));
        p.drawPolygon(QPolygonF{{0, 88}, {0, 30}, {60, 8}, {150, 12}, {240, 34}, {240, 88}});
        p.setBrush(QColor(200, 196, 186));
        p.drawPolygon(QPolygonF{{54, 96}, {54, 50}, {186, 50}, {186, 96}});
        QPainterPath mouth(QPointF(70, 96));
        mouth.lineTo(70, 72);
        mouth.cubicTo(70, 50, 170, 50, 170, 72);
        mouth.lineTo(170, 96);
        mouth.closeSubpath();
        p.setBrush(QColor(18, 18, 22));
        p.drawPath(mouth);
        // Lamps inside and the road running in.
        for (double x : {88.0, 104.0, 116.0, 124.0})
            box(p, QRectF(x, 66 + (x - 88) * 0.12, 5 - (x - 88) * 0.08, 2), QColor(255, 220, 140));
        p.setBrush(colour::asphalt);
        p.drawPolygon(QPolygonF{{96, 96}, {144, 96}, {130, 80}, {110, 80}});
        carBehind(p, QPointF(124, 90), 16, greyCar, QColor(255, 60, 40));
        stroke(p, QPolygonF{{v.x(96, 0), 96}, {v.x(H, 0), H}}, 3, colour::paint);
        bonnet(p);
    }));
    out.push_back(scene("ch5_scene_flooded_road", [](QPainter& p) {
        const View v;
        driverView(p, v, QColor(120, 140, 160), QColor(90, 110, 80), colour::asphalt,
                   colour::paint);
        // Muddy water across the road ahead.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 104, 76));
        p.drawPolygon(QPolygonF{{0, 94}, {240, 90}, {240, 132}, {0, 138}});
        for (double y : {100.0, 110.0, 122.0}) {
            QPainterPath w(QPointF(0, y));
            for (int i = 0; i < 6; ++i)
                w.cubicTo(i * 40 + 14, y - 3, i * 40 + 26, y + 3, (i + 1) * 40, y);
            stroke(p, w, 1.5, QColor(170, 156, 128));
        }
        // Depth gauge post standing in the water.
        box(p, QRectF(188, 62, 8, 62), colour::white);
        for (int i = 0; i < 5; ++i)
            box(p, QRectF(188, 66 + i * 12, 8, 6), colour::red);
        p.setBrush(QColor(120, 104, 76));
        p.drawRect(QRectF(184, 106, 16, 20));
        bonnet(p);
    }));
    out.push_back(scene("ch5_scene_zipper_merge", [](QPainter& p) {
        // From above: two lanes become one; cars take turns.
        box(p, QRectF(0, 0, W, H), grass);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::asphalt);
        p.drawPolygon(QPolygonF{
            {70, H}, {190, H}, {190, 110}, {150, 70}, {150, 0}, {90, 0}, {90, 70}, {70, 90}});
        p.setBrush(colour::paint);
        for (double y = 118; y < H; y += 24)
            p.drawRect(QRectF(128, y, 4, 14));
        stroke(p, QPolygonF{{190, 110}, {150, 70}}, 3, colour::paint);
        carTop(p, QPointF(120, 24), 0, greyCar, 36);
        carTop(p, QPointF(128, 70), -10, blueCar, 36);
        carTop(p, QPointF(110, 112), 0, colour::red, 36);
        carTop(p, QPointF(160, 130), 0, QColor(70, 150, 90), 36);
        carTop(p, QPointF(104, 160), 0, greyCar, 36);
        carTop(p, QPointF(160, 176), 0, QColor(230, 200, 60), 36);
    }));
    out.push_back(scene("ch5_scene_hill_crest", [](QPainter& p) {
        box(p, QRectF(0, 0, W, H), QColor(150, 195, 235));
        // The road climbs to a crest and drops out of sight.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 150, 90));
        QPainterPath hill(QPointF(0, 96));
        hill.quadTo(120, 66, 240, 96);
        hill.lineTo(240, H);
        hill.lineTo(0, H);
        hill.closeSubpath();
        p.drawPath(hill);
        p.setBrush(colour::asphalt);
        p.drawPolygon(QPolygonF{{108, 79}, {132, 79}, {230, H}, {10, H}});
        stroke(p, QPolygonF{{120, 82}, {120, 96}}, 2, colour::paint);
        stroke(p, QPolygonF{{120, 110}, {120, 130}}, 3, colour::paint);
        stroke(p, QPolygonF{{120, 148}, {120, 175}}, 4, colour::paint);
        roadsideSign(p, QPointF(212, 130), 44, [](QPainter& s) {
            // Steep ascent.
            s.setPen(Qt::NoPen);
            s.setBrush(colour::black);
            s.drawPolygon(QPolygonF{{-54, 62}, {50, 62}, {50, -6}});
        });
        bonnet(p);
    }));
    out.push_back(scene("ch5_scene_runaway_ramp", [](QPainter& p) {
        // From above: a long downhill (the arrow points downhill) with an escape lane of gravel.
        box(p, QRectF(0, 0, W, H), grass);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::asphalt);
        p.drawRect(QRectF(40, 0, 90, H));
        p.setBrush(QColor(196, 170, 120));
        p.drawPolygon(QPolygonF{{130, 64}, {130, 150}, {220, 40}, {200, 18}});
        QRandomGenerator rng(3);
        p.setBrush(QColor(160, 134, 92));
        for (int i = 0; i < 80; ++i) {
            const double t = rng.bounded(1.0), s = rng.bounded(1.0);
            const QPointF a(130 + t * 80, 120 - t * 90), b(130 + t * 80, 70 - t * 40);
            p.drawEllipse(a + (b - a) * s, 1.6, 1.6);
        }
        p.setBrush(colour::paint);
        for (double y = 6; y < H; y += 30)
            p.drawRect(QRectF(83, y, 4, 16));
        arrow(p, polyPath(QPolygonF{{20, 160}, {20, 30}}), 3, 10, 12, colour::white);
        centredText(p, QPointF(20, 170), QStringLiteral("下坡"), 13, colour::white);
        centredText(p, QPointF(196, 140), QStringLiteral("避险车道"), 16, colour::black);
        carTop(p, QPointF(108, 120), 0, colour::red, 40);
        // Arrester barrels at the end of the lane.
        for (int i = 0; i < 3; ++i) {
            p.setBrush(i % 2 ? colour::white : QColor(240, 90, 30));
            p.drawEllipse(QPointF(206 + i * 8, 26 + i * 8), 6, 6);
        }
    }));
    out.push_back(scene("ch5_scene_sandstorm", [](QPainter& p) {
        const View v;
        driverView(p, v, QColor(210, 170, 110), QColor(190, 150, 96), QColor(120, 104, 84),
                   QColor(230, 220, 190));
        carBehind(p, QPointF(v.x(106, -0.3), 106), 30, greyCar, QColor(255, 80, 50));
        haze(p, QColor(214, 170, 104), 50, 180);
        QRandomGenerator rng(5);
        for (int i = 0; i < 70; ++i) {
            const double x = rng.bounded(W), y = rng.bounded(H);
            stroke(p, QPolygonF{{x, y}, {x + 10, y - 1}}, 1, QColor(240, 210, 160, 200));
        }
        bonnet(p);
    }));
    out.push_back(scene("ch5_scene_rockfall", [](QPainter& p) {
        const View v;
        driverView(p, v, QColor(160, 200, 230), QColor(120, 110, 90), colour::asphalt,
                   colour::paint);
        // A cliff on the right and fallen rocks in the lane ahead.
        p.setPen(Qt::NoPen);
        p.setBrush(rock);
        p.drawPolygon(QPolygonF{{150, 76}, {170, 20}, {200, 0}, {240, 0}, {240, 140}, {200, 110}});
        p.setBrush(rockDark);
        p.drawPolygon(QPolygonF{{190, 40}, {214, 30}, {222, 70}, {200, 76}});
        p.drawEllipse(QPointF(132, 108), 10, 6);
        p.drawEllipse(QPointF(150, 118), 14, 8);
        p.setBrush(rock);
        p.drawEllipse(QPointF(140, 112), 8, 5);
        p.drawEllipse(QPointF(160, 104), 6, 4);
        roadsideSign(p, QPointF(30, 140), 44, [](QPainter& s) {
            // Falling rocks.
            s.setPen(Qt::NoPen);
            s.setBrush(colour::black);
            s.drawPolygon(
                QPolygonF{{-60, 70}, {-38, 20}, {-30, -12}, {-18, -24}, {-12, 10}, {-20, 70}});
            s.drawEllipse(QPointF(14, 0), 10, 8);
            s.drawEllipse(QPointF(24, 34), 12, 10);
            s.drawEllipse(QPointF(14, 60), 10, 8);
        });
        bonnet(p);
    }));
}
