// On a screen scaled to 200 % (this program runs with QT_SCALE_FACTOR=2) a question's picture
// and the verdict mark come from their double-resolution files; the mark keeps its size.
#include "TestProgram.h"
#include "domain/Domain.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

namespace {

void savePicture(const QString& file, int width, int height, const QColor& colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(file));
}

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT
  private slots:
    void picturesAndMarksAreSharp() {
        TestProgram p({choice(1, "C", "1", "A", "sign.jpg"), choice(2, "C", "1", "B", "old.jpg")},
                      settingsWith({{Key::AutoSkip, "0"}}));
        const QString mark = p.folder() + QStringLiteral("/images/mark/");
        savePicture(mark + QStringLiteral("sign.jpg"), 120, 90, Qt::blue);
        savePicture(mark + QStringLiteral("sign@2x.jpg"), 240, 180, Qt::red);
        // A picture from an older bank, drawn once only.
        savePicture(mark + QStringLiteral("old.jpg"), 120, 90, Qt::green);
        for (const char* file : {"yes@2x.gif", "no@2x.gif"})
            QVERIFY(QFile::copy(QStringLiteral(RUNTIME_IMAGES "/") + QLatin1String(file),
                                p.folder() + QStringLiteral("/images/") + QLatin1String(file)));

        frmMain& m = p.start();
        QCOMPARE(m.devicePixelRatioF(), 2.0);
        p.w<QPushButton>("BtnSequence")->click();
        auto* picture = p.w<QLabel>("ImgMarkPic");
        QPixmap shown = picture->pixmap();
        QCOMPARE(shown.devicePixelRatio(), 2.0);
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(picture->size()));
        QVERIFY(picture->width() >= 120);
        const QColor seen = shown.toImage().pixelColor(5, 5);
        QVERIFY(seen.red() > 200 && seen.blue() < 50); // the sharp file (red), not the blue one

        p.w<QPushButton>("BtnA")->click();
        const QPixmap tick = p.w<QLabel>("ImgYesNo")->pixmap();
        QCOMPARE(tick.devicePixelRatio(), 2.0);
        QCOMPARE(tick.size(), QSize(80, 80));

        // Without a sharp copy the picture itself shows, at the same size.
        p.w<QPushButton>("BtnNextQuestion")->click();
        shown = picture->pixmap();
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(picture->size()));
        QVERIFY(shown.toImage().pixelColor(5, 5).green() > 100);
    }
};

QTEST_MAIN(HiDpiTest)
#include "test_hidpi.moc"
