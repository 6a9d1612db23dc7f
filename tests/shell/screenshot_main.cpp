// Shows the window as a fresh start does (bundled vendor pages, no settings)
// and saves a picture of each tab: scripts/screenshot runs it under Xvfb.
#include "shell/tform1.h"
#include "shell/vendor_panes.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tolvera_screenshot <overview.png> <links.png>\n");
        return 2;
    }
    const QString overview = QString::fromLocal8Bit(argv[1]);
    const QString links = QString::fromLocal8Bit(argv[2]);
    const QTemporaryDir documents; // no one's real settings in the picture
    tolvera::TForm1 form({false, documents.path()});
    int settled = 0;
    auto grabWhenSettled = [&] {
        if (++settled < 2)
            return;
        // One more turn of the loop so that the panes have painted their pages.
        QTimer::singleShot(100, &app, [&] {
            bool saved = form.grab().save(overview);
            form.findChild<QTabWidget *>(QStringLiteral("RzPageControl1"))->setCurrentIndex(1);
            saved = form.grab().save(links) && saved;
            app.exit(saved ? 0 : 1);
        });
    };
    QObject::connect(&form.leftPane(), &tolvera::VendorPane::settled, &app, grabWhenSettled);
    QObject::connect(&form.bottomPane(), &tolvera::VendorPane::settled, &app, grabWhenSettled);
    form.show();
    return app.exec();
}
