// Runs over their whole life in the real window: stopped mid-fetch and started
// again on both tabs at once, and started on a system that runs out of threads.
#include "gui_helpers.h"
#include "hermetic_home.h"
#include "linkaudit/audit_run.h"
#include "run_window.h"
#include "runs/worker_threads.h"
#include "shell/overview_tab.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"
#include "simulated_figures.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using namespace tolvera;
using fakeweb::FriendSite;

namespace {

constexpr int kRunLimitMs = 30'000;

} // namespace

class RunLifetimeTest : public QObject, test::RunWindow {
    Q_OBJECT

    const OverviewControls &o() const { return form->overview(); }
    const LinkControls &l() const { return form->links(); }
    QTabWidget *pages() const { return form->findChild<QTabWidget *>("RzPageControl1"); }
    QString cell(int row, int column) const {
        const QTableWidgetItem *item = l().StringGrid1->item(row, column);
        return item ? item->text() : QString();
    }

    static void waitForTicks(QTimer *timer, int ticks) {
        int seen = 0;
        const QMetaObject::Connection counting =
            QObject::connect(timer, &QTimer::timeout, [&seen] { ++seen; });
        QTRY_VERIFY(seen >= ticks);
        QObject::disconnect(counting);
    }

    // Every endpoint holds the requests whose target contains the text.
    void holdServices(const std::string &part, bool hold) {
        for (int e = 0; e < kEndpointCount; ++e) {
            fakeweb::FakeWeb &server = web->server(static_cast<Endpoint>(e));
            hold ? server.hold(part) : server.release(part);
        }
    }

    void startOverviewRuns(const std::string &domain, const QString &keyword) {
        pages()->setCurrentIndex(0);
        test::typeInto(o().Edit1, QString::fromStdString(domain));
        test::typeInto(o().TXTGJ1, keyword);
        QTest::mouseClick(o().BitBtn1, Qt::LeftButton);
        QTest::mouseClick(o().BitBtn2, Qt::LeftButton);
    }

    void startAudit(const std::string &address) {
        pages()->setCurrentIndex(1);
        test::typeInto(l().Edit8, QString::fromStdString(address));
        QTest::mouseClick(l().Button4, Qt::LeftButton);
    }

    void expectOverviewOf(const std::string &domain, const char *baidu, const char *google) {
        QCOMPARE(form->findChild<QLineEdit *>("Edit2")->text(),
                 QString::fromStdString("http://" + domain));
        for (int engine = 0; engine < 5; ++engine)
            for (int row = 0; row < 6; ++row)
                QCOMPARE(o().counts[engine][row]->text(), test::expectedCount(engine, row, domain));
        QCOMPARE(form->findChild<QLineEdit *>("Edit6")->text(),
                 QString::number(fakeweb::simulatedAlexaRank(domain)));
        QCOMPARE(o().TXTBDPH1->text(), QString(baidu));
        QCOMPARE(o().TXTGGPH1->text(), QString(google));
    }

    void expectAuditOf(const std::string &audited, const std::vector<std::string> &hosts,
                       const std::vector<FriendSite> &sites) {
        QCOMPARE(l().StringGrid1->rowCount(), int(hosts.size()));
        for (int r = 0; r < int(hosts.size()); ++r)
            for (int column = 0; column < kAuditColumns; ++column)
                QCOMPARE(cell(r, column), test::expectedRow(hosts[r], sites[r]).column(column, r));
        QCOMPARE(l().labels[0]->text(), QString::number(hosts.size()));
        QCOMPARE(l().labels[2]->text(),
                 test::expectedCount(1, 0, web->siteAddress(audited))); // its Google count
        QCOMPARE(l().RzProgressBar2->value(), 100);
    }

private slots:
    void init() { open(); }

    void cleanup() { close(); }

    void stoppedRunsStartedAgainShowOnlyTheNewestFigures() {
        const std::string oldSite = web->siteAddress("oldsite.localhost");
        const std::string newSite = web->siteAddress("newsite.localhost");
        web->rankSite("oldkw", oldSite, 3, 4);
        web->rankSite("newkw", newSite, 21, 22);
        const std::vector<FriendSite> oldFriends = {{"oldf1.localhost", true, 2},
                                                    {"oldf2.localhost", false, 5}};
        const std::vector<FriendSite> newFriends = {{"newf1.localhost", true, 4}};
        fakeweb::installLinkAudit(*web, "oldaudit.localhost", oldFriends);
        const auto newHosts = fakeweb::installLinkAudit(*web, "newaudit.localhost", newFriends);

        holdServices("old", true); // every query about the old names waits mid-fetch
        startOverviewRuns(oldSite, "oldkw");
        startAudit(web->siteAddress("oldaudit.localhost"));
        QTRY_VERIFY_WITH_TIMEOUT(web->server(EP_GOOGLE_HK).requests().size() >= 4, kRunLimitMs);
        QVERIFY(!o().BitBtn1->isEnabled() && !o().BitBtn2->isEnabled());
        QVERIFY(!l().Button4->isEnabled());

        QTest::mouseClick(l().Button5, Qt::LeftButton);
        pages()->setCurrentIndex(0);
        QTest::mouseClick(o().Button3, Qt::LeftButton);
        QTRY_VERIFY(o().BitBtn1->isEnabled() && o().BitBtn2->isEnabled() &&
                    l().Button4->isEnabled()); // one tick of each timer

        startOverviewRuns(newSite, "newkw");
        startAudit(web->siteAddress("newaudit.localhost"));
        QTRY_VERIFY_WITH_TIMEOUT(form->overviewTab().progress() >= 100 &&
                                     o().BitBtn1->isEnabled() && l().Button4->isEnabled() &&
                                     !l().labels[2]->text().isEmpty(),
                                 kRunLimitMs);
        holdServices("old", false); // the old workers go on, and deliver into the new runs
        settle();

        expectOverviewOf(newSite, "21", "22");
        expectAuditOf("newaudit.localhost", newHosts, newFriends);
        QCOMPARE(o().RzProgressBar1->value(), 100);
    }

    // A system out of threads: the workers after the refused one are never asked
    // for, nothing is said, and only a stop gives the buttons back.
    void aSiteRunWhoseFifthWorkerCannotStart() {
        const std::string domain = web->siteAddress("few.localhost");
        {
            const ThreadStartLimit limit(4);
            test::typeInto(o().Edit1, QString::fromStdString(domain));
            QCOMPARE(test::clickForMessage(o().BitBtn1), QString());
            QCOMPARE(limit.asked(), 5);
        }
        settle();
        QCOMPARE(form->findChild<QLineEdit *>("Edit2")->text(),
                 QString::fromStdString("http://" + domain));
        QCOMPARE(form->findChild<QLineEdit *>("Edit6")->text(),
                 QString::number(fakeweb::simulatedAlexaRank(domain)));
        QVERIFY(!o().Image1->pixmap().isNull());
        QCOMPARE(form->findChild<QLineEdit *>("Edit7")->text(), QString()); // the 5th's
        for (int engine = 0; engine < 5; ++engine)
            for (int row = 0; row < 6; ++row) // Yahoo's time windows are no query: fixed text
                QCOMPARE(o().counts[engine][row]->text(),
                         engine == 2 && row >= 2 ? test::expectedCount(engine, row, domain)
                                                 : QString());
        QCOMPARE(form->overviewTab().progress(), 5 + 9 + 13 + 8);
        waitForTicks(form->Timer1(), 2); // ticks pass: nothing gives the button back
        QVERIFY(!o().BitBtn1->isEnabled());

        QTest::mouseClick(o().Button3, Qt::LeftButton);
        QTRY_VERIFY(o().BitBtn1->isEnabled());
    }

    // Two rows of four never start: the bar stops at half, the share of ended rows.
    void anAuditWhoseThirdRowCannotStart() {
        const std::vector<FriendSite> sites = {{"r1.localhost", true, 1},
                                               {"r2.localhost", true, 2},
                                               {"r3.localhost", false, 3},
                                               {"r4.localhost", true, 4}};
        const auto hosts = fakeweb::installLinkAudit(*web, "rows.localhost", sites);
        {
            // The starter thread, then two row workers.
            const ThreadStartLimit limit(3);
            pages()->setCurrentIndex(1);
            test::typeInto(l().Edit8, QString::fromStdString(web->siteAddress("rows.localhost")));
            QCOMPARE(test::clickForMessage(l().Button4), QString());
            QTRY_COMPARE(limit.asked(), 4);
        }
        settle();
        for (int r = 0; r < 2; ++r)
            QCOMPARE(cell(r, 6), test::expectedRow(hosts[r], sites[r]).links);
        QCOMPARE(cell(2, 2), kWaiting);
        QCOMPARE(cell(3, 2), kWaiting);
        for (int n = 3; n <= 8; ++n) // the own-site workers come after the rows: never started
            QCOMPARE(l().labels[n - 1]->text(), QString());
        QCOMPARE(l().RzProgressBar2->value(), 50);
        waitForTicks(form->Timer2(), 2);
        QVERIFY(!l().Button4->isEnabled());

        QTest::mouseClick(l().Button5, Qt::LeftButton);
        QTRY_VERIFY(l().Button4->isEnabled());
    }
};

TOLVERA_GUI_TEST_MAIN(RunLifetimeTest)
#include "run_lifetime_test.moc"
