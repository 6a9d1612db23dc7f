// The committed artwork is what the generator draws: anyone can redraw it.
#include "hermetic_home.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QtTest>

class ArtTest : public QObject {
    Q_OBJECT

private slots:
    void theGeneratorRedrawsEveryCommittedPicture() {
        const QTemporaryDir out;
        QProcess generator;
        generator.start(QStringLiteral(ARTGEN), {out.path()});
        QVERIFY(generator.waitForFinished(60'000));
        QCOMPARE(generator.exitCode(), 0);
        const QDir committed(QStringLiteral(ART_DIR));
        const QStringList pictures = committed.entryList({"*.png"}, QDir::Files, QDir::Name);
        QCOMPARE(pictures.size(), 15);
        QCOMPARE(QDir(out.path()).entryList({"*.png"}, QDir::Files, QDir::Name), pictures);
        for (const QString &name : pictures) {
            const QImage drawn(out.filePath(name));
            const QImage kept(committed.filePath(name));
            QVERIFY2(!kept.isNull() && drawn == kept, qPrintable(name));
        }
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
