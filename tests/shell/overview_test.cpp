// The site overview tab driven as a user drives it: type, click, wait for the
// bar, read the fields. Every service is the simulated web on 127.0.0.1.
#include "gui_helpers.h"
#include "hermetic_home.h"
#include "overview/launchers.h"
#include "queries/count_queries.h"
#include "rank_pages.h"
#include "rank_services.h"
#include "run_window.h"
#include "runs/worker_threads.h"
#include "shell/overview_tab.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"
#include "simulated_figures.h"
#include "simulated_web.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QtTest>
#include <set>

using namespace tolvera;

namespace {

constexpr int kRunLimitMs = 20'000;

} // namespace

class OverviewTest : public QObject, test::RunWindow {
    Q_OBJECT

    test::UrlCatcher catcher;

    const OverviewControls &c() const { return form->overview(); }
    QLineEdit *box(const char *name) const { return form->findChild<QLineEdit *>(name); }
    int progress() const { return form->overviewTab().progress(); }

    std::string site(const char *name) {
        web->setHomePage(name, fakeweb::Reply{200, fakeweb::homePage(std::string(name) + " 首页"),
                                              "text/html; charset=utf-8"});
        return web->siteAddress(name);
    }

    void waitForRunEnd() {
        QTRY_VERIFY_WITH_TIMEOUT(
            progress() >= 100 && c().BitBtn1->isEnabled() && c().BitBtn2->isEnabled(), kRunLimitMs);
    }

    void runSite(const std::string &domain) {
        test::typeInto(c().Edit1, QString::fromStdString(domain));
        QTest::mouseClick(c().BitBtn1, Qt::LeftButton);
        waitForRunEnd();
    }

    void expectSiteFigures(const std::string &domain, const QString &title) {
        QCOMPARE(box("Edit2")->text(), QString::fromStdString("http://" + domain));
        QCOMPARE(box("Edit3")->text(), title);
        QCOMPARE(box("Edit6")->text(), QString::number(fakeweb::simulatedAlexaRank(domain)));
        QCOMPARE(box("Edit7")->text(), QString::number(fakeweb::simulatedChinaRank(domain)));
        QCOMPARE(box("Edit4")->text(), QString::number(fakeweb::simulatedPageRank(domain)));
        QCOMPARE(c().Edit5->text(), QString::number(fakeweb::simulatedSogouRating(domain)));
        for (int engine = 0; engine < 5; ++engine)
            for (int row = 0; row < 6; ++row)
                QCOMPARE(c().counts[engine][row]->text(), test::expectedCount(engine, row, domain));
        QVERIFY(!c().Image1->pixmap().isNull());
    }

private slots:

    void init() {
        open();
        catcher.opened.clear();
    }

    void cleanup() { close(); }

    void aRunFillsEveryFigureOfTheTrimmedDomain() {
        const std::string domain = site("shop.localhost");
        // Distinct figures in every cell, so that a crossed wire shows.
        std::set<QString> counts;
        for (int engine = 0; engine < 5; ++engine)
            for (int row = 0; row < 2; ++row)
                counts.insert(test::expectedCount(engine, row, domain));
        QCOMPARE(counts.size(), std::size_t(10));

        runSite("  " + domain + " ");
        QCOMPARE(progress(), 100);
        QCOMPARE(c().RzProgressBar1->value(), 100);
        QCOMPARE(form->overviewTab().siteStop(), std::uint8_t(0));
        expectSiteFigures(domain, QString::fromStdString("shop.localhost 首页"));
        QCOMPARE(c().Image1->pixmap().size(),
                 QSize(fakeweb::kThumbnailWidth, fakeweb::kThumbnailHeight));
        QCOMPARE(form->settings().read("address"), QString::fromStdString("  " + domain + " "));
        for (const auto &request : web->server(EP_BAIDU).requests())
            QVERIFY(request.target.find("%20") == std::string::npos);
    }

    void blankOrPlaceholderStartsNothing_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("placeholder") << "请输入要查询的网址";
        QTest::newRow("placeholder with blanks") << " 请输入要查询的网址  ";
    }
    void blankOrPlaceholderStartsNothing() {
        QFETCH(QString, input);
        box("TXTBD3")->setText("4711");
        box("TXTBDPH1")->setText("3");
        c().Edit1->setText(input);
        QCOMPARE(test::clickForMessage(c().BitBtn1), QString("请输入要查询的网址~~"));
        QCOMPARE(form->focusWidget(), c().Edit1);
        QVERIFY(c().BitBtn1->isEnabled());
        QCOMPARE(box("TXTBD3")->text(), QString("4711"));
        QCOMPARE(box("TXTBDPH1")->text(), QString("3"));
        QVERIFY(!QFile::exists(form->settings().path()));
        QCOMPARE(runningThreads(), 0);
        // The keyword ranking asks for the site first.
        c().TXTGJ1->setText("seo");
        QCOMPARE(test::clickForMessage(c().BitBtn2), QString("请输入要查询的网址~~"));
        QVERIFY(!QFile::exists(form->settings().path()));
    }

    void aStopBeforeTheNextTickLeavesOnlyTheTitle() {
        const std::string domain = site("stopped.localhost");
        form->Timer1()->stop(); // the tick comes when the test says
        QTest::mouseClick(c().Button3, Qt::LeftButton);
        QCOMPARE(form->overviewTab().siteStop(), std::uint8_t(1));
        test::typeInto(c().Edit1, QString::fromStdString(domain));
        QTest::mouseClick(c().BitBtn1, Qt::LeftButton);
        QVERIFY(!c().BitBtn1->isEnabled());
        QVERIFY(c().BitBtn2->isEnabled());
        settle();
        QCOMPARE(box("Edit3")->text(), QString("stopped.localhost 首页"));
        QCOMPARE(progress(), 9);
        for (const char *name : {"Edit2", "Edit4", "Edit6", "Edit7", "TXTBD1", "TXTYD2"})
            QCOMPARE(box(name)->text(), QString());
        QVERIFY(c().Image1->pixmap().isNull());

        form->Timer1()->start();
        QTRY_VERIFY(c().BitBtn1->isEnabled());
        QCOMPARE(form->overviewTab().siteStop(), std::uint8_t(0));
        QCOMPARE(progress(), 9);
    }

    void aSecondRunKeepsTheWindowCellsUntilOverwritten() {
        const std::string first = site("first.localhost");
        const std::string second = site("second.localhost");
        runSite(first);
        web->server(EP_BAIDU).setLatencyFor("second.localhost", std::chrono::milliseconds(300));
        test::typeInto(c().Edit1, QString::fromStdString(second));
        QTest::mouseClick(c().BitBtn1, Qt::LeftButton);
        QCOMPARE(box("TXTBD1")->text(), QString());
        QCOMPARE(box("Edit2")->text(), QString());
        QVERIFY(c().Image1->pixmap().isNull());
        for (int row = 2; row < 6; ++row)
            QCOMPARE(c().counts[0][row]->text(), test::expectedCount(0, row, first));
        // The day cell turns to the second site's only after its indexed-pages cell.
        QTRY_COMPARE_WITH_TIMEOUT(box("TXTBD1")->text(), test::expectedCount(0, 0, second),
                                  kRunLimitMs);
        QCOMPARE(box("TXTBD6")->text(), test::expectedCount(0, 5, first));
        waitForRunEnd();
        expectSiteFigures(second, "second.localhost 首页");
    }

    void aSupersededRunDeliversNothingAStoppedOneGoesOn() {
        const std::string slow = site("slow.localhost");
        const std::string fast = site("fast.localhost");
        fakeweb::FakeWeb &baidu = web->server(EP_BAIDU);
        baidu.hold("domain:slow.localhost");
        baidu.hold("site:slow.localhost");

        // A stopped run with no newer run keeps delivering.
        test::typeInto(c().Edit1, QString::fromStdString(slow));
        QTest::mouseClick(c().BitBtn1, Qt::LeftButton);
        // Every worker past its stop test: all done but the two held at Baidu.
        QTRY_COMPARE_WITH_TIMEOUT(progress(), 90, kRunLimitMs);
        QTRY_COMPARE(baidu.requests().size(), std::size_t(2));
        QTest::mouseClick(c().Button3, Qt::LeftButton);
        QTRY_VERIFY(c().BitBtn1->isEnabled());
        QCOMPARE(box("TXTBD2")->text(), QString());
        baidu.release("domain:slow.localhost");
        QTRY_COMPARE_WITH_TIMEOUT(box("TXTBD2")->text(), test::expectedCount(0, 1, slow),
                                  kRunLimitMs);
        QTRY_COMPARE(progress(), 95); // all but the held Baidu worker

        // A newer site run supersedes it: the old run's late cells and share are dropped.
        runSite(fast);
        baidu.release("site:slow.localhost");
        settle();
        QCOMPARE(progress(), 100);
        expectSiteFigures(fast, "fast.localhost 首页");
    }

    void theKeywordRankingFindsTheSiteOnBothEngines() {
        const std::string domain = site("tea.localhost");
        web->rankSite("seo", domain, 7, 12);
        c().Edit1->setText(QString::fromStdString(domain));
        test::typeInto(c().TXTGJ1, " seo ");
        QTest::mouseClick(c().BitBtn2, Qt::LeftButton);
        QVERIFY(!c().BitBtn2->isEnabled());
        QVERIFY(c().BitBtn1->isEnabled());
        waitForRunEnd();
        QCOMPARE(box("TXTBDPH1")->text(), QString("7"));
        QCOMPARE(box("TXTGGPH1")->text(), QString("12")); // green lines without "k" skipped
        QCOMPARE(form->settings().read("gjz"), QString(" seo "));

        // A keyword where the site is not among the 100, and an engine that is down.
        setEndpoint(EP_GOOGLE_HK, "http://127.0.0.1:1");
        test::typeInto(c().TXTGJ1, "tea");
        QTest::mouseClick(c().BitBtn2, Qt::LeftButton);
        QCOMPARE(box("TXTBDPH1")->text(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(box("TXTGGPH1")->text(), QString("can not get"), kRunLimitMs);
        QTRY_COMPARE_WITH_TIMEOUT(box("TXTBDPH1")->text(), QString("0"), kRunLimitMs);
        waitForRunEnd();
    }

    void theKeywordRankingNeedsAKeyword() {
        c().Edit1->setText("a.cn");
        c().TXTGJ1->setText(" 请输入关键字 ");
        QCOMPARE(test::clickForMessage(c().BitBtn2), QString("请输入要查询的关键词~~"));
        QCOMPARE(form->focusWidget(), c().TXTGJ1);
        QVERIFY(!QFile::exists(form->settings().path()));
        QVERIFY(c().BitBtn2->isEnabled());
    }

    void everyLauncherOpensItsPageForTheTextInEdit1() {
        const QString domain = "www.example.com";
        c().Edit1->setText(" " + domain + "\t");
        for (const QString &name : launcherControls()) {
            catcher.opened.clear();
            QTest::mouseClick(form->findChild<QWidget *>(name), Qt::LeftButton);
            QCOMPARE(catcher.opened.size(), 1);
            const QString expected = *launcherAddress(name, domain);
            QCOMPARE(catcher.opened.front(),
                     QUrl(name == "Image1" ? "http://" + expected : expected));
            QCOMPARE(form->findChild<QWidget *>(name)->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    void launchersOpenOnlyWebAddresses() {
        const struct {
            QString edit1;
            const char *control;
            QString expected; // empty: nothing opened
        } cases[] = {
            {"", "Image1", ""},
            {"", "TXTBD1", endpoint(EP_BAIDU) + "/s?wd=site:"},
            {"shop.localhost:8080", "Image1", "http://shop.localhost:8080"},
            {"HTTPS://a.cn", "Image1", "https://a.cn"},
            {"javascript:alert(1)", "Image1", ""},
            {"file:///etc/passwd", "Image1", ""},
            {"请输入要查询的网址", "TXTGG1",
             endpoint(EP_GOOGLE_HK) + "/search?hl=zh-CN&q=site:请输入要查询的网址"},
        };
        for (const auto &cs : cases) {
            catcher.opened.clear();
            c().Edit1->setText(cs.edit1);
            QTest::mouseClick(form->findChild<QWidget *>(cs.control), Qt::LeftButton);
            if (cs.expected.isEmpty()) {
                QVERIFY2(catcher.opened.isEmpty(), qPrintable(cs.edit1));
            } else {
                QCOMPARE(catcher.opened.size(), 1);
                QCOMPARE(catcher.opened.front(), QUrl(cs.expected));
            }
        }
    }

    void closingTheWindowMidRunTouchesNothingAfter() {
        const std::string domain = site("closing.localhost");
        web->setLatency(std::chrono::milliseconds(200));
        test::typeInto(c().Edit1, QString::fromStdString(domain));
        QTest::mouseClick(c().BitBtn1, Qt::LeftButton);
        test::typeInto(c().TXTGJ1, "seo");
        QTest::mouseClick(c().BitBtn2, Qt::LeftButton);
        QVERIFY(runningThreads() > 0);
        form->close();
        form.reset(); // every worker is still fetching
        settle();     // their deliveries land in a closed channel
    }
};

TOLVERA_GUI_TEST_MAIN(OverviewTest)
#include "overview_test.moc"
