// The demo: the real window against a simulated web on 127.0.0.1, so that every
// figure fills without any network. With --check FOLDER it runs the site query,
// the keyword ranking and the friend-link audit itself, saves a screenshot of each
// tab into the folder and says which figures stayed empty or failed. With
// --close-mid-run it closes the window while a run waits for its answers.
#include "demo_check.h"
#include "link_pages.h"
#include "shell/picture_button.h"
#include "shell/startup.h"
#include "shell/tform1.h"
#include "simulated_web.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <csignal>
#include <cstdio>

namespace {

constexpr char kSampleSite[] = "shop.localhost";
constexpr char kSampleKeyword[] = "绿茶";

// The sample site's friends: every one with a PageRank, one without a link back.
const std::vector<fakeweb::FriendSite> kFriends = {
    {"teahouse.localhost", true, 4},   {"puer-market.localhost", true, 9},
    {"ceramics.localhost", false, 6},  {"travel-yunnan.localhost", true, 2},
    {"kungfu-tea.localhost", true, 0}, {"green-leaf.localhost", true, 7},
};

QString settingsFolder() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/tolvera-demo";
    QDir().mkpath(folder);
    return folder;
}

// Saves the window showing one tab; prints the picture's path.
void screenshot(tolvera::TForm1 &form, int tab, const QString &path) {
    form.findChild<QTabWidget *>(QStringLiteral("RzPageControl1"))->setCurrentIndex(tab);
    QCoreApplication::processEvents();
    form.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

int check(tolvera::TForm1 &form, const QString &folder) {
    QDir().mkpath(folder);
    const bool overviewEnded = demo::performOverviewRuns(form);
    const bool auditEnded = demo::performAudit(form);
    const QStringList missing =
        demo::missingOverviewFigures(form) + demo::missingAuditFigures(form);
    screenshot(form, 0, folder + "/demo-overview.png");
    screenshot(form, 1, folder + "/demo-links.png");
    if (!overviewEnded)
        std::printf("the site run or the keyword ranking did not end in time\n");
    if (!auditEnded)
        std::printf("the friend-link audit did not end in time\n");
    if (!missing.isEmpty())
        std::printf("empty or failed: %s\n", qPrintable(missing.join(QStringLiteral(", "))));
    return overviewEnded && auditEnded && missing.isEmpty() ? 0 : 1;
}

// Starts every run of both tabs against services and sites that take a minute to
// answer, and closes the window while every worker waits, as a user may: the
// program must end at once.
void closeMidRun(tolvera::TForm1 &form, fakeweb::SimulatedWeb &web) {
    for (int e = 0; e < tolvera::kEndpointCount; ++e)
        web.server(static_cast<tolvera::Endpoint>(e)).setLatency(std::chrono::minutes(1));
    form.links().Button4->click(); // the harvest is answered; every worker then waits
    web.sites().setLatency(std::chrono::minutes(1));
    form.overview().BitBtn1->click();
    form.overview().BitBtn2->click();
    QTimer::singleShot(500, &form, [&form] {
        std::printf("closing\n");
        std::fflush(stdout);
        form.close();
    });
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
    const QString checkFolder = checkAt > 0 && checkAt + 1 < args.size() ? args[checkAt + 1] : "";

    fakeweb::SimulatedWeb web;
    const std::string site = web.siteAddress(kSampleSite);
    fakeweb::installLinkAudit(web, kSampleSite, kFriends);
    web.rankSite(kSampleKeyword, site, 7, 12);

    int code = 0;
    {
        tolvera::TForm1 form({QSystemTrayIcon::isSystemTrayAvailable(), settingsFolder()});
        form.overview().Edit1->setText(QString::fromStdString(site));
        form.overview().TXTGJ1->setText(QString::fromUtf8(kSampleKeyword));
        form.links().Edit8->setText(QString::fromStdString(site));
        QObject::connect(&form, &tolvera::TForm1::closed, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        form.show();
        if (args.contains(QStringLiteral("--close-mid-run")))
            closeMidRun(form, web);
        code = checkFolder.isEmpty() ? app.exec() : check(form, checkFolder);
    }
    // While the simulated web still answers: every worker ends before it goes.
    return tolvera::endProgram(code);
}
