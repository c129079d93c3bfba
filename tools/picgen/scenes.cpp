// Road situations seen from above; the learner's car is always red.
#include "picgen.h"

namespace {

constexpr int W = 240, H = 180;
const QColor verge(118, 150, 96);
const QColor grey(150, 156, 166), blueCar(60, 120, 200);

Picture scene(const char* name, std::function<void(QPainter&)> body) {
    return scenePicture(name, body, colour::asphalt);
}

void dashes(QPainter& p, double x, double y0, double y1, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (double y = y0; y < y1; y += 34)
        p.drawRect(QRectF(x - 2, y, 4, qMin(20.0, y1 - y)));
}

void truckTop(QPainter& p, QPointF c) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(235, 235, 230));
    p.drawRect(QRectF(c.x() - 13, c.y() - 16, 26, 52)); // cargo box
    p.setBrush(QColor(230, 160, 40));
    p.drawRoundedRect(QRectF(c.x() - 12, c.y() - 34, 24, 17), 3, 3); // cab
}

// A small three-lamp signal head in a corner; lit 0 red, 1 yellow, 2 green.
void signalHead(QPainter& p, QPointF topLeft, int lit) {
    p.setPen(QPen(colour::white, 2));
    p.setBrush(QColor(28, 28, 30));
    p.drawRoundedRect(QRectF(topLeft, QSizeF(22, 58)), 5, 5);
    const QColor cols[3] = {QColor(255, 40, 30), QColor(255, 196, 0), QColor(20, 220, 110)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(i == lit ? cols[i] : cols[i].darker(420));
        p.drawEllipse(topLeft + QPointF(11, 11 + i * 18), 7, 7);
    }
}

// A crossroads: north-south road x 70..170, east-west road y 50..120.
void crossroads(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(verge);
    for (QRectF r : {QRectF(0, 0, 70, 50), QRectF(170, 0, 70, 50), QRectF(0, 120, 70, 60),
                     QRectF(170, 120, 70, 60)})
        p.drawRect(r);
    p.setBrush(colour::lineYellow);
    p.drawRect(QRectF(118, 128, 4, 52));
    p.drawRect(QRectF(118, 0, 4, 42));
    p.setBrush(colour::paint);
    p.drawRect(QRectF(122, 128, 48, 4)); // stop line
    p.drawRect(QRectF(144, 140, 3, 40)); // lane line
}

void indicator(QPainter& p, QPointF carCentre, double side) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 170, 0));
    for (double dy : {-18.0, 18.0})
        p.drawEllipse(carCentre + QPointF(side * 10, dy), 3, 3);
}

} // namespace

void addScenes(Pictures& out) {
    out.push_back(scene("ch2_scene_grid_queue", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(verge);
        for (QRectF r : {QRectF(0, 0, 80, 50), QRectF(160, 0, 80, 50), QRectF(0, 120, 80, 60),
                         QRectF(160, 120, 80, 60)})
            p.drawRect(r);
        p.save();
        p.setClipRect(QRectF(82, 52, 76, 66));
        for (double d = -120; d <= 120; d += 16) {
            stroke(p, QPolygonF{{120 + d - 40, 40}, {120 + d + 40, 130}}, 2.5, colour::lineYellow);
            stroke(p, QPolygonF{{120 + d + 40, 40}, {120 + d - 40, 130}}, 2.5, colour::lineYellow);
        }
        p.restore();
        p.setPen(QPen(colour::lineYellow, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(82, 52, 76, 66));
        p.setPen(Qt::NoPen);
        p.setBrush(colour::lineYellow);
        p.drawRect(QRectF(118, 0, 4, 50));
        p.drawRect(QRectF(118, 120, 4, 60));
        carTop(p, QPointF(140, 26), 0, grey, 36); // queue beyond the box
        carTop(p, QPointF(140, -14), 0, blueCar, 36);
        carTop(p, QPointF(140, 152), 0, colour::red, 36); // learner waits before it
    }));
    out.push_back(scene("ch2_scene_zebra_pedestrian", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::paint);
        for (double x = 16; x < 226; x += 20)
            p.drawRect(QRectF(x, 50, 11, 44));
        p.setBrush(colour::paint);
        p.drawRect(QRectF(20, 0, 4, 180));
        p.drawRect(QRectF(216, 0, 4, 180));
        dashes(p, 120, 100, 180, colour::lineYellow);
        dashes(p, 120, 0, 44, colour::lineYellow);
        p.setBrush(colour::paint);
        p.drawRect(QRectF(122, 104, 94, 5)); // stop line before the crossing
        walker(p, QPointF(150, 92), 42, QColor(230, 90, 20));
        carTop(p, QPointF(170, 146), 0, colour::red, 40);
    }));
    out.push_back(scene("ch2_scene_double_yellow_overtake", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::paint);
        p.drawRect(QRectF(20, 0, 4, 180));
        p.drawRect(QRectF(216, 0, 4, 180));
        p.setBrush(colour::lineYellow);
        p.drawRect(QRectF(112, 0, 4, 180));
        p.drawRect(QRectF(124, 0, 4, 180));
        truckTop(p, QPointF(170, 70));
        carTop(p, QPointF(124, 122), -25, colour::red, 40);
        p.setPen(QPen(colour::white, 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        QPainterPath track(QPointF(168, 176));
        track.quadTo(160, 150, 136, 140);
        p.drawPath(track);
    }));
    out.push_back(scene("ch2_scene_red_right_pedestrians", [](QPainter& p) {
        crossroads(p);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::paint);
        for (double y = 54; y < 118; y += 12) // crossing on the road to the right
            p.drawRect(QRectF(178, y, 24, 7));
        walker(p, QPointF(186, 84), 30, QColor(230, 90, 20));
        walker(p, QPointF(194, 112), 30, QColor(90, 60, 160));
        carTop(p, QPointF(158, 156), 0, colour::red, 38);
        indicator(p, QPointF(158, 156), 1);
        signalHead(p, QPointF(12, 8), 0);
    }));
    out.push_back(scene("ch2_scene_green_jammed", [](QPainter& p) {
        crossroads(p);
        carTop(p, QPointF(145, 14), 0, grey, 36);
        carTop(p, QPointF(145, 56), 0, blueCar, 36);
        carTop(p, QPointF(145, 98), 0, grey, 36); // the queue reaches back into the crossing
        carTop(p, QPointF(145, 156), 0, colour::red, 36);
        signalHead(p, QPointF(12, 8), 2);
    }));
    out.push_back(scene("ch2_scene_yield_main_road", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(verge);
        p.drawRect(QRectF(0, 0, W, 36));
        p.drawRect(QRectF(0, 114, 90, 66));
        p.drawRect(QRectF(150, 114, 90, 66));
        p.setBrush(colour::paint);
        p.drawRect(QRectF(0, 38, W, 3));
        p.drawRect(QRectF(0, 109, 90, 3));
        p.drawRect(QRectF(150, 109, 90, 3));
        dashes(p, 120, 0, 0, colour::lineYellow);
        p.setBrush(colour::lineYellow);
        for (double x = 4; x < W; x += 34)
            if (x < 84 || x > 150) p.drawRect(QRectF(x, 73, 20, 4));
        p.setBrush(colour::paint);
        for (double y : {116.0, 124.0}) // yield line: two dashed lines
            for (double x = 122; x < 150; x += 10)
                p.drawRect(QRectF(x, y, 6, 4));
        p.setBrush(colour::lineYellow);
        p.drawRect(QRectF(118, 114, 4, 66));
        p.setBrush(colour::paint);
        p.drawPolygon(QPolygonF{{127, 134}, {145, 134}, {136, 160}});
        p.setBrush(colour::asphalt);
        p.drawPolygon(QPolygonF{{131, 137}, {141, 137}, {136, 150}});
        carTop(p, QPointF(44, 92), 90, blueCar, 38);
        carTop(p, QPointF(136, 170), 0, colour::red, 34);
    }));
    out.push_back(scene("ch2_scene_red_follow_truck", [](QPainter& p) {
        crossroads(p);
        truckTop(p, QPointF(145, 74)); // the truck got through before the light changed
        carTop(p, QPointF(145, 150), 0, colour::red, 36);
        signalHead(p, QPointF(12, 8), 0);
    }));
    out.push_back(scene("ch2_scene_right_lane_queue", [](QPainter& p) {
        crossroads(p);
        carTop(p, QPointF(158, 147), 0, blueCar, 30); // waits at the stop line
        carTop(p, QPointF(158, 176), 0, colour::red, 30);
        indicator(p, QPointF(155, 171), 1);
        signalHead(p, QPointF(12, 8), 0);
    }));
}
