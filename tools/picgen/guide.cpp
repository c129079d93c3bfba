// Guide signs: green boards on expressways, blue boards on ordinary roads.
#include "picgen.h"

namespace {

// A w x h board in the given colour with the white inner border of guide signs.
QImage board(int w, int h, const QColor& bg, const std::function<void(QPainter&)>& body) {
    QImage img = canvas(w, h, colour::white);
    QPainter p(&img);
    antialias(p);
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(2, 2, w - 4, h - 4), 10, 10);
    p.setPen(QPen(colour::white, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(7, 7, w - 14, h - 14), 7, 7);
    body(p);
    return img;
}

void arrowUp(QPainter& p, QPointF base, double len) {
    arrow(p, polyPath(QPolygonF{base, base - QPointF(0, len)}), 8, 14, 22, colour::white);
}

} // namespace

void addGuideSigns(Pictures& out) {
    out.push_back(
        {QStringLiteral("ch2_guide_expressway_direction"), [] {
             return board(260, 150, colour::green, [](QPainter& p) {
                 arrowUp(p, QPointF(44, 66), 42);
                 centredText(p, QPointF(130, 45), QStringLiteral("云溪"), 38, colour::white);
                 p.setPen(QPen(colour::white, 2));
                 p.drawLine(QPointF(20, 76), QPointF(240, 76));
                 arrow(p, polyPath(QPolygonF{{32, 134}, {52, 108}}), 8, 14, 22, colour::white);
                 centredText(p, QPointF(130, 108), QStringLiteral("梅岭"), 38, colour::white);
                 p.setPen(Qt::NoPen);
                 p.setBrush(colour::yellow);
                 p.drawRoundedRect(QRectF(186, 94, 54, 28), 4, 4);
                 centredText(p, QPointF(213, 108), QStringLiteral("出口"), 20, colour::black);
             });
         }});
    out.push_back(
        {QStringLiteral("ch2_guide_road_direction"), [] {
             return board(260, 170, colour::blue, [](QPainter& p) {
                 // An intersection diagram: ahead, left and right with place names.
                 stroke(p, QPolygonF{{130, 150}, {130, 80}}, 12, colour::white);
                 arrow(p, polyPath(QPolygonF{{130, 86}, {130, 60}}), 12, 18, 30, colour::white);
                 arrow(p, polyPath(QPolygonF{{136, 100}, {96, 100}}), 12, 18, 30, colour::white);
                 arrow(p, polyPath(QPolygonF{{124, 100}, {164, 100}}), 12, 18, 30, colour::white);
                 centredText(p, QPointF(130, 32), QStringLiteral("清河镇"), 26, colour::white);
                 centredText(p, QPointF(48, 100), QStringLiteral("东湖"), 26, colour::white);
                 centredText(p, QPointF(212, 100), QStringLiteral("南坪"), 26, colour::white);
             });
         }});
    out.push_back(
        {QStringLiteral("ch2_guide_exit_ahead"), [] {
             return board(260, 150, colour::green, [](QPainter& p) {
                 centredText(p, QPointF(130, 45), QStringLiteral("桃源"), 42, colour::white);
                 p.setBrush(colour::yellow);
                 p.setPen(Qt::NoPen);
                 p.drawRoundedRect(QRectF(40, 82, 80, 44), 5, 5);
                 centredText(p, QPointF(80, 104), QStringLiteral("出口"), 30, colour::black);
                 centredText(p, QPointF(184, 104), QStringLiteral("2 km"), 34, colour::white);
             });
         }});
    out.push_back(
        {QStringLiteral("ch2_guide_service_area"), [] {
             return board(260, 150, colour::green, [](QPainter& p) {
                 centredText(p, QPointF(130, 48), QStringLiteral("服务区"), 42, colour::white);
                 // Fuel pump and fork-and-knife pictograms on white tiles.
                 p.setPen(Qt::NoPen);
                 p.setBrush(colour::white);
                 p.drawRoundedRect(QRectF(30, 84, 40, 44), 4, 4);
                 p.drawRoundedRect(QRectF(78, 84, 40, 44), 4, 4);
                 p.setBrush(colour::green);
                 p.drawRect(QRectF(38, 92, 18, 30));
                 p.setBrush(colour::white);
                 p.drawRect(QRectF(41, 96, 12, 8));
                 stroke(p, QPolygonF{{56, 100}, {63, 100}, {63, 118}, {59, 118}}, 3, colour::green);
                 stroke(p, QPolygonF{{92, 90}, {92, 122}}, 4, colour::green, Qt::RoundCap);
                 stroke(p, QPolygonF{{87, 90}, {87, 100}, {97, 100}, {97, 90}}, 2.5, colour::green);
                 QPainterPath knife(QPointF(106, 122));
                 knife.lineTo(106, 90);
                 knife.quadTo(112, 96, 110, 106);
                 knife.lineTo(106, 106);
                 stroke(p, knife, 4, colour::green, Qt::RoundCap, Qt::RoundJoin);
                 centredText(p, QPointF(184, 106), QStringLiteral("2 km"), 34, colour::white);
             });
         }});
    out.push_back({QStringLiteral("ch2_guide_parking"), [] {
                       return board(150, 150, colour::blue, [](QPainter& p) {
                           centredText(p, QPointF(75, 75), QStringLiteral("P"), 100, colour::white);
                       });
                   }});
}
