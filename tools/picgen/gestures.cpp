// Traffic police hand signals (the eight gestures), officer seen from the front.
// The officer's right arm is on the left of the picture and his left arm on the right.
#include "picgen.h"

#include <QtMath>

namespace {

constexpr int W = 200, H = 200;
const QColor backdrop(226, 232, 238);
const QColor skin(238, 198, 166), shirt(150, 190, 230), trousers(32, 42, 72);
const QColor vest(196, 230, 40), stripe(214, 218, 222), glove(255, 255, 255);
const QColor motion(214, 60, 36);

const QPointF rightShoulder(82, 72), leftShoulder(118, 72); // officer's own sides

enum class Hand { Palm, Edge, Flat };

// A white glove at `wrist`, its fingers along `angle` (degrees, screen, 0 = right, 90 = down).
void gloveAt(QPainter& p, QPointF wrist, double angle, Hand kind, bool rightHand,
             double size = 1.0) {
    p.save();
    p.translate(wrist);
    p.rotate(angle);
    p.scale(size, size);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(glove);
    switch (kind) {
    case Hand::Palm: // the palm faces the viewer: a full hand with the thumb
        p.drawRoundedRect(QRectF(-2, -6.5, 19, 13), 5, 5);
        p.drawEllipse(QRectF(1, rightHand ? 5 : -11, 9, 6)); // thumb on the inner side
        break;
    case Hand::Edge: // the palm faces sideways: seen edge-on
        p.drawRoundedRect(QRectF(-2, -3.5, 19, 7), 3.5, 3.5);
        break;
    case Hand::Flat: // the palm faces down, seen slightly from above
        p.drawRoundedRect(QRectF(-2, -5, 18, 10), 4, 4);
        break;
    }
    p.restore();
}

// An arm from the shoulder to the wrist, with its glove beyond.
void arm(QPainter& p, QPointF shoulder, QPointF wrist, Hand kind) {
    stroke(p, QPolygonF{shoulder, wrist}, 12, shirt.darker(112), Qt::RoundCap);
    stroke(p, QPolygonF{shoulder, wrist}, 9, shirt, Qt::RoundCap);
    const QPointF d = wrist - shoulder;
    gloveAt(p, wrist, qRadiansToDegrees(qAtan2(d.y(), d.x())), kind, shoulder.x() < 100);
}

// An arm hanging at the side.
void hanging(QPainter& p, QPointF shoulder) {
    const double side = shoulder.x() < 100 ? -1 : 1;
    arm(p, shoulder, shoulder + QPointF(side * 5, 50), Hand::Edge);
}

// An arm pointing straight at the viewer: a short sleeve and the hand in front of it.
void forward(QPainter& p, QPointF shoulder, Hand kind) {
    const double side = shoulder.x() < 100 ? -1 : 1;
    const QPointF cuff = shoulder + QPointF(side * 8, 6);
    stroke(p, QPolygonF{shoulder, cuff}, 12, shirt.darker(112), Qt::RoundCap);
    p.setPen(QPen(shirt.darker(130), 1.5));
    p.setBrush(shirt);
    p.drawEllipse(cuff, 8.5, 8.5); // the sleeve seen end-on
    gloveAt(p, cuff + QPointF(0, 7), -90, kind, side < 0, 1.25);
}

// A dashed curved arrow showing which way the arm swings.
void swing(QPainter& p, QPointF from, QPointF via, QPointF to) {
    QPainterPath path(from);
    path.quadTo(via, to);
    QPen pen(motion, 2.5, Qt::CustomDashLine, Qt::FlatCap);
    pen.setDashPattern({3, 2});
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
    const double a = qDegreesToRadians(path.angleAtPercent(1.0));
    const QPointF dir(qCos(a), -qSin(a)), side(-dir.y(), dir.x());
    p.setPen(Qt::NoPen);
    p.setBrush(motion);
    p.drawPolygon(QPolygonF{to + side * 5, to + dir * 9, to - side * 5});
}

void body(QPainter& p) {
    // Legs and shoes.
    p.setPen(Qt::NoPen);
    p.setBrush(trousers);
    p.drawRect(QRectF(86, 128, 13, 60));
    p.drawRect(QRectF(101, 128, 13, 60));
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QRectF(82, 184, 18, 9));
    p.drawEllipse(QRectF(100, 184, 18, 9));
    // Shirt, then the reflective vest over it.
    p.setBrush(shirt);
    p.drawPolygon(QPolygonF{{78, 68}, {122, 68}, {117, 132}, {83, 132}});
    p.setBrush(vest);
    p.drawPolygon(
        QPolygonF{{83, 70}, {94, 70}, {100, 86}, {106, 70}, {117, 70}, {116, 130}, {84, 130}});
    p.setBrush(stripe);
    p.drawRect(QRectF(84, 100, 32, 5));
    p.drawRect(QRectF(84, 113, 32, 5));
    p.setBrush(colour::white); // duty belt
    p.drawRect(QRectF(83, 123, 34, 5));
    // Neck, head and face.
    p.setBrush(skin);
    p.drawRect(QRectF(95, 56, 10, 14));
    p.drawEllipse(QPointF(100, 47), 12, 13.5);
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(QPointF(95.5, 47), 1.5, 1.7);
    p.drawEllipse(QPointF(104.5, 47), 1.5, 1.7);
    stroke(p, QPolygonF{{97, 54.5}, {103, 54.5}}, 1.4, QColor(150, 80, 70));
    // Peaked cap: white crown, dark band, black visor, badge.
    p.setBrush(colour::white);
    p.setPen(QPen(QColor(170, 170, 170), 1));
    p.drawEllipse(QRectF(82, 24, 36, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 32, 56));
    p.drawRect(QRectF(87, 31, 26, 7));
    p.setBrush(QColor(12, 12, 12));
    p.drawChord(QRectF(87, 34, 26, 8), 180 * 16, 180 * 16);
    p.setBrush(QColor(230, 180, 40));
    p.drawEllipse(QPointF(100, 32), 3.2, 3.2);
}

Picture gesture(const char* name, std::function<void(QPainter&)> arms) {
    return {QString::fromLatin1(name), [arms] {
                QImage img = canvas(W, H, backdrop);
                QPainter p(&img);
                antialias(p);
                body(p);
                arms(p);
                return img;
            }};
}

QPointF at(QPointF shoulder, double angleDeg, double len) {
    const double a = qDegreesToRadians(angleDeg);
    return shoulder + QPointF(qCos(a), qSin(a)) * len;
}

} // namespace

void addGestures(Pictures& out) {
    // 停止: left arm raised forward and up, palm to the front.
    out.push_back(gesture("ch2_gesture_stop", [](QPainter& p) {
        hanging(p, rightShoulder);
        arm(p, leftShoulder, at(leftShoulder, -76, 52), Hand::Palm);
    }));
    // 直行: both arms out sideways, palms front; the right arm then swings to the front.
    out.push_back(gesture("ch2_gesture_straight", [](QPainter& p) {
        arm(p, leftShoulder, at(leftShoulder, 0, 54), Hand::Palm);
        arm(p, rightShoulder, at(rightShoulder, 180, 54), Hand::Palm);
        swing(p, QPointF(14, 90), QPointF(34, 112), QPointF(66, 104));
    }));
    // 左转弯: right arm straight ahead, palm front; left arm swings to the right front.
    out.push_back(gesture("ch2_gesture_left_turn", [](QPainter& p) {
        arm(p, leftShoulder, QPointF(92, 92), Hand::Edge);
        forward(p, rightShoulder, Hand::Palm);
        swing(p, QPointF(176, 78), QPointF(160, 112), QPointF(112, 108));
    }));
    // 左转弯待转: left arm out and down at 45 degrees, palm down, swinging downwards.
    out.push_back(gesture("ch2_gesture_left_turn_wait", [](QPainter& p) {
        hanging(p, rightShoulder);
        arm(p, leftShoulder, at(leftShoulder, 45, 50), Hand::Flat);
        swing(p, QPointF(176, 98), QPointF(186, 118), QPointF(174, 134));
    }));
    // 右转弯: left arm straight ahead, palm front; right arm swings to the left front.
    out.push_back(gesture("ch2_gesture_right_turn", [](QPainter& p) {
        arm(p, rightShoulder, QPointF(108, 92), Hand::Edge);
        forward(p, leftShoulder, Hand::Palm);
        swing(p, QPointF(24, 78), QPointF(40, 112), QPointF(88, 108));
    }));
    // 变道: right arm straight ahead, palm to the left, swinging level to the left.
    out.push_back(gesture("ch2_gesture_change_lane", [](QPainter& p) {
        hanging(p, leftShoulder);
        arm(p, rightShoulder, QPointF(110, 80), Hand::Edge);
        swing(p, QPointF(64, 96), QPointF(100, 112), QPointF(142, 94));
    }));
    // 减速慢行: right arm out to the right front, palm down, swinging down.
    out.push_back(gesture("ch2_gesture_slow_down", [](QPainter& p) {
        hanging(p, leftShoulder);
        arm(p, rightShoulder, at(rightShoulder, 180, 44), Hand::Flat);
        swing(p, QPointF(22, 84), QPointF(12, 104), QPointF(26, 126));
    }));
    // 示意车辆靠边停车: left arm up as for stop; right arm forward and down, swinging left.
    out.push_back(gesture("ch2_gesture_pull_over", [](QPainter& p) {
        arm(p, leftShoulder, at(leftShoulder, -76, 52), Hand::Palm);
        arm(p, rightShoulder, QPointF(90, 100), Hand::Edge);
        swing(p, QPointF(70, 138), QPointF(100, 150), QPointF(134, 138));
    }));
}
