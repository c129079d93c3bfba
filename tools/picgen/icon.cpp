// The program's own icon: a steering wheel over "科一" on a blue tile.
#include "picgen.h"

#include <QBuffer>
#include <QFile>

QImage programIcon() {
    QImage img(256, 256, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    antialias(p);
    QLinearGradient tile(0, 0, 0, 256);
    tile.setColorAt(0, QColor(38, 120, 214));
    tile.setColorAt(1, QColor(12, 70, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    const QPointF hub(128, 104);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour::white, 16));
    p.drawEllipse(hub, 66, 66);
    p.setPen(QPen(colour::white, 14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hub + QPointF(-60, 8), hub + QPointF(60, 8));
    p.drawLine(hub + QPointF(0, 14), hub + QPointF(0, 62));
    p.setPen(Qt::NoPen);
    p.setBrush(colour::white);
    p.drawEllipse(hub + QPointF(0, 8), 18, 18);
    centredText(p, QPointF(128, 212), QStringLiteral("科一"), 50, colour::yellow);
    return img;
}

// An .ico is a directory of images; since Windows Vista each may be a whole PNG file, which
// Qt writes without any image-format plugin.
bool writeWindowsIcon(const QString& path) {
    const QImage icon = programIcon();
    const int sizes[] = {16, 24, 32, 48, 64, 256};
    QList<QByteArray> pngs;
    for (int size : sizes) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (!icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                 .save(&png, "PNG"))
            return false;
        pngs.append(png.data());
    }
    QByteArray ico;
    auto put16 = [&ico](quint16 v) { ico.append(char(v & 0xff)).append(char(v >> 8)); };
    auto put32 = [&](quint32 v) { put16(quint16(v & 0xffff)), put16(quint16(v >> 16)); };
    put16(0); // reserved
    put16(1); // an icon, not a cursor
    put16(quint16(pngs.size()));
    quint32 offset = 6 + 16 * quint32(pngs.size());
    for (qsizetype i = 0; i < pngs.size(); ++i) {
        const int size = sizes[i];
        ico.append(char(size == 256 ? 0 : size)).append(char(size == 256 ? 0 : size));
        ico.append(char(0)).append(char(0)); // no palette
        put16(1);                            // planes
        put16(32);                           // bits per pixel
        put32(quint32(pngs[i].size()));
        put32(offset);
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        ico.append(png);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size() && file.flush();
}
