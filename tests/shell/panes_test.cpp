// The two vendor panes: bundled pages by default, the simulated web when pointed
// at it, and silence when it is down.
#include "fake_web.h"
#include "gui_helpers.h"
#include "hermetic_home.h"
#include "platform/charset.h"
#include "queries/endpoints.h"
#include "refusing_port.h"
#include "shell/tform1.h"
#include "shell/vendor_panes.h"
#include "simulated_web.h"
#include "vendor_pages.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>
#include <set>

using tolvera::TForm1;

namespace {

// Counts the loads of both panes that ended, and how many brought a page.
struct Settled {
    int ended = 0;
    int loaded = 0;
    void watch(TForm1 &form) {
        for (tolvera::VendorPane *pane : {&form.leftPane(), &form.bottomPane()})
            QObject::connect(pane, &tolvera::VendorPane::settled, pane, [this](bool ok) {
                ++ended;
                loaded += ok;
            });
    }
};

// Shows a window and waits until both panes have ended their first load.
struct ShownForm {
    explicit ShownForm(const QString &documents)
        : form({false, documents}) {
        settled.watch(form);
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(settled.ended, 2, 5000);
    }
    TForm1 form;
    Settled settled;
};

QString paneText(TForm1 &form, const char *name) {
    return form.findChild<QTextBrowser *>(name)->toPlainText();
}

} // namespace

class PanesTest : public QObject {
    Q_OBJECT

    QTemporaryDir documents;

private slots:
    void cleanup() {
        tolvera::setEndpoint(tolvera::EP_VENDOR_AD,
                             tolvera::defaultEndpoint(tolvera::EP_VENDOR_AD));
    }

    void theBundledPagesShowWithoutAnyNetwork() {
        QCOMPARE(tolvera::endpoint(tolvera::EP_VENDOR_AD), QString("qrc:"));
        ShownForm shown(documents.path());
        TForm1 &form = shown.form;
        const Settled &settled = shown.settled;
        QCOMPARE(settled.loaded, 2);
        QVERIFY(paneText(form, "WebBrowser1").contains("使用小贴士"));
        QVERIFY(paneText(form, "WebBrowser2").contains("提示"));
        QCOMPARE(form.findChild<QWidget *>("WebBrowser2")->size(), QSize(777, 29));
    }

    void everyShowingLoadsBothPagesFromTheVendor() {
        fakeweb::SimulatedWeb web;
        fakeweb::FakeWeb &vendor = web.server(tolvera::EP_VENDOR_AD);
        ShownForm shown(documents.path());
        TForm1 &form = shown.form;
        const Settled &settled = shown.settled;
        QCOMPARE(settled.loaded, 2);
        QCOMPARE(paneText(form, "WebBrowser1"), QString("站长工具推荐：网站优化服务"));
        QCOMPARE(paneText(form, "WebBrowser2"), QString("新版本 V2.03 已发布"));

        form.hide();
        form.show();
        QTRY_COMPARE(settled.ended, 4);
        std::multiset<std::string> paths;
        for (const auto &request : vendor.requests())
            paths.insert(request.target);
        QCOMPARE(paths.count(fakeweb::kVendorLeftPath), 2u);
        QCOMPARE(paths.count(fakeweb::kVendorBootPath), 2u);
    }

    void anUnreachableVendorLeavesThePanesEmptyAndSilent() {
        const testsupport::RefusingPort down;
        QVERIFY(down.port() > 0);
        tolvera::setEndpoint(tolvera::EP_VENDOR_AD,
                             QString("http://127.0.0.1:%1").arg(down.port()));
        ShownForm shown(documents.path());
        TForm1 &form = shown.form;
        const Settled &settled = shown.settled;
        QCOMPARE(settled.loaded, 0);
        QCOMPARE(paneText(form, "WebBrowser1"), QString());
        QCOMPARE(paneText(form, "WebBrowser2"), QString());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void anErrorPageIsNotShown() {
        fakeweb::FakeWeb vendor;
        vendor.route(fakeweb::kVendorLeftPath, fakeweb::Reply{404, "<p>no such page</p>"});
        tolvera::setEndpoint(tolvera::EP_VENDOR_AD, QString::fromStdString(vendor.base()));
        ShownForm shown(documents.path());
        TForm1 &form = shown.form;
        const Settled &settled = shown.settled;
        QCOMPARE(settled.loaded, 0);
        QCOMPARE(paneText(form, "WebBrowser1"), QString());
    }

    void theWindowDoesNotWaitForASlowVendor() {
        fakeweb::FakeWeb vendor;
        fakeweb::Reply slow{200, "<p>late</p>"};
        slow.latency = std::chrono::milliseconds(3000);
        vendor.route(fakeweb::kVendorLeftPath, slow);
        vendor.route(fakeweb::kVendorBootPath, slow);
        tolvera::setEndpoint(tolvera::EP_VENDOR_AD, QString::fromStdString(vendor.base()));
        QElapsedTimer clock;
        clock.start();
        {
            TForm1 form({false, documents.path()});
            form.show();
            QTRY_COMPARE(vendor.requests().size(), 2u);
        } // gone before the pages arrive: their late delivery is dropped
        QVERIFY(clock.elapsed() < 2000);
    }

    // The program's one charset decision, with the page's letters kept.
    void pagesDecodeByTheirDeclaredCharset_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QString>("text");
        const QByteArray gbk = tolvera::encodeGbk("站长");
        const QByteArray meta = "<META content=\"text/html; charset=GB2312\">";
        QTest::newRow("header") << "<B>" + gbk << QByteArray("text/html; charset=GBK")
                                << QString("<B>站长");
        QTest::newRow("meta") << meta + gbk << QByteArray("text/html")
                              << QString::fromLatin1(meta) + "站长";
        QTest::newRow("header before meta")
            << QByteArray("<meta charset=gbk>\xe7\xab\x99")
            << QByteArray("text/html; charset=utf-8") << "<meta charset=gbk>站";
        QTest::newRow("none: utf-8") << QByteArray("\xe7\xab\x99") << QByteArray() << "站";
    }
    void pagesDecodeByTheirDeclaredCharset() {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(QString, text);
        QCOMPARE(tolvera::decodeVendorPage(body, contentType), std::optional<QString>(text));
    }

    void aPageInAnUnknownCharsetIsNotShown() {
        QCOMPARE(tolvera::decodeVendorPage("x", "text/html; charset=x-nonsense"), std::nullopt);
        fakeweb::SimulatedWeb web;
        web.server(tolvera::EP_VENDOR_AD)
            .route(fakeweb::kVendorLeftPath,
                   fakeweb::Reply{200, "<p>x</p>", "text/html; charset=x-nonsense"});
        ShownForm shown(documents.path());
        QCOMPARE(shown.settled.loaded, 1);
        QCOMPARE(paneText(shown.form, "WebBrowser1"), QString());
    }

    // A page cannot make a pane read a local file: not as a picture, not as a style.
    void aPaneLoadsNothingThePageNames() {
        QTemporaryDir dir;
        const QString picture = dir.filePath("local.png");
        QImage(4, 4, QImage::Format_RGB32).save(picture);
        const QString sheet = dir.filePath("local.css");
        QFile css(sheet);
        QVERIFY(css.open(QIODevice::WriteOnly));
        css.write("p { color: red }");
        css.close();
        const QUrl pictureUrl = QUrl::fromLocalFile(picture);
        const QUrl sheetUrl = QUrl::fromLocalFile(sheet);
        fakeweb::SimulatedWeb web;
        web.server(tolvera::EP_VENDOR_AD)
            .route(fakeweb::kVendorLeftPath,
                   fakeweb::Reply{200,
                                  "<html><head><link rel=stylesheet href=\"" +
                                      sheetUrl.toString().toStdString() +
                                      "\"></head><p>text<img src=\"" +
                                      pictureUrl.toString().toStdString() + "\"></p>",
                                  "text/html; charset=utf-8"});
        ShownForm shown(documents.path());
        auto *pane = shown.form.findChild<QTextBrowser *>("WebBrowser1");
        QVERIFY(pane->toPlainText().startsWith("text"));
        pane->grab(); // lays the page out, as showing it does
        QVERIFY(!pane->document()->resource(QTextDocument::ImageResource, pictureUrl).isValid());
        QVERIFY(!pane->document()->resource(QTextDocument::StyleSheetResource, sheetUrl).isValid());
    }

    // A clicked link reaches the browser only as a web address, resolved on the page's.
    void aClickedLinkGoesThroughTheOpener() {
        tolvera::test::UrlCatcher catcher;
        fakeweb::SimulatedWeb web;
        ShownForm shown(documents.path());
        auto *pane = shown.form.findChild<QTextBrowser *>("WebBrowser1");
        for (const char *link : {"file:///etc/passwd", "javascript:alert(1)", "/more?x=1",
                                 "https://example.localhost/a"})
            emit pane->anchorClicked(QUrl(QString::fromLatin1(link)));
        const QString vendor = tolvera::endpoint(tolvera::EP_VENDOR_AD);
        QCOMPARE(catcher.opened,
                 QList<QUrl>({QUrl(vendor + "/more?x=1"), QUrl("https://example.localhost/a")}));
        QCOMPARE(paneText(shown.form, "WebBrowser1"), QString("站长工具推荐：网站优化服务"));
    }
};

TOLVERA_GUI_TEST_MAIN(PanesTest)
#include "panes_test.moc"
