// picgen OUTDIR: writes yes.gif, no.gif, the icon kemu1.png and mark/*.jpg for the question bank.
// picgen --ico FILE: writes the icon as a Windows .ico, for the Windows executable's resources.
#include "picgen.h"

#include <QDir>
#include <QGuiApplication>
#include <QSet>

#include <cstdio>

QImage missingPicture() {
    QImage img = canvas(240, 150, QColor(226, 226, 226));
    QPainter p(&img);
    antialias(p);
    const QColor ink(140, 140, 140);
    // A picture frame torn diagonally: the usual "broken image" glyph.
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF{{126, 22}, {92, 22}, {92, 86}, {112, 86}, {120, 70}, {112, 56}, {126, 40}});
    p.drawPolyline(
        QPolygonF{{136, 30}, {148, 30}, {148, 86}, {124, 86}, {132, 70}, {124, 56}, {136, 40}});
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF{{96, 82}, {104, 66}, {110, 76}, {110, 82}});
    p.drawEllipse(QPointF(102, 36), 5, 5);
    centredText(p, QPointF(120, 116), QStringLiteral("图片无法显示"), 20, QColor(110, 110, 110),
                1.0, false);
    return img;
}

int main(int argc, char** argv) {
    const bool ico = argc == 3 && qstrcmp(argv[1], "--ico") == 0;
    if (argc != 2 && !ico) {
        std::fprintf(stderr, "usage: picgen OUTDIR | picgen --ico FILE\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen"); // must run without a display
    QGuiApplication app(argc, argv);
    if (ico) {
        if (writeWindowsIcon(QString::fromLocal8Bit(argv[2]))) return 0;
        std::fprintf(stderr, "picgen: cannot write %s\n", argv[2]);
        return 1;
    }

    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("mark"))) {
        std::fprintf(stderr, "picgen: cannot create %s/mark\n", argv[1]);
        return 1;
    }
    const QString markDir = out.filePath(QStringLiteral("mark"));

    Pictures pics;
    addWarningSigns(pics);
    addProhibitionSigns(pics);
    addMandatorySigns(pics);
    addGuideSigns(pics);
    addMarkings(pics);
    addSignals(pics);
    addScenes(pics);
    addLamps(pics);
    addGestures(pics);
    addWorkZoneSigns(pics);
    addSituations(pics);
    addWeatherScenes(pics);
    addHazardPictures(pics);
    pics.push_back({QStringLiteral("noneerr"), missingPicture});

    int failures = 0;
    // Each picture at its size, and twice as sharp beside it (name@2x.jpg) for screens
    // scaled to 150 % and more.
    for (int scale : {1, 2}) {
        setPictureScale(scale);
        const QString suffix = scale == 1 ? QStringLiteral(".jpg") : QStringLiteral("@2x.jpg");
        QSet<QString> seen;
        for (const Picture& pic : pics) {
            const QImage img = pic.draw();
            const QSizeF size = img.deviceIndependentSize();
            const QString path = QDir(markDir).filePath(pic.name + suffix);
            const bool ok = !seen.contains(pic.name) && size.width() <= 280 &&
                            size.height() <= 200 && img.save(path, "JPG", 90);
            if (!ok) {
                std::fprintf(stderr, "picgen: failed on %s\n", qPrintable(pic.name + suffix));
                ++failures;
            }
            seen.insert(pic.name);
        }
    }
    setPictureScale(1);
    // The big icon is for the desktop menu; the window title bar takes the small one.
    const QImage icon = programIcon();
    if (!icon.save(out.filePath(QStringLiteral("kemu1.png"))) ||
        !icon.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation)
             .save(out.filePath(QStringLiteral("kemu1-48.png")))) {
        std::fprintf(stderr, "picgen: cannot write the program icon\n");
        ++failures;
    }
    if (!writeVerdictGifs(out.path())) {
        std::fprintf(stderr, "picgen: cannot write the verdict marks\n");
        ++failures;
    }
    std::printf("picgen: %lld pictures in %s\n", qlonglong(pics.size()), qPrintable(markDir));
    return failures ? 1 : 0;
}
