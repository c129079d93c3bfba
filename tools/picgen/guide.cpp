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

void addMoreGuideSigns(Pictures& out);

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
    addMoreGuideSigns(out);
}

namespace {

const QColor brown{128, 72, 40};

Picture guide(const char* name, int w, int h, const QColor& bg,
              std::function<void(QPainter&)> body) {
    return {QString::fromLatin1(name), [=] { return board(w, h, bg, body); }};
}

// A route-number plate: a board of the network's colour with its number.
Picture routePlate(const char* name, const QColor& bg, const QColor& ink, const char* number) {
    return {QString::fromLatin1(name), [=] {
                QImage img = canvas(200, 130, colour::white);
                QPainter p(&img);
                antialias(p);
                p.setPen(QPen(ink == colour::black ? colour::black : colour::white, 3));
                p.setBrush(bg);
                p.drawRoundedRect(QRectF(14, 14, 172, 102), 10, 10);
                p.setPen(Qt::NoPen);
                p.setBrush(bg.darker(115));
                p.setPen(QPen(bg, 4));
                p.setBrush(Qt::NoBrush);
                p.drawRoundedRect(QRectF(8, 8, 184, 114), 13, 13);
                centredText(p, QPointF(100, 65), QString::fromLatin1(number), 60, ink, 0.9);
                return img;
            }};
}

} // namespace

void addMoreGuideSigns(Pictures& out) {
    out.push_back(guide("ch2_guide_exp_entrance", 260, 150, colour::green, [](QPainter& p) {
        // Expressway pictogram: a road with a median seen in perspective, then the text.
        p.setPen(Qt::NoPen);
        p.setBrush(colour::white);
        p.drawRoundedRect(QRectF(22, 30, 70, 70), 6, 6);
        p.setBrush(colour::green);
        p.drawPolygon(QPolygonF{{30, 94}, {52, 38}, {62, 38}, {84, 94}});
        p.setBrush(colour::white);
        p.drawPolygon(QPolygonF{{55, 94}, {56, 40}, {58, 40}, {59, 94}});
        centredText(p, QPointF(172, 50), QStringLiteral("入口"), 44, colour::white);
        centredText(p, QPointF(172, 110), QStringLiteral("500 m"), 34, colour::white);
    }));
    out.push_back(guide("ch2_guide_toll", 260, 150, colour::green, [](QPainter& p) {
        centredText(p, QPointF(130, 52), QStringLiteral("收费站"), 46, colour::white);
        centredText(p, QPointF(130, 108), QStringLiteral("1 km"), 36, colour::white);
    }));
    out.push_back(guide("ch2_guide_distance", 260, 170, colour::green, [](QPainter& p) {
        const char* names[] = {"云溪", "梅岭", "江城"};
        const char* dist[] = {"18 km", "56 km", "103 km"};
        for (int i = 0; i < 3; ++i) {
            centredText(p, QPointF(76, 40 + 45 * i), QString::fromUtf8(names[i]), 32,
                        colour::white);
            centredText(p, QPointF(184, 40 + 45 * i), QString::fromLatin1(dist[i]), 30,
                        colour::white);
        }
    }));
    out.push_back(guide("ch2_guide_exit_here", 200, 150, colour::green, [](QPainter& p) {
        centredText(p, QPointF(100, 48), QStringLiteral("出口"), 48, colour::white);
        arrow(p, polyPath(QPolygonF{{74, 130}, {118, 90}}), 12, 20, 32, colour::white);
    }));
    out.push_back(
        {QStringLiteral("ch2_guide_exp_number"), [] {
             QImage img = canvas(200, 150, colour::white);
             QPainter p(&img);
             antialias(p);
             p.setPen(Qt::NoPen);
             p.setBrush(colour::red);
             p.drawRoundedRect(QRectF(20, 6, 160, 44), 8, 8);
             p.drawRect(QRectF(20, 30, 160, 20));
             p.setBrush(colour::green);
             p.drawRoundedRect(QRectF(20, 50, 160, 94), 8, 8);
             p.drawRect(QRectF(20, 50, 160, 20));
             centredText(p, QPointF(100, 28), QStringLiteral("国家高速"), 26, colour::white);
             centredText(p, QPointF(100, 97), QStringLiteral("G60"), 58, colour::white, 0.9);
             return img;
         }});
    out.push_back(routePlate("ch2_guide_national_road", colour::red, colour::white, "G318"));
    out.push_back(routePlate("ch2_guide_provincial_road", colour::yellow, colour::black, "S203"));
    out.push_back(routePlate("ch2_guide_county_road", colour::white, colour::black, "X012"));
    out.push_back(guide("ch2_guide_gap_check", 200, 150, colour::green, [](QPainter& p) {
        centredText(p, QPointF(100, 52), QStringLiteral("车距确认"), 38, colour::white);
        centredText(p, QPointF(100, 108), QStringLiteral("100 m"), 38, colour::white);
    }));
    out.push_back(guide("ch2_guide_next_exit", 260, 150, colour::green, [](QPainter& p) {
        centredText(p, QPointF(130, 52), QStringLiteral("下一出口"), 42, colour::white);
        centredText(p, QPointF(130, 108), QStringLiteral("6 km"), 36, colour::white);
    }));
    out.push_back(guide("ch2_guide_tourist", 260, 130, brown, [](QPainter& p) {
        arrow(p, polyPath(QPolygonF{{80, 65}, {36, 65}}), 12, 20, 34, colour::white);
        centredText(p, QPointF(164, 65), QStringLiteral("青山湖"), 40, colour::white);
    }));
    out.push_back(guide("ch2_guide_dead_end", 150, 150, colour::blue, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::white);
        p.drawRect(QRectF(63, 54, 24, 78));
        p.setBrush(colour::red);
        p.drawRect(QRectF(36, 30, 78, 24));
    }));
    out.push_back(guide("ch2_guide_fuel", 150, 150, colour::blue, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::white);
        p.drawRoundedRect(QRectF(28, 28, 94, 94), 6, 6);
        p.setBrush(colour::black);
        p.drawRect(QRectF(46, 44, 38, 66));
        p.drawRect(QRectF(40, 106, 50, 8));
        p.setBrush(colour::white);
        p.drawRect(QRectF(52, 52, 26, 18));
        stroke(p, QPolygonF{{84, 60}, {98, 60}, {98, 96}, {104, 96}, {104, 64}, {98, 52}}, 5,
               colour::black);
    }));
}
