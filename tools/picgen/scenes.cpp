// Road situations seen from above; the learner's car is always red.
#include "picgen.h"

namespace {

constexpr int W = 240, H = 180;
const QColor verge(118, 150, 96);
const QColor grey(150, 156, 166), blueCar(60, 120, 200);

Picture scene(const char* name, std::function<void(QPainter&)> body) {
    return {QString::fromLatin1(name), [body] {
                QImage img = canvas(W, H, colour::asphalt);
                QPainter p(&img);
                antialias(p);
                body(p);
                return img;
            }};
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
}
