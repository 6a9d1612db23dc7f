// The committed artwork is what the generator draws: anyone can redraw it.
#include "hermetic_home.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QtTest>

class ArtTest : public QObject {
    Q_OBJECT

private slots:
    // Captions are text, which each machine's fonts rasterise their own way: the
    // generator draws their boxes in a key colour instead, and every other pixel
    // must be exactly the committed one.
    void theGeneratorRedrawsEveryCommittedPictureAroundItsCaptions() {
        constexpr QRgb kCaptionKey = 0xffff00ff;
        const QTemporaryDir out;
        QProcess generator;
        generator.start(QStringLiteral(ARTGEN), {"--shapes-only", out.path()});
        QVERIFY(generator.waitForFinished(60'000));
        QCOMPARE(generator.exitCode(), 0);
        const QDir committed(QStringLiteral(ART_DIR));
        const QStringList pictures = committed.entryList({"*.png"}, QDir::Files, QDir::Name);
        QCOMPARE(pictures.size(), 15);
        QCOMPARE(QDir(out.path()).entryList({"*.png"}, QDir::Files, QDir::Name), pictures);
        int captioned = 0;
        for (const QString &name : pictures) {
            const QImage shapes = QImage(out.filePath(name)).convertToFormat(QImage::Format_ARGB32);
            const QImage kept =
                QImage(committed.filePath(name)).convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(kept.size(), shapes.size());
            bool hasCaption = false;
            for (int y = 0; y < kept.height(); ++y)
                for (int x = 0; x < kept.width(); ++x) {
                    if (shapes.pixel(x, y) == kCaptionKey) {
                        hasCaption = true;
                        continue;
                    }
                    QVERIFY2(shapes.pixel(x, y) == kept.pixel(x, y),
                             qPrintable(QString("%1 at %2,%3").arg(name).arg(x).arg(y)));
                }
            captioned += hasCaption;
        }
        QCOMPARE(captioned, 10); // the banner, the badge and the eight button faces

        QFile drawnSvg(QDir(out.path()).filePath("icon.svg"));
        QFile keptSvg(committed.filePath("icon.svg"));
        QVERIFY(drawnSvg.open(QIODevice::ReadOnly) && keptSvg.open(QIODevice::ReadOnly));
        QCOMPARE(drawnSvg.readAll(), keptSvg.readAll());
    }

    void picturesHaveTheirSizes() {
        const QDir art(QStringLiteral(ART_DIR));
        QCOMPARE(QImage(art.filePath("banner.png")).height(), 63);
        QCOMPARE(QImage(art.filePath("badge.png")).size(), QSize(145, 22));
        for (const int s : {16, 32, 48, 64, 128})
            QCOMPARE(QImage(art.filePath(QString("icon_%1.png").arg(s))).size(), QSize(s, s));
    }
};

TOLVERA_GUI_TEST_MAIN(ArtTest)
#include "art_test.moc"
