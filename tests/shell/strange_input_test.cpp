// Whatever is typed or pasted into the address and keyword boxes, every run ends
// and every request goes out with a well-formed request line: one line of
// printable ASCII, nothing a server could read as a second header or request.
#include "hermetic_home.h"
#include "run_window.h"
#include "runs/worker_threads.h"
#include "shell/overview_tab.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"
#include "simulated_web.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

using namespace tolvera;

namespace {

constexpr int kRunLimitMs = 60'000;

bool printableAscii(const std::string &text) {
    for (const char c : text)
        if (c < 0x21 || c > 0x7E)
            return false;
    return true;
}

} // namespace

class StrangeInputTest : public QObject, test::RunWindow {
    Q_OBJECT

    // Every request that reached any server of the simulated web.
    std::vector<fakeweb::RecordedRequest> allRequests() {
        std::vector<fakeweb::RecordedRequest> all = web->sites().requests();
        for (int e = 0; e < kEndpointCount; ++e) {
            const auto some = web->server(static_cast<Endpoint>(e)).requests();
            all.insert(all.end(), some.begin(), some.end());
        }
        return all;
    }

private slots:
    void init() {
        open();
        for (int e = 0; e < kEndpointCount; ++e)
            web->server(static_cast<Endpoint>(e)).clearRequests();
    }

    void cleanup() { close(); }

    void everyRunEndsAndEveryRequestLineIsWellFormed_data() {
        QTest::addColumn<QString>("text");
        const QString site = "{site}"; // the sample site's address, once the web runs
        QTest::newRow("100 KB") << QString(100 * 1024, u'a') + ".localhost";
        QTest::newRow("inner line breaks")
            << site + "\r\nX-Injected: 1\r\n\r\nGET /second HTTP/1.1\nHost: evil";
        QTest::newRow("NUL") << site + QChar(u'\0') + "/after-nul";
        QTest::newRow("right-to-left marks")
            << QString(u'\u202E') + site + QString(u'\u200F') + QString(u'\u202C');
        QTest::newRow("user:password@") << "http://user:pa ss@" + site + "/?q=1#frag";
        QTest::newRow("blanks and tabs inside") << "shop .local\thost";
    }
    void everyRunEndsAndEveryRequestLineIsWellFormed() {
        QFETCH(QString, text);
        text.replace("{site}", QString::fromStdString(web->siteAddress("shop.localhost")));
        const OverviewControls &o = form->overview();
        const LinkControls &l = form->links();
        o.Edit1->setText(text);
        o.TXTGJ1->setText(text);
        QTest::mouseClick(o.BitBtn1, Qt::LeftButton);
        QTest::mouseClick(o.BitBtn2, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(form->overviewTab().progress() >= 100 && o.BitBtn1->isEnabled() &&
                                     o.BitBtn2->isEnabled(),
                                 kRunLimitMs);

        form->findChild<QTabWidget *>("RzPageControl1")->setCurrentIndex(1);
        l.Edit8->setText(text);
        QTest::mouseClick(l.Button4, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(l.Button4->isEnabled(), kRunLimitMs);
        settle();

        const auto requests = allRequests();
        QVERIFY(!requests.empty());
        for (const auto &request : requests) {
            QCOMPARE(request.method, std::string("GET"));
            QVERIFY2(request.target.starts_with('/') && printableAscii(request.target),
                     request.target.substr(0, 200).c_str());
            for (const auto &[name, value] : request.headers)
                QVERIFY2(name != "X-Injected", value.c_str());
        }
    }
};

TOLVERA_GUI_TEST_MAIN(StrangeInputTest)
#include "strange_input_test.moc"
