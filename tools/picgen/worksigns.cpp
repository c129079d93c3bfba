// Work-zone and auxiliary signs.
#include "picgen.h"

// Defined in warning.cpp and prohibition.cpp.
void warningFrame(QPainter& p);
void warningChildren(QPainter& p);
void warningRocks(QPainter& p);
void prohibitionRing(QPainter& p, const QColor& field);
void prohibitionSlash(QPainter& p, double angle);
void prohibitionHorn(QPainter& p);
void prohibitionLeftTurnArrow(QPainter& p);

namespace {

const QColor orange{240, 110, 20};

// A yellow oblong work-zone board with a black edge, 240 x 150.
Picture workBoard(const char* name, std::function<void(QPainter&)> body) {
    return {QString::fromLatin1(name), [body] {
                QImage img = canvas(240, 150, colour::white);
                QPainter p(&img);
                antialias(p);
                p.setPen(Qt::NoPen);
                p.setBrush(colour::black);
                p.drawRoundedRect(QRectF(3, 3, 234, 144), 10, 10);
                p.setBrush(colour::yellow);
                p.drawRoundedRect(QRectF(9, 9, 222, 132), 6, 6);
                body(p);
                return img;
            }};
}

// A main sign (drawn in sign units, -100..100) above a white auxiliary plate with black text.
Picture withPlate(const char* name, const char* plate, std::function<void(QPainter&)> main) {
    return {QString::fromLatin1(name), [=] {
                QImage img = canvas(160, 200, colour::white);
                QPainter p(&img);
                antialias(p);
                p.save();
                p.translate(80, 72);
                p.scale(0.66, 0.66);
                main(p);
                p.restore();
                p.setPen(QPen(colour::black, 3));
                p.setBrush(colour::white);
                p.drawRoundedRect(QRectF(14, 146, 132, 48), 5, 5);
                // Narrow long lettering so that it fits the plate.
                QPainterPath ink;
                ink.addText(0, 0, cjkFont(24), QString::fromUtf8(plate));
                const double fit = qMin(1.0, 116.0 / ink.boundingRect().width());
                centredText(p, QPointF(80, 170), QString::fromUtf8(plate), 24, colour::black, fit);
                return img;
            }};
}

void laneArrow(QPainter& p, double x, double y0, double y1) {
    arrow(p, polyPath(QPolygonF{{x, y0}, {x, y1}}), 9, 14, 24, colour::black);
}

} // namespace

void addWorkZoneSigns(Pictures& out) {
    out.push_back(workBoard("ch2_work_ahead", [](QPainter& p) {
        centredText(p, QPointF(120, 54), QStringLiteral("前方施工"), 46, colour::black);
        centredText(p, QPointF(120, 108), QStringLiteral("300 m"), 38, colour::black);
    }));
    out.push_back(workBoard("ch2_work_road_closed", [](QPainter& p) {
        centredText(p, QPointF(120, 54), QStringLiteral("道路封闭"), 46, colour::black);
        centredText(p, QPointF(120, 108), QStringLiteral("1 km"), 38, colour::black);
    }));
    out.push_back(workBoard("ch2_work_right_lane_closed", [](QPainter& p) {
        for (double x : {92.0, 148.0})
            for (double y = 22; y < 132; y += 22)
                stroke(p, QPolygonF{{x, y}, {x, y + 11}}, 4, colour::black);
        stroke(p, QPolygonF{{36, 20}, {36, 130}}, 5, colour::black);
        stroke(p, QPolygonF{{204, 20}, {204, 130}}, 5, colour::black);
        laneArrow(p, 64, 126, 30);
        laneArrow(p, 120, 126, 30);
        stroke(p, QPolygonF{{176, 126}, {176, 96}}, 9, colour::black);
        // The closed lane ends at a red-and-white barrier.
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            p.setBrush(i % 2 ? colour::white : colour::red);
            p.drawRect(QRectF(154 + 11.5 * i, 62, 11.5, 28));
        }
        p.setPen(QPen(colour::black, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(154, 62, 46, 28));
    }));
    out.push_back(workBoard("ch2_work_detour_left", [](QPainter& p) {
        QPainterPath path(QPointF(160, 130));
        path.lineTo(160, 100);
        path.cubicTo(160, 76, 90, 84, 90, 56);
        path.lineTo(90, 40);
        arrow(p, path, 12, 20, 34, colour::black);
        centredText(p, QPointF(184, 40), QStringLiteral("改道"), 28, colour::black);
    }));
    out.push_back(
        {QStringLiteral("ch2_work_barrier"), [] {
             QImage img = canvas(240, 150, colour::white);
             QPainter p(&img);
             antialias(p);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(90, 90, 90));
             p.drawRect(QRectF(34, 70, 8, 74));
             p.drawRect(QRectF(198, 70, 8, 74));
             QPainterPath bar;
             bar.addRect(QRectF(14, 30, 212, 46));
             p.setClipPath(bar);
             p.fillRect(QRectF(14, 30, 212, 46), colour::white);
             p.setBrush(colour::red);
             for (int i = -1; i < 10; ++i) {
                 const double x = 14 + 28.0 * i;
                 p.drawPolygon(QPolygonF{{x, 76}, {x + 14, 76}, {x + 46, 30}, {x + 32, 30}});
             }
             p.setClipping(false);
             p.setPen(QPen(QColor(90, 90, 90), 2));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(14, 30, 212, 46));
             return img;
         }});
    out.push_back({QStringLiteral("ch2_work_cone"), [] {
                       QImage img = canvas(160, 160, colour::white);
                       QPainter p(&img);
                       antialias(p);
                       p.setPen(Qt::NoPen);
                       p.setBrush(QColor(40, 40, 40));
                       p.drawRoundedRect(QRectF(30, 132, 100, 14), 3, 3);
                       p.setBrush(orange);
                       p.drawPolygon(QPolygonF{{72, 14}, {88, 14}, {114, 134}, {46, 134}});
                       p.setBrush(colour::white);
                       p.drawPolygon(QPolygonF{{64, 50}, {96, 50}, {100, 70}, {60, 70}});
                       p.drawPolygon(QPolygonF{{56, 88}, {104, 88}, {108, 106}, {52, 106}});
                       return img;
                   }});

    // Auxiliary plates under a main sign.
    out.push_back(withPlate("ch2_aux_time_no_parking", "7:00-19:00", [](QPainter& p) {
        prohibitionRing(p, colour::blue);
        prohibitionSlash(p, 45);
        prohibitionSlash(p, -45);
    }));
    out.push_back(withPlate("ch2_aux_truck_no_left", "货车", [](QPainter& p) {
        prohibitionRing(p, colour::white);
        prohibitionSlash(p, 45);
        prohibitionLeftTurnArrow(p);
    }));
    out.push_back(withPlate("ch2_aux_distance_rocks", "前方 300 m", [](QPainter& p) {
        warningFrame(p);
        warningRocks(p);
    }));
    out.push_back(withPlate("ch2_aux_range_no_honking", "向前 200 m", [](QPainter& p) {
        prohibitionRing(p, colour::white);
        prohibitionSlash(p, 45);
        prohibitionHorn(p);
    }));
    out.push_back(withPlate("ch2_aux_except_bus_no_entry", "公交车除外", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour::red);
        p.drawEllipse(QPointF(0, 0), 97, 97);
        p.setBrush(colour::white);
        p.drawRect(QRectF(-64, -14, 128, 28));
    }));
    out.push_back(withPlate("ch2_aux_school_children", "学校", [](QPainter& p) {
        warningFrame(p);
        warningChildren(p);
    }));
}
