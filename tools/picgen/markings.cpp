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

// Transverse paint across x0..x1 at y: solid or dashed.
void across(QPainter& p, double x0, double x1, double y, bool dashed, double thick = 6) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::paint);
    if (!dashed) {
        p.drawRect(QRectF(x0, y, x1 - x0, thick));
        return;
    }
    for (double x = x0 + 3; x < x1; x += 20)
        p.drawRect(QRectF(x, y, qMin(12.0, x1 - x), thick));
}

// A U-turn arrow: up the lane at x, round to the left and back down.
void uturnArrow(QPainter& p, QPointF base, double span) {
    QPainterPath path(base);
    path.lineTo(base + QPointF(0, -34));
    path.cubicTo(base + QPointF(0, -62), base + QPointF(-span, -62), base + QPointF(-span, -36));
    arrow(p, path, 5, 12, 16, colour::paint);
}

void bikeLane(QPainter& p, QPointF c) {
    bicycle(p, c, 1.3, colour::paint);
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
    out.push_back(road("ch2_mark_yield_line", [](QPainter& p) {
        verges(p, 30, 210, 0, 56);
        line(p, 120, false, colour::lineYellow, 56, H);
        line(p, 165, true, colour::paint, 80, H);
        across(p, 123, 210, 60, true);
        across(p, 123, 210, 72, true);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::paint);
        for (double x : {143.0, 188.0}) { // inverted triangles, the point towards the driver
            QPolygonF tri{{x - 13, 96}, {x + 13, 96}, {x, 160}};
            p.drawPolygon(tri);
            p.setBrush(colour::asphalt);
            p.drawPolygon(QPolygonF{{x - 7, 101}, {x + 7, 101}, {x, 140}});
            p.setBrush(colour::paint);
        }
    }));
    out.push_back(road("ch2_mark_stop_yield_line", [](QPainter& p) {
        verges(p, 30, 210, 0, 56);
        line(p, 120, false, colour::lineYellow, 56, H);
        across(p, 123, 210, 60, false);
        across(p, 123, 210, 72, false);
        centredText(p, QPointF(166, 128), QStringLiteral("停"), 46, colour::paint, 0.8);
    }));
    out.push_back(road("ch2_mark_kerb_yellow_dashed", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(196, 190, 180));
        p.drawRect(QRectF(190, 0, 50, H));
        p.setBrush(QColor(150, 146, 140));
        p.drawRect(QRectF(187, 0, 5, H));
        line(p, 178, true, colour::lineYellow);
        line(p, 30, true, colour::lineYellow);
        carTop(p, QPointF(140, 120), 0, QColor(60, 120, 200));
    }));
    out.push_back(road("ch2_mark_transverse_slow", [](QPainter& p) {
        edges(p);
        line(p, 120, false, colour::lineYellow);
        double y = 10, gap = 34;
        for (int i = 0; i < 5; ++i) { // groups of three, closer together nearer the hazard
            for (int k = 0; k < 3; ++k)
                across(p, 128, 214, y + k * 8, true, 4);
            y += gap;
            gap -= 3;
        }
        carTop(p, QPointF(170, 168), 0, colour::red, 34);
    }));
    out.push_back(road("ch2_mark_lengthwise_slow", [](QPainter& p) {
        edges(p);
        line(p, 120, false, colour::lineYellow);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::paint);
        for (double x : {132.0, 206.0})
            for (double y = 4; y < H; y += 22)
                p.drawPolygon(QPolygonF{{x, y}, {x + 4, y + 8}, {x, y + 16}, {x - 4, y + 8}});
        carTop(p, QPointF(169, 120), 0, colour::red);
    }));
    out.push_back(road("ch2_mark_parking_bays", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(196, 190, 180));
        p.drawRect(QRectF(0, 0, W, 34));
        p.setBrush(colour::paint);
        p.drawRect(QRectF(10, 100, 220, 4));
        for (double x = 10; x <= 230; x += 44)
            p.drawRect(QRectF(x - 2, 34, 4, 70));
        carTop(p, QPointF(54, 68), 0, QColor(60, 120, 200), 52);
        carTop(p, QPointF(142, 68), 0, QColor(150, 156, 166), 52);
        line(p, 120, true, colour::paint, 110, H);
    }));
    out.push_back(road("ch2_mark_uturn_arrow", [](QPainter& p) {
        verges(p, 30, 210, 0, 40);
        line(p, 30, false, colour::lineYellow, 40, H);
        line(p, 90, false, colour::paint, 52, H);
        line(p, 150, false, colour::paint, 52, H);
        across(p, 32, 210, 46, false);
        uturnArrow(p, QPointF(70, 160), 22);
        roadArrow(p, QPointF(120, 90), 0);
        roadArrow(p, QPointF(180, 90), 0);
    }));
    out.push_back(road("ch2_mark_left_straight_arrow", [](QPainter& p) {
        verges(p, 30, 210, 0, 40);
        line(p, 30, false, colour::lineYellow, 40, H);
        line(p, 90, false, colour::paint, 52, H);
        line(p, 150, false, colour::paint, 52, H);
        across(p, 32, 210, 46, false);
        roadArrow(p, QPointF(60, 90), 0);
        roadArrow(p, QPointF(60, 90), -1);
        roadArrow(p, QPointF(120, 90), 0);
        roadArrow(p, QPointF(180, 90), 0);
        roadArrow(p, QPointF(180, 90), 1);
    }));
    out.push_back(road("ch2_mark_merge_arrow", [](QPainter& p) {
        edges(p);
        line(p, 120, true, colour::paint, 0, H);
        p.setPen(Qt::NoPen);
        p.setBrush(verge);
        p.drawPolygon(QPolygonF{{216, 0}, {240, 0}, {240, H}, {216, H}});
        p.drawPolygon(QPolygonF{{216, 0}, {122, 0}, {216, 70}}); // the right lane ends ahead
        line(p, 22, false, colour::paint);
        QPainterPath path(QPointF(172, 170));
        path.lineTo(172, 132);
        path.quadTo(172, 112, 150, 98);
        arrow(p, path, 5, 13, 17, colour::paint);
        roadArrow(p, QPointF(70, 100), 0);
    }));
    out.push_back(road("ch2_mark_tidal_lane", [](QPainter& p) {
        // The tidal lane lies between two double yellow dashed lines; the lane signals on the
        // gantry ahead open it to this direction now (green arrow) and close the lane beyond
        // it (red cross).
        edges(p);
        for (double x : {64.0, 72.0, 116.0, 124.0})
            line(p, x, true, colour::lineYellow, 40, H);
        line(p, 170, true, colour::paint, 40, H);
        carTop(p, QPointF(43, 74), 180, QColor(200, 200, 204), 38);
        carTop(p, QPointF(94, 128), 0, QColor(60, 120, 200), 38);
        carTop(p, QPointF(147, 98), 0, QColor(210, 60, 50), 38);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 124, 128));
        p.drawRect(QRectF(0, 14, W, 8)); // gantry beam
        const QColor lampGreen(20, 220, 110), lampRed(255, 40, 30);
        for (double x : {43.0, 94.0, 147.0, 194.0}) {
            p.setPen(QPen(QColor(30, 30, 32), 2));
            p.setBrush(QColor(12, 12, 14));
            p.drawRoundedRect(QRectF(x - 15, 3, 30, 30), 3, 3);
            if (x < 60) {
                stroke(p, QPolygonF{{x - 8, 10}, {x + 8, 26}}, 4, lampRed, Qt::RoundCap);
                stroke(p, QPolygonF{{x + 8, 10}, {x - 8, 26}}, 4, lampRed, Qt::RoundCap);
            } else {
                arrow(p, polyPath(QPolygonF{{x, 8}, {x, 17}}), 4, 9, 14, lampGreen);
            }
        }
    }));
    out.push_back(road("ch2_mark_straight_waiting", [](QPainter& p) {
        verges(p, 30, 210, 0, 112);
        line(p, 30, false, colour::lineYellow, 112, H);
        line(p, 90, false, colour::paint, 124, H);
        line(p, 150, false, colour::paint, 124, H);
        across(p, 32, 210, 118, false, 7);
        for (double x : {94.0, 146.0})
            line(p, x, true, colour::paint, 30, 112);
        p.setBrush(colour::paint);
        for (double x = 94; x < 148; x += 14)
            p.drawRect(QRectF(x, 24, 9, 4));
        centredText(p, QPointF(120, 56), QStringLiteral("直行"), 15, colour::paint, 0.9);
        centredText(p, QPointF(120, 80), QStringLiteral("待行区"), 15, colour::paint, 0.9);
        roadArrow(p, QPointF(60, 134), -1);
        roadArrow(p, QPointF(120, 134), 0);
        roadArrow(p, QPointF(180, 134), 1);
    }));
    out.push_back(road("ch2_mark_bike_lane", [](QPainter& p) {
        line(p, 22, false, colour::paint);
        line(p, 120, false, colour::lineYellow);
        line(p, 172, false, colour::paint);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(196, 190, 180));
        p.drawRect(QRectF(220, 0, 20, H));
        bikeLane(p, QPointF(197, 96));
        carTop(p, QPointF(146, 130), 0, colour::red);
    }));
    out.push_back(road("ch2_mark_turn_guide_lines", [](QPainter& p) {
        verges(p, 70, 170, 50, 130);
        line(p, 120, false, colour::lineYellow, 130, H);
        line(p, 120, false, colour::lineYellow, 0, 50);
        p.setPen(QPen(colour::paint, 3, Qt::CustomDashLine));
        p.setBrush(Qt::NoBrush);
        QPen pen(colour::paint, 3);
        pen.setDashPattern({4, 3});
        p.setPen(pen);
        QPainterPath a(QPointF(132, 130));
        a.cubicTo(132, 100, 110, 72, 70, 68);
        QPainterPath b(QPointF(108, 130));
        b.cubicTo(108, 110, 94, 96, 70, 94);
        p.drawPath(a);
        p.drawPath(b);
        carTop(p, QPointF(120, 98), -50, colour::red, 34);
    }));
    out.push_back(road("ch2_mark_distance_check", [](QPainter& p) {
        edges(p);
        line(p, 120, true, colour::paint);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::paint);
        for (double y : {24.0, 96.0, 168.0}) {
            p.drawRect(QRectF(30, y, 82, 8));
            p.drawRect(QRectF(128, y, 82, 8));
        }
        p.setBrush(verge);
        p.drawRect(QRectF(0, 0, 18, H));
        carTop(p, QPointF(74, 60), 0, QColor(150, 156, 166), 38);
        carTop(p, QPointF(74, 140), 0, colour::red, 38);
    }));
    out.push_back(road("ch2_mark_accel_lane", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(verge);
        p.drawRect(QRectF(0, 0, 14, H));
        p.drawPolygon(QPolygonF{{240, 0}, {212, 0}, {212, 90}, {240, 150}}); // the ramp joins below
        line(p, 20, false, colour::lineYellow);
        line(p, 84, true, colour::paint);
        p.setBrush(colour::paint);
        for (double y = 4; y < H; y += 24) // thick short dashes along the merging lane
            p.drawRect(QRectF(146, y, 8, 12));
        p.drawRect(QRectF(209, 0, 5, 92));
        carTop(p, QPointF(116, 40), 0, QColor(150, 156, 166), 38);
        carTop(p, QPointF(182, 120), -8, colour::red, 38);
        p.setBrush(QColor(255, 170, 0));
        p.drawEllipse(QPointF(171, 101), 3, 3); // left indicator
    }));
    out.push_back(road("ch2_mark_emergency_lane", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(verge);
        p.drawRect(QRectF(0, 0, 14, H));
        p.drawRect(QRectF(226, 0, 14, H));
        line(p, 20, false, colour::lineYellow);
        line(p, 92, true, colour::paint);
        line(p, 170, false, colour::paint); // edge line; the emergency lane lies beyond it
        for (double y : {20.0, 76.0, 132.0}) {
            carTop(p, QPointF(56, y), 0, QColor(150, 156, 166), 38);
            carTop(p, QPointF(131, y + 12), 0, QColor(60, 120, 200), 38);
        }
        carTop(p, QPointF(198, 150), -12, colour::red, 38);
    }));
    out.push_back(road("ch2_mark_white_solid_dashed_edge", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(196, 190, 180));
        p.drawRect(QRectF(222, 0, 18, H));
        line(p, 22, false, colour::lineYellow);
        line(p, 100, true, colour::paint);
        line(p, 170, false, colour::paint); // solid on the lane side
        line(p, 180, true, colour::paint);  // dashed on the parking-strip side
        carTop(p, QPointF(202, 60), 0, QColor(60, 120, 200), 38);
        carTop(p, QPointF(136, 130), 0, colour::red, 38);
    }));
}
