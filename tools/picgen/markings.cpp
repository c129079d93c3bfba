// Road markings seen from above; the top of each picture is the way ahead.
#include "picgen.h"

namespace {

constexpr int W = 240, H = 180;
const QColor verge(118, 150, 96);

Picture road(const char* name, std::function<void(QPainter&)> body) {
    return {QString::fromLatin1(name), [body] {
                QImage img = canvas(W, H, colour::asphalt);
                QPainter p(&img);
                antialias(p);
                body(p);
                return img;
            }};
}

void line(QPainter& p, double x, bool dashed, const QColor& c, double y0 = 0, double y1 = H) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    if (!dashed) {
        p.drawRect(QRectF(x - 2.5, y0, 5, y1 - y0));
        return;
    }
    for (double y = y0 + 6; y < y1; y += 38)
        p.drawRect(QRectF(x - 2.5, y, 5, qMin(22.0, y1 - y)));
}

// A painted guide arrow whose head ends at `tip`; kind -1 left, 0 ahead, 1 right.
void roadArrow(QPainter& p, QPointF tip, int kind) {
    if (kind == 0) {
        arrow(p, polyPath(QPolygonF{tip + QPointF(0, 60), tip + QPointF(0, 14)}), 5, 14, 16,
              colour::paint);
        return;
    }
    QPainterPath path(tip + QPointF(0, 60));
    path.lineTo(tip + QPointF(0, 26));
    path.quadTo(tip + QPointF(0, 12), tip + QPointF(kind * 12, 10));
    arrow(p, path, 5, 12, 16, colour::paint);
}

void edges(QPainter& p) {
    line(p, 22, false, colour::paint);
    line(p, 218, false, colour::paint);
}

void verges(QPainter& p, double x0, double x1, double y0, double y1) {
    p.setPen(Qt::NoPen);
    p.setBrush(verge);
    p.drawRect(QRectF(0, y1, x0, H - y1));
    p.drawRect(QRectF(x1, y1, W - x1, H - y1));
    p.drawRect(QRectF(0, 0, x0, y0));
    p.drawRect(QRectF(x1, 0, W - x1, y0));
}

} // namespace

void addMarkings(Pictures& out) {
    out.push_back(road("ch2_mark_yellow_dashed_centre", [](QPainter& p) {
        edges(p);
        line(p, 120, true, colour::lineYellow);
    }));
    out.push_back(road("ch2_mark_yellow_solid_centre", [](QPainter& p) {
        edges(p);
        line(p, 120, false, colour::lineYellow);
    }));
    out.push_back(road("ch2_mark_double_yellow", [](QPainter& p) {
        edges(p);
        line(p, 114, false, colour::lineYellow);
        line(p, 126, false, colour::lineYellow);
    }));
    out.push_back(road("ch2_mark_yellow_solid_dashed", [](QPainter& p) {
        edges(p);
        line(p, 114, false, colour::lineYellow);
        line(p, 126, true, colour::lineYellow);
        carTop(p, QPointF(172, 120), 0, colour::red);
    }));
    out.push_back(road("ch2_mark_white_dashed_lanes", [](QPainter& p) {
        line(p, 22, false, colour::lineYellow);
        line(p, 218, false, colour::paint);
        line(p, 87, true, colour::paint);
        line(p, 153, true, colour::paint);
    }));
    out.push_back(road("ch2_mark_white_solid_lanes", [](QPainter& p) {
        line(p, 22, false, colour::lineYellow);
        line(p, 218, false, colour::paint);
        line(p, 87, false, colour::paint);
        line(p, 153, false, colour::paint);
        for (double x : {54.0, 120.0, 186.0})
            roadArrow(p, QPointF(x, 40), 0);
    }));
    out.push_back(road("ch2_mark_stop_line", [](QPainter& p) {
        verges(p, 30, 210, 0, 64);
        line(p, 120, false, colour::lineYellow, 64, H);
        line(p, 165, false, colour::paint, 76, H);
        p.setBrush(colour::paint);
        p.drawRect(QRectF(123, 70, 87, 9));
        roadArrow(p, QPointF(143, 100), 0);
        roadArrow(p, QPointF(188, 100), 1);
    }));
    out.push_back(road("ch2_mark_zebra", [](QPainter& p) {
        edges(p);
        line(p, 120, true, colour::lineYellow, 0, 60);
        line(p, 120, true, colour::lineYellow, 120, H);
        p.setBrush(colour::paint);
        for (double x = 30; x < 212; x += 22)
            p.drawRect(QRectF(x, 66, 12, 48));
    }));
    out.push_back(road("ch2_mark_crosswalk_ahead", [](QPainter& p) {
        edges(p);
        line(p, 120, false, colour::lineYellow, 40, H);
        p.setBrush(colour::paint);
        for (double x = 30; x < 212; x += 22)
            p.drawRect(QRectF(x, 4, 12, 30));
        p.setPen(QPen(colour::paint, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(QPolygonF{{170, 78}, {186, 120}, {170, 162}, {154, 120}});
    }));
    out.push_back(road("ch2_mark_guide_arrows", [](QPainter& p) {
        verges(p, 30, 210, 0, 50);
        line(p, 30, false, colour::lineYellow, 50, H);
        line(p, 90, false, colour::paint, 62, H);
        line(p, 150, false, colour::paint, 62, H);
        p.setBrush(colour::paint);
        p.drawRect(QRectF(32, 56, 178, 7));
        roadArrow(p, QPointF(64, 92), -1);
        roadArrow(p, QPointF(120, 92), 0);
        roadArrow(p, QPointF(176, 92), 1);
    }));
    out.push_back(road("ch2_mark_yellow_grid", [](QPainter& p) {
        verges(p, 70, 170, 40, 140);
        p.save();
        QPainterPath box;
        box.addRect(QRectF(74, 44, 92, 92));
        p.setClipPath(box);
        for (double d = -100; d <= 100; d += 20) {
            stroke(p, QPolygonF{{120 + d - 60, 30}, {120 + d + 60, 150}}, 3, colour::lineYellow);
            stroke(p, QPolygonF{{120 + d + 60, 30}, {120 + d - 60, 150}}, 3, colour::lineYellow);
        }
        p.restore();
        p.setPen(QPen(colour::lineYellow, 4));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(74, 44, 92, 92));
    }));
    out.push_back(road("ch2_mark_variable_lane", [](QPainter& p) {
        verges(p, 30, 210, 0, 40);
        line(p, 30, false, colour::lineYellow, 40, H);
        p.setBrush(colour::paint);
        p.drawRect(QRectF(32, 46, 178, 7));
        for (double x : {90.0, 150.0}) {
            QPolygonF zig;
            for (int i = 0; i <= 8; ++i)
                zig << QPointF(x + (i % 2 ? 7 : -7), 56 + i * 15.5);
            stroke(p, zig, 3.5, colour::paint);
        }
        roadArrow(p, QPointF(60, 82), -1);
        roadArrow(p, QPointF(180, 82), 1);
    }));
    out.push_back(road("ch2_mark_diversion", [](QPainter& p) {
        edges(p);
        line(p, 70, true, colour::paint);
        const QPolygonF gore{{150, 176}, {118, 8}, {182, 8}};
        p.save();
        p.setClipPath(polyPath(gore));
        for (double y = -60; y < H; y += 16)
            stroke(p, QPolygonF{{100, y}, {200, y + 60}}, 5, colour::paint);
        p.restore();
        p.setPen(QPen(colour::paint, 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(gore);
    }));
    out.push_back(road("ch2_mark_kerb_yellow_solid", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(196, 190, 180));
        p.drawRect(QRectF(190, 0, 50, H));
        p.setBrush(QColor(150, 146, 140));
        p.drawRect(QRectF(187, 0, 5, H));
        line(p, 178, false, colour::lineYellow);
        line(p, 30, true, colour::lineYellow);
        carTop(p, QPointF(140, 120), 0, QColor(60, 120, 200));
    }));
    out.push_back(road("ch2_mark_bus_lane", [](QPainter& p) {
        edges(p);
        line(p, 120, true, colour::paint);
        line(p, 160, true, colour::lineYellow);
        centredText(p, QPointF(189, 64), QStringLiteral("公交"), 22, colour::lineYellow, 0.9);
        centredText(p, QPointF(189, 96), QStringLiteral("专用"), 22, colour::lineYellow, 0.9);
    }));
    out.push_back(road("ch2_mark_left_turn_waiting", [](QPainter& p) {
        verges(p, 30, 210, 0, 112);
        line(p, 30, false, colour::lineYellow, 112, H);
        line(p, 90, false, colour::paint, 124, H);
        p.setBrush(colour::paint);
        p.drawRect(QRectF(32, 118, 178, 7));
        for (double x : {34.0, 86.0})
            line(p, x, true, colour::paint, 30, 112);
        for (double x = 34; x < 88; x += 14) // dashed stop line at the front of the zone
            p.drawRect(QRectF(x, 24, 9, 4));
        centredText(p, QPointF(60, 56), QStringLiteral("左弯"), 15, colour::paint, 0.9);
        centredText(p, QPointF(60, 80), QStringLiteral("待转区"), 15, colour::paint, 0.9);
        roadArrow(p, QPointF(60, 134), -1);
        roadArrow(p, QPointF(150, 134), 0);
    }));
}
