// Drawing helpers shared by all picture groups.
#include "picgen.h"

#include <QFont>
#include <QtMath>

namespace {
int pictureScale = 1;
}

void setPictureScale(int scale) {
    pictureScale = scale;
}

QImage canvas(int w, int h, const QColor& bg) {
    QImage img(w * pictureScale, h * pictureScale, QImage::Format_RGB32);
    img.setDevicePixelRatio(pictureScale);
    img.fill(bg);
    return img;
}

void antialias(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QImage sign(const std::function<void(QPainter&)>& body) {
    QImage img = canvas(160, 160, colour::white);
    QPainter p(&img);
    antialias(p);
    p.translate(80, 80);
    p.scale(0.78, 0.78);
    body(p);
    return img;
}

QFont cjkFont(double px, bool bold) {
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(qMax(1, qRound(px)));
    f.setBold(bold);
    return f;
}

void centredText(QPainter& p, QPointF c, const QString& text, double px, const QColor& col,
                 double xScale, bool bold) {
    // Works on the glyph outlines so the ink, not the line box, sits on `c`.
    QPainterPath path;
    path.addText(0, 0, cjkFont(px, bold), text);
    const QRectF r = path.boundingRect();
    p.save();
    p.translate(c);
    p.scale(xScale, 1.0);
    p.translate(-r.center());
    p.fillPath(path, col);
    p.restore();
}

void stroke(QPainter& p, const QPainterPath& path, double width, const QColor& col,
            Qt::PenCapStyle cap, Qt::PenJoinStyle join) {
    p.save();
    p.setPen(QPen(col, width, Qt::SolidLine, cap, join));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

QPainterPath polyPath(const QPolygonF& pts) {
    QPainterPath path;
    path.addPolygon(pts);
    return path;
}

void stroke(QPainter& p, const QPolygonF& line, double width, const QColor& col,
            Qt::PenCapStyle cap) {
    stroke(p, polyPath(line), width, col, cap, cap == Qt::RoundCap ? Qt::RoundJoin : Qt::MiterJoin);
}

void arrow(QPainter& p, const QPainterPath& path, double width, double headLen, double headWidth,
           const QColor& col) {
    stroke(p, path, width, col);
    const double a = qDegreesToRadians(path.angleAtPercent(1.0));
    const QPointF dir(qCos(a), -qSin(a)); // Qt angles run counter-clockwise on screen
    const QPointF side(-dir.y(), dir.x());
    const QPointF base = path.pointAtPercent(1.0) - dir * 0.5; // overlap hides the seam
    QPolygonF head{base + side * (headWidth / 2), base + dir * (headLen + 0.5),
                   base - side * (headWidth / 2)};
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPolygon(head);
    p.restore();
}

void walker(QPainter& p, QPointF foot, double h, const QColor& col) {
    p.save();
    p.translate(foot);
    p.scale(h / 100.0, h / 100.0);
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawEllipse(QPointF(6, -89), 9.5, 9.5);
    const QPointF hip(-1, -42), shoulder(3, -72);
    stroke(p, QPolygonF{shoulder, hip}, 14, col, Qt::RoundCap);
    stroke(p, QPolygonF{shoulder, {14, -56}, {22, -44}}, 8, col, Qt::RoundCap);
    stroke(p, QPolygonF{shoulder, {-9, -58}, {-16, -46}}, 8, col, Qt::RoundCap);
    stroke(p, QPolygonF{hip, {12, -22}, {20, -3}}, 10, col, Qt::RoundCap);
    stroke(p, QPolygonF{hip, {-9, -22}, {-22, -5}}, 10, col, Qt::RoundCap);
    p.restore();
}

void bicycle(QPainter& p, QPointF c, double s, const QColor& col) {
    p.save();
    p.translate(c);
    p.scale(s, s);
    const QPointF rear(-16, 8), front(16, 8), crank(-1, 8), seat(-6, -6), head(11, -6);
    p.setPen(QPen(col, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(rear, 10, 10);
    p.drawEllipse(front, 10, 10);
    stroke(p, QPolygonF{rear, crank, seat, rear}, 2.2, col, Qt::RoundCap);
    stroke(p, QPolygonF{seat, head, crank}, 2.2, col, Qt::RoundCap);
    stroke(p, QPolygonF{front, head, {9, -11}, {14, -12}}, 2.2, col, Qt::RoundCap);
    stroke(p, QPolygonF{{-10, -7}, {-3, -7}}, 3, col, Qt::RoundCap);
    p.restore();
}

void carTop(QPainter& p, QPointF c, double angle, const QColor& body, double len) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    p.scale(len / 44.0, len / 44.0);
    p.setPen(QPen(body.darker(160), 1.2));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(-10.5, -22, 21, 44), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 50, 64));
    p.drawPolygon(QPolygonF{{-8.5, -9}, {8.5, -9}, {7, -3}, {-7, -3}});     // windscreen
    p.drawPolygon(QPolygonF{{-7.5, 12}, {7.5, 12}, {8.5, 16}, {-8.5, 16}}); // rear window
    p.setBrush(QColor(255, 240, 170));
    p.drawEllipse(QPointF(-6.5, -20.5), 2.2, 1.3);
    p.drawEllipse(QPointF(6.5, -20.5), 2.2, 1.3);
    p.restore();
}

Picture scenePicture(const char* name, std::function<void(QPainter&)> body, QColor bg) {
    return {QString::fromLatin1(name), [body, bg] {
                QImage img = canvas(240, 180, bg);
                QPainter p(&img);
                antialias(p);
                body(p);
                return img;
            }};
}

void box(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRect(r);
}
