// The right/wrong marks, written as GIF89a with a small LZW encoder (Qt cannot write GIF).
#include "picgen.h"

#include <QDir>
#include <QFile>

#include <cstdint>
#include <map>
#include <utility>

namespace {

constexpr int side = 40, paletteSize = 16, minCodeSize = 4;

class BitWriter {
  public:
    void put(int code, int width) {
        acc |= std::uint32_t(code) << bits;
        bits += width;
        while (bits >= 8) {
            bytes.push_back(char(acc & 0xff));
            acc >>= 8;
            bits -= 8;
        }
    }
    QByteArray finish() {
        if (bits > 0) bytes.push_back(char(acc & 0xff));
        return bytes;
    }

  private:
    QByteArray bytes;
    std::uint32_t acc = 0;
    int bits = 0;
};

QByteArray lzw(const QByteArray& pixels) {
    const int clear = 1 << minCodeSize, stop = clear + 1;
    std::map<std::pair<int, int>, int> dict;
    int next = stop + 1, width = minCodeSize + 1;
    BitWriter out;
    out.put(clear, width);
    int prefix = std::uint8_t(pixels[0]);
    for (qsizetype i = 1; i < pixels.size(); ++i) {
        const int c = std::uint8_t(pixels[i]);
        const auto it = dict.find({prefix, c});
        if (it != dict.end()) {
            prefix = it->second;
            continue;
        }
        out.put(prefix, width);
        if (next < 4096) {
            dict[{prefix, c}] = next;
            if (next >= (1 << width) && width < 12) ++width;
            ++next;
        } else { // table full: start afresh so the decoder stays in step
            out.put(clear, width);
            dict.clear();
            next = stop + 1;
            width = minCodeSize + 1;
        }
        prefix = c;
    }
    out.put(prefix, width);
    out.put(stop, width);
    return out.finish();
}

void le16(QByteArray& b, int v) {
    b.push_back(char(v & 0xff));
    b.push_back(char((v >> 8) & 0xff));
}

// Palette: a ramp from white to the mark colour; each pixel takes the nearest entry.
QByteArray gif(const QImage& img, const QColor& ink) {
    QList<QRgb> palette;
    for (int i = 0; i < paletteSize; ++i) {
        const double t = double(i) / (paletteSize - 1);
        palette << qRgb(qRound(255 + (ink.red() - 255) * t), qRound(255 + (ink.green() - 255) * t),
                        qRound(255 + (ink.blue() - 255) * t));
    }
    QByteArray pixels;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb px = img.pixel(x, y);
            int best = 0, bestDist = INT_MAX;
            for (int i = 0; i < paletteSize; ++i) {
                const int dr = qRed(px) - qRed(palette[i]), dg = qGreen(px) - qGreen(palette[i]),
                          db = qBlue(px) - qBlue(palette[i]);
                const int d = dr * dr + dg * dg + db * db;
                if (d < bestDist) {
                    bestDist = d;
                    best = i;
                }
            }
            pixels.push_back(char(best));
        }

    QByteArray b("GIF89a");
    le16(b, img.width());
    le16(b, img.height());
    b.push_back(char(0xF3)); // global table, 8-bit colour resolution, 16 entries
    b.push_back(char(0));    // background index
    b.push_back(char(0));    // square pixels
    for (QRgb c : palette) {
        b.push_back(char(qRed(c)));
        b.push_back(char(qGreen(c)));
        b.push_back(char(qBlue(c)));
    }
    // Index 0 (pure white) is transparent, so the mark sits on any skin's background.
    b.append("\x21\xF9\x04\x01\x00\x00\x00\x00", 8);
    b.push_back(',');
    le16(b, 0);
    le16(b, 0);
    le16(b, img.width());
    le16(b, img.height());
    b.push_back(char(0));
    b.push_back(char(minCodeSize));
    const QByteArray data = lzw(pixels);
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const QByteArray chunk = data.mid(i, 255);
        b.push_back(char(chunk.size()));
        b.append(chunk);
    }
    b.push_back(char(0));
    b.push_back(';');
    return b;
}

QImage mark(bool right, const QColor& ink, int scale) {
    QImage img = canvas(side * scale, side * scale, colour::white);
    QPainter p(&img);
    antialias(p);
    p.scale(scale, scale);
    if (right)
        stroke(p, QPolygonF{{8, 21}, {17, 30}, {33, 10}}, 6, ink, Qt::RoundCap);
    else {
        stroke(p, QPolygonF{{10, 10}, {30, 30}}, 6, ink, Qt::RoundCap);
        stroke(p, QPolygonF{{30, 10}, {10, 30}}, 6, ink, Qt::RoundCap);
    }
    return img;
}

bool save(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

} // namespace

// Each mark at its size, and twice as sharp beside it (yes@2x.gif) for scaled screens.
bool writeVerdictGifs(const QString& dir) {
    const QColor tick(0, 150, 40), cross(215, 20, 20);
    for (int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QStringLiteral(".gif") : QStringLiteral("@2x.gif");
        if (!save(QDir(dir).filePath(QStringLiteral("yes") + suffix),
                  gif(mark(true, tick, scale), tick)) ||
            !save(QDir(dir).filePath(QStringLiteral("no") + suffix),
                  gif(mark(false, cross, scale), cross)))
            return false;
    }
    return true;
}
