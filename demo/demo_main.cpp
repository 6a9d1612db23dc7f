// The demo: the real window against a simulated web on 127.0.0.1, so that every
// figure fills without any network. With --check PNG it runs the site query and
// the keyword ranking itself, saves a screenshot and says which figures failed.
#include "demo_check.h"
#include "rank_pages.h"
#include "shell/startup.h"
#include "shell/tform1.h"
#include "simulated_web.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <csignal>
#include <cstdio>

namespace {

constexpr char kSampleSite[] = "shop.localhost";
constexpr char kSampleTitle[] = "晨光茶叶商城 - 首页";
constexpr char kSampleKeyword[] = "绿茶";

QString settingsFolder() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/tolvera-demo";
    QDir().mkpath(folder);
    return folder;
}

int check(tolvera::TForm1 &form, const QString &screenshot) {
    const bool ended = demo::performRuns(form);
    const QStringList missing = demo::missingFigures(form);
    form.grab().save(screenshot);
    std::printf("%s\n", qPrintable(screenshot));
    if (!ended)
        std::printf("the runs did not reach 100 %% in time\n");
    if (!missing.isEmpty())
        std::printf("empty or failed: %s\n", qPrintable(missing.join(QStringLiteral(", "))));
    return ended && missing.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    std::printf("Tolvera站长工具 demo: every figure comes from simulated data on 127.0.0.1, "
                "not from the real services.\n");
    std::fflush(stdout);
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const qsizetype checkAt = args.indexOf(QStringLiteral("--check"));
    const QString screenshot = checkAt > 0 && checkAt + 1 < args.size() ? args[checkAt + 1] : "";

    int code = 0;
    {
        fakeweb::SimulatedWeb web;
        const std::string site = web.siteAddress(kSampleSite);
        web.setHomePage(kSampleSite, fakeweb::Reply{200, fakeweb::homePage(kSampleTitle),
                                                    "text/html; charset=utf-8"});
        web.rankSite(kSampleKeyword, site, 7, 12);

        tolvera::TForm1 form({QSystemTrayIcon::isSystemTrayAvailable(), settingsFolder()});
        form.overview().Edit1->setText(QString::fromStdString(site));
        form.overview().TXTGJ1->setText(QString::fromUtf8(kSampleKeyword));
        QObject::connect(&form, &tolvera::TForm1::closed, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        form.show();
        code = screenshot.isEmpty() ? app.exec() : check(form, screenshot);
    }
    return tolvera::endProgram(code);
}
