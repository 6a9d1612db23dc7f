// The friend-link tab driven as a user drives it, against the simulated web.
#include "gui_helpers.h"
#include "hermetic_home.h"
#include "link_pages.h"
#include "linkaudit/audit_numbers.h"
#include "queries/result_texts.h"
#include "rank_services.h"
#include "run_window.h"
#include "runs/worker_threads.h"
#include "shell/links_tab.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"
#include "simulated_figures.h"
#include "simulated_web.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTableWidget>
#include <QtTest>

using namespace tolvera;
using fakeweb::CountKind;
using fakeweb::FriendSite;

namespace {

constexpr int kRunLimitMs = 30'000;

} // namespace

class LinksTest : public QObject, test::RunWindow {
    Q_OBJECT

    test::UrlCatcher catcher;

    const LinkControls &c() const { return form->links(); }
    QTableWidget *grid() const { return c().StringGrid1; }
    QString cell(int row, int column) const {
        const QTableWidgetItem *item = grid()->item(row, column);
        return item ? item->text() : QString();
    }
    QString label(int n) const { return c().labels[n - 1]->text(); }

    void waitForAuditEnd() {
        QTRY_VERIFY_WITH_TIMEOUT(c().RzProgressBar2->value() == 100 && c().Button4->isEnabled(),
                                 kRunLimitMs);
    }
    void expectRows(const std::vector<std::string> &hosts, const std::vector<FriendSite> &sites) {
        QCOMPARE(grid()->rowCount(), int(hosts.size()));
        for (int r = 0; r < grid()->rowCount(); ++r) {
            const test::ExpectedRow e = test::expectedRow(hosts[r], sites[r]);
            for (int column = 0; column < 9; ++column)
                QVERIFY2(cell(r, column) == e.column(column, r),
                         qPrintable(QString("row %1 column %2: %3, wanted %4")
                                        .arg(r)
                                        .arg(column)
                                        .arg(cell(r, column), e.column(column, r))));
        }
    }

private slots:
    void init() {
        open(1);
        catcher.opened.clear();
    }
    void cleanup() { close(); }

    void anAuditFillsEveryCellAndTheSummary() {
        const std::vector<FriendSite> sites = {
            {"f1.localhost", true, 9}, // PageRank / 10
            {"f2.localhost", false, 5},       {"f3.localhost", true, 0},
            {"f4.localhost", true, 4, false}, // the lookup finds no PageRank: no weight
            {"f5.localhost", true, 2},
        };
        const auto hosts = fakeweb::installLinkAudit(*web, "shop.localhost", sites);
        const std::string shop = web->siteAddress("shop.localhost");
        test::typeInto(c().Edit8, QString::fromStdString(" " + shop + " "));
        QTest::mouseClick(c().Button4, Qt::LeftButton);
        QVERIFY(grid()->isVisible());
        QCOMPARE(label(1), QString("5"));
        waitForAuditEnd();
        settle();

        expectRows(hosts, sites);
        QCOMPARE(grid()->horizontalHeaderItem(8)->text(), QString("获取权重"));
        QCOMPARE(grid()->columnWidth(1), 150);
        double sum = 0;
        int back = 0;
        for (std::size_t i = 0; i < sites.size(); ++i) {
            const test::ExpectedRow e = test::expectedRow(hosts[i], sites[i]);
            if (e.weight != "...")
                sum += e.weight.toDouble();
            back += sites[i].pageRankKnown && sites[i].linksBack ? 1 : 0;
        }
        const double average = roundTo2(sum / 5);
        QCOMPARE(label(2), numberText(average));
        QCOMPARE(label(3),
                 QString::number(fakeweb::simulatedCount(EP_GOOGLE_HK, CountKind::Site, shop)));
        QCOMPARE(label(4),
                 QString::number(fakeweb::simulatedCount(EP_GOOGLE_HK, CountKind::Link, shop)));
        const int ownPr = fakeweb::simulatedPageRank(shop);
        QCOMPARE(label(5), QString::number(ownPr));
        QCOMPARE(label(6),
                 QString::number(fakeweb::simulatedCount(EP_BAIDU, CountKind::Site, shop)));
        QCOMPARE(label(7),
                 QString::number(fakeweb::simulatedCount(EP_BAIDU, CountKind::Link, shop)));
        QCOMPARE(label(8), QString::fromStdString(" " + fakeweb::simulatedSnapshotDate(shop)));
        QCOMPARE(label(9), QString::number(back));
        QCOMPARE(label(10), numberText(roundTo2((ownPr + average) / 5)));
        QCOMPARE(form->settings().read("address1"), QString::fromStdString(" " + shop + " "));
    }

    void blankOrPlaceholderStartsNothing() {
        for (const QString &input : {QString(""), QString("  "), QString("请输入要查询的网址")}) {
            c().Edit8->setText(input);
            QCOMPARE(test::clickForMessage(c().Button4), QString("请输入要查询的网址~~"));
            QCOMPARE(form->focusWidget(), c().Edit8);
            QVERIFY(!QFile::exists(form->settings().path()));
            QCOMPARE(runningThreads(), 0);
        }
    }

    void aSiteWithoutFriendLinksEndsSilently() {
        web->setHomePage("lonely.localhost",
                         fakeweb::Reply{200,
                                        "<a href=\"/about\">x</a><a href=\"https://s.cn\">y</a>",
                                        "text/html"});
        c().labels[2]->setText("old");
        test::typeInto(c().Edit8, QString::fromStdString(web->siteAddress("lonely.localhost")));
        QTest::mouseClick(c().Button4, Qt::LeftButton);
        settle();
        QVERIFY(!grid()->isVisible());
        QCOMPARE(label(3), QString());
        QVERIFY(c().Button4->isEnabled());
        for (const Endpoint engine : {EP_BAIDU, EP_GOOGLE_HK, EP_PR_LOOKUP})
            QVERIFY(web->server(engine).requests().empty());
    }

    void aStopRightAfterTheStartSkipsTheLaterSteps() {
        const std::vector<FriendSite> sites = {{"s1.localhost"}, {"s2.localhost"}};
        fakeweb::installLinkAudit(*web, "stop.localhost", sites);
        fakeweb::FakeWeb &google = web->server(EP_GOOGLE_HK);
        google.hold("site:s1.");
        google.hold("site:s2.");
        form->Timer2()->stop();
        test::typeInto(c().Edit8, QString::fromStdString(web->siteAddress("stop.localhost")));
        QTest::mouseClick(c().Button4, Qt::LeftButton);
        QVERIFY(!c().Button4->isEnabled());
        for (int column = 2; column < 9; ++column)
            QCOMPARE(cell(0, column), QString("..."));
        // Both row workers past their first stop test, held in their first step.
        const auto arrived = [&google](const char *part) {
            for (const auto &request : google.requests())
                if (request.target.find(part) != std::string::npos)
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(arrived("site:s1.") && arrived("site:s2."), kRunLimitMs);
        QTest::mouseClick(c().Button5, Qt::LeftButton);
        google.release("site:s1.");
        google.release("site:s2.");
        // Every row worker ends, its skipped steps' cells keep "...", and the bar is full.
        QTRY_COMPARE_WITH_TIMEOUT(c().RzProgressBar2->value(), 100, kRunLimitMs);
        for (int row = 0; row < 2; ++row) {
            QVERIFY(cell(row, 2) != "...");
            for (int column = 3; column < 9; ++column)
                QCOMPARE(cell(row, column), QString("..."));
        }
        QCOMPARE(form->linksTab().linkStop(), std::uint8_t(1));
        form->Timer2()->start();
        QTRY_VERIFY(c().Button4->isEnabled());
        QCOMPARE(form->linksTab().linkStop(), std::uint8_t(0));
    }

    void failedRowsStillEndTheAudit() {
        const std::vector<FriendSite> sites = {{"x1.localhost", true, 3, false},
                                               {"x2.localhost", true, 3, false},
                                               {"x3.localhost", true, 3}};
        fakeweb::installLinkAudit(*web, "failing.localhost", sites);
        test::typeInto(c().Edit8, QString::fromStdString(web->siteAddress("failing.localhost")));
        QTest::mouseClick(c().Button4, Qt::LeftButton);
        waitForAuditEnd();
        QCOMPARE(cell(0, 8), QString("..."));
        QCOMPARE(cell(1, 8), QString("..."));
        QVERIFY(cell(2, 8) != "...");
        QCOMPARE(label(9), QString("1"));
    }

    void theValidOutputWaitsForTheOwnPageRank() {
        const std::vector<FriendSite> sites = {{"v1.localhost", true, 1},
                                               {"v2.localhost", true, 3}};
        const auto hosts = fakeweb::installLinkAudit(*web, "late.localhost", sites);
        const std::string late = web->siteAddress("late.localhost");
        web->server(EP_PR_LOOKUP).hold("queryurl=" + late);
        test::typeInto(c().Edit8, QString::fromStdString(late));
        QTest::mouseClick(c().Button4, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(c().RzProgressBar2->value(), 100, kRunLimitMs);
        QVERIFY(!label(2).isEmpty());
        QCOMPARE(label(5), QString());
        QCOMPARE(label(10), QString());
        web->server(EP_PR_LOOKUP).release("queryurl=" + late);
        QTRY_VERIFY_WITH_TIMEOUT(!label(5).isEmpty(), kRunLimitMs);
        const double expected =
            roundTo2((fakeweb::simulatedPageRank(late) + label(2).toDouble()) / 2);
        QCOMPARE(label(10), numberText(expected));
    }

    void aNewAuditShowsNothingOfTheStoppedOne() {
        const std::vector<FriendSite> oldSites = {
            {"o1.localhost", true, 2}, {"o2.localhost", false, 3}, {"o3.localhost", true, 1}};
        const std::vector<FriendSite> newSites = {{"n1.localhost", true, 4}};
        fakeweb::installLinkAudit(*web, "old.localhost", oldSites);
        const auto newHosts = fakeweb::installLinkAudit(*web, "new.localhost", newSites);
        fakeweb::FakeWeb &baidu = web->server(EP_BAIDU);
        baidu.hold("site:o");
        test::typeInto(c().Edit8, QString::fromStdString(web->siteAddress("old.localhost")));
        QTest::mouseClick(c().Button4, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(baidu.requests().size() >= 3, true, kRunLimitMs);
        QTest::mouseClick(c().Button5, Qt::LeftButton);
        QTRY_VERIFY(c().Button4->isEnabled());

        test::typeInto(c().Edit8, QString::fromStdString(web->siteAddress("new.localhost")));
        QTest::mouseClick(c().Button4, Qt::LeftButton);
        waitForAuditEnd();
        baidu.release("site:o"); // the old rows go on and deliver: all dropped
        settle();
        expectRows(newHosts, newSites);
        QCOMPARE(label(1), QString("1"));
        QCOMPARE(label(9), QString("1"));
        QCOMPARE(c().RzProgressBar2->value(), 100);
    }

    void aDoubleClickOnAHostOpensIt() {
        fakeweb::installLinkAudit(*web, "open.localhost", {{"d1.localhost"}});
        test::typeInto(c().Edit8, QString::fromStdString(web->siteAddress("open.localhost")));
        QTest::mouseClick(c().Button4, Qt::LeftButton);
        waitForAuditEnd();
        const auto click = [this](int column) {
            // A user's double click: a first click, then the second one that doubles it.
            const QPoint at = grid()->visualItemRect(grid()->item(0, column)).center();
            QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, at);
        };
        click(0);
        click(4);
        QVERIFY(catcher.opened.isEmpty());
        click(1);
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl("http://" + cell(0, 1))});
        QCOMPARE(cell(0, 1), QString::fromStdString(web->siteAddress("d1.localhost")));
    }

    void closingTheWindowMidAuditTouchesNothingAfter() {
        fakeweb::installLinkAudit(*web, "closing.localhost",
                                  {{"c1.localhost"}, {"c2.localhost"}, {"c3.localhost"}});
        test::typeInto(c().Edit8, QString::fromStdString(web->siteAddress("closing.localhost")));
        web->setLatency(std::chrono::milliseconds(100));
        QTest::mouseClick(c().Button4, Qt::LeftButton);
        QVERIFY(runningThreads() > 0);
        form->close();
        form.reset();
        settle();
    }
};

TOLVERA_GUI_TEST_MAIN(LinksTest)
#include "links_test.moc"
