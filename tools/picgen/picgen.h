// Shared declarations of the picture generator.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

#include <functional>
#include <vector>

struct Picture {
    QString name; // file name under mark/, without ".jpg"
    std::function<QImage()> draw;
};
using Pictures = std::vector<Picture>;

namespace colour {
inline const QColor red{214, 28, 36};
inline const QColor yellow{250, 200, 0};
inline const QColor blue{0, 84, 166};
inline const QColor green{0, 122, 72};
inline const QColor black{20, 20, 20};
inline const QColor white{255, 255, 255};
inline const QColor asphalt{78, 80, 84};
inline const QColor paint{240, 240, 236};
inline const QColor lineYellow{240, 186, 0};
} // namespace colour

void addWarningSigns(Pictures& out);
void addProhibitionSigns(Pictures& out);
void addMandatorySigns(Pictures& out);
void addGuideSigns(Pictures& out);
void addMarkings(Pictures& out);
void addSignals(Pictures& out);
void addScenes(Pictures& out);
void addLamps(Pictures& out);
void addGestures(Pictures& out);
void addWorkZoneSigns(Pictures& out);
void addSituations(Pictures& out);
void addWeatherScenes(Pictures& out);
void addHazardPictures(Pictures& out);

QImage missingPicture();
QImage programIcon();
// The icon as a Windows .ico: PNG images at the sizes Explorer and the taskbar ask for.
bool writeWindowsIcon(const QString& path);
bool writeVerdictGifs(const QString& dir);

// Helpers (common.cpp).
// A w×h picture; at a scale above 1 it holds that many pixels per point (its device pixel
// ratio), so the same drawing comes out sharp for high-DPI screens.
QImage canvas(int w, int h, const QColor& bg);
void setPictureScale(int scale);
void antialias(QPainter& p);

// A 240x180 scene on `bg`; `body` paints in pixels.
Picture scenePicture(const char* name, std::function<void(QPainter&)> body, QColor bg);
// A filled rectangle without an outline.
void box(QPainter& p, const QRectF& r, const QColor& c);

// A 160x160 sign on white; `body` paints in units where the sign spans -100..100.
QImage sign(const std::function<void(QPainter&)>& body);

QFont cjkFont(double px, bool bold = true);
// Text centred on its ink at `c`; xScale < 1 narrows it like sign lettering.
void centredText(QPainter& p, QPointF c, const QString& text, double px, const QColor& col,
                 double xScale = 1.0, bool bold = true);

void stroke(QPainter& p, const QPainterPath& path, double width, const QColor& col,
            Qt::PenCapStyle cap = Qt::FlatCap, Qt::PenJoinStyle join = Qt::MiterJoin);
void stroke(QPainter& p, const QPolygonF& line, double width, const QColor& col,
            Qt::PenCapStyle cap = Qt::FlatCap);
// A shaft along `path` with a triangular head added beyond the path's end.
void arrow(QPainter& p, const QPainterPath& path, double width, double headLen, double headWidth,
           const QColor& col);
QPainterPath polyPath(const QPolygonF& pts);

// A walking person (side view) standing on `foot`, about `h` units tall.
void walker(QPainter& p, QPointF foot, double h, const QColor& col);
void bicycle(QPainter& p, QPointF c, double s, const QColor& col);
// A car seen from above, pointing up when angle is 0 (degrees, clockwise).
void carTop(QPainter& p, QPointF c, double angle, const QColor& body, double len = 44);
