// Every way a service or a site can fail, against every run: the site run, the
// keyword run, and the audit (at the audited home page and at a linked one). In
// each cell the run ends, the fields that depend on the failing page show their
// failure text, and every other field is right. An error status is no failure to
// the page fetcher: it reads the error page, and figures on it count.
#include "gui_helpers.h"
#include "hermetic_home.h"
#include "linkaudit/audit_run.h"
#include "pictures.h"
#include "platform/charset.h"
#include "platform/http_client.h"
#include "rank_pages.h"
#include "refusing_port.h"
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
#include <QtTest>

using namespace tolvera;
using fakeweb::Reply;

namespace {

constexpr int kRunLimitMs = 30'000;

// What a fault does to a page or a picture on its way to the program.
enum class Fault {
    Refused,      // nothing listens
    Silent,       // accepts and never answers
    ResetMidBody, // half the announced body, then the connection closes
    StallMidBody, // half the announced body, then nothing more
    ChunkedHuge,  // 17 MiB in chunks, no length announced
    ErrorStatus,  // 503 with the page as its body
    UnknownCharset,
    InvalidGbk,   // bytes that are no GBK character, in a page that says it is GBK
    PngPicture,   // the thumbnail is a PNG
    CutJpeg,      // the thumbnail ends halfway
    HugeJpegSize, // the thumbnail's header declares 20000 x 20000
};

bool isPictureFault(Fault f) {
    return f == Fault::PngPicture || f == Fault::CutJpeg || f == Fault::HugeJpegSize;
}

// A character set means nothing to a picture; every other fault breaks one.
bool reachesPictures(Fault f) {
    return f != Fault::UnknownCharset && f != Fault::InvalidGbk;
}

// Whether a page under the fault still gives its figures.
bool pageSurvives(Fault f) {
    return f == Fault::ErrorStatus || f == Fault::InvalidGbk;
}

// A JPEG whose frame header claims another size; the pixels stay those of a small one.
std::string withDeclaredSize(std::string jpeg, int width, int height) {
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = static_cast<char>(height >> 8);
            jpeg[i + 6] = static_cast<char>(height & 0xFF);
            jpeg[i + 7] = static_cast<char>(width >> 8);
            jpeg[i + 8] = static_cast<char>(width & 0xFF);
            break;
        }
    }
    return jpeg;
}

// The answer as the fault leaves it. Refused is no change of an answer.
void applyFault(Fault f, Reply &reply) {
    switch (f) {
    case Fault::Refused:
        break;
    case Fault::Silent:
        reply.latency = std::chrono::hours(1); // cut short when the server goes
        break;
    case Fault::ResetMidBody:
        reply.delivery = Reply::Delivery::CloseMidBody;
        break;
    case Fault::StallMidBody:
        reply.delivery = Reply::Delivery::Stall;
        break;
    case Fault::ChunkedHuge:
        reply.body += std::string(17 * 1024 * 1024, ' ');
        reply.delivery = Reply::Delivery::Chunked;
        break;
    case Fault::ErrorStatus:
        reply.status = 503;
        break;
    case Fault::UnknownCharset:
        reply.contentType = "text/html; charset=x-no-such-set";
        break;
    case Fault::InvalidGbk:
        reply.contentType = "text/html; charset=gbk";
        reply.body.insert(0, "\x80\xff\xfe \x81\x7f ");
        break;
    case Fault::PngPicture:
        reply.body = fakeweb::pngPicture();
        reply.contentType = "image/png";
        break;
    case Fault::CutJpeg:
        reply.body.resize(reply.body.size() / 2);
        break;
    case Fault::HugeJpegSize:
        reply.body = withDeclaredSize(reply.body, 20000, 20000);
        break;
    }
}

// A UTF-8 page as the same page in GBK, so that a GBK fault leaves its text readable.
Reply gbkPage(const std::string &utf8Html) {
    return Reply{200, encodeGbk(QString::fromStdString(utf8Html)).toStdString(),
                 "text/html; charset=gbk"};
}

// A home page of the sample sites with the fault on it.
Reply faultyHomePage(Fault f, const std::string &utf8Html) {
    Reply page = f == Fault::InvalidGbk ? gbkPage(utf8Html)
                                        : Reply{200, utf8Html, "text/html; charset=utf-8"};
    applyFault(f, page);
    return page;
}

void addFaultRows(bool withPictures) {
    QTest::addColumn<Fault>("fault");
    QTest::newRow("refused") << Fault::Refused;
    QTest::newRow("never answers") << Fault::Silent;
    QTest::newRow("reset mid-body") << Fault::ResetMidBody;
    QTest::newRow("stall mid-body") << Fault::StallMidBody;
    QTest::newRow("17 MiB chunked") << Fault::ChunkedHuge;
    QTest::newRow("error status") << Fault::ErrorStatus;
    QTest::newRow("unknown charset") << Fault::UnknownCharset;
    QTest::newRow("invalid GBK bytes") << Fault::InvalidGbk;
    if (!withPictures)
        return;
    QTest::newRow("PNG thumbnail") << Fault::PngPicture;
    QTest::newRow("truncated JPEG") << Fault::CutJpeg;
    QTest::newRow("20000 x 20000 JPEG") << Fault::HugeJpegSize;
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class FaultMatrixTest : public QObject, test::RunWindow {
    Q_OBJECT

    testsupport::RefusingPort refusing;
    HttpLimits savedLimits;

    const OverviewControls &o() const { return form->overview(); }
    const LinkControls &l() const { return form->links(); }
    QString edit(const char *name) const { return form->findChild<QLineEdit *>(name)->text(); }
    QString cell(int row, int column) const {
        const QTableWidgetItem *item = l().StringGrid1->item(row, column);
        return item ? item->text() : QString();
    }
    std::string refusedAddress(const std::string &name) const {
        return name + ":" + std::to_string(refusing.port());
    }

    // The fault on a whole service: its endpoint refuses, or its answers change.
    void breakService(Endpoint which, Fault f) {
        if (f == Fault::Refused)
            setEndpoint(which, QStringLiteral("http://127.0.0.1:%1").arg(refusing.port()));
        else
            web->server(which).setFault([f](Reply &reply) { applyFault(f, reply); });
    }

    // A sample site whose home page has the fault; its address as the user types it.
    std::string brokenSite(const std::string &name, Fault f, const std::string &html) {
        if (f == Fault::Refused)
            return refusedAddress(name);
        web->setHomePage(name, faultyHomePage(f, html));
        return web->siteAddress(name);
    }

    void waitForOverviewEnd() {
        QTRY_VERIFY_WITH_TIMEOUT(form->overviewTab().progress() >= 100 &&
                                     o().BitBtn1->isEnabled() && o().BitBtn2->isEnabled(),
                                 kRunLimitMs);
        settle();
    }

private slots:
    void initTestCase() {
        savedLimits = httpLimits();
        HttpLimits shortLimits = savedLimits;
        shortLimits.connectTimeoutMs = 1000;
        shortLimits.totalTimeoutMs = 1500;
        setHttpLimits(shortLimits);
        QVERIFY(refusing.port() > 0);
    }
    void cleanupTestCase() { setHttpLimits(savedLimits); }

    void init() { open(); }

    void cleanup() { close(); }

    // The fault on Baidu, on the site's own home page and on the thumbnail service
    // (each where it applies): Baidu's six counts, the title and the picture fail.
    void siteRun_data() { addFaultRows(true); }
    void siteRun() {
        QFETCH(Fault, fault);
        const bool picture = isPictureFault(fault);
        std::string domain = web->siteAddress("site.localhost");
        if (!picture) {
            breakService(EP_BAIDU, fault);
            domain = brokenSite("site.localhost", fault, fakeweb::homePage("站点 首页"));
        }
        if (reachesPictures(fault))
            breakService(EP_THUMBNAIL, fault);

        test::typeInto(o().Edit1, QString::fromStdString(domain));
        QTest::mouseClick(o().BitBtn1, Qt::LeftButton);
        waitForOverviewEnd();

        const bool pagesFail = !picture && !pageSurvives(fault);
        for (int row = 0; row < 6; ++row)
            QCOMPARE(o().counts[0][row]->text(),
                     pagesFail ? QString("0") : test::expectedCount(0, row, domain));
        const QString title =
            picture ? QString::fromUtf8(fakeweb::kSimulatedHomeTitle) : QStringLiteral("站点 首页");
        QCOMPARE(edit("Edit3"), pagesFail ? QString::fromUtf16(kNotFound) : title);
        QCOMPARE(o().Image1->pixmap().isNull(), reachesPictures(fault));

        // Everything else, from services the fault does not touch.
        QCOMPARE(edit("Edit2"), QString::fromStdString("http://" + domain));
        for (int engine = 1; engine < 5; ++engine)
            for (int row = 0; row < 6; ++row)
                QCOMPARE(o().counts[engine][row]->text(), test::expectedCount(engine, row, domain));
        QCOMPARE(edit("Edit4"), QString::number(fakeweb::simulatedPageRank(domain)));
        QCOMPARE(edit("Edit6"), QString::number(fakeweb::simulatedAlexaRank(domain)));
        QCOMPARE(edit("Edit7"), QString::number(fakeweb::simulatedChinaRank(domain)));
        QCOMPARE(o().Edit5->text(), QString::number(fakeweb::simulatedSogouRating(domain)));
        QCOMPARE(o().RzProgressBar1->value(), 100);
    }

    // The fault on Baidu: its position fails, Google's stands.
    void keywordRun_data() { addFaultRows(false); }
    void keywordRun() {
        QFETCH(Fault, fault);
        const std::string domain = web->siteAddress("rank.localhost");
        web->rankSite("seo", domain, 7, 12);
        breakService(EP_BAIDU, fault);

        test::typeInto(o().Edit1, QString::fromStdString(domain));
        test::typeInto(o().TXTGJ1, "seo");
        QTest::mouseClick(o().BitBtn2, Qt::LeftButton);
        waitForOverviewEnd();

        QCOMPARE(o().TXTBDPH1->text(), pageSurvives(fault) ? QString("7") : QString("can not get"));
        QCOMPARE(o().TXTGGPH1->text(), QString("12"));
    }

    // The fault on the audited site's home page: no link is found, the audit ends
    // at once with an empty grid; a readable page is audited in full.
    void auditedHomePage_data() { addFaultRows(false); }
    void auditedHomePage() {
        QFETCH(Fault, fault);
        const std::string friendAddress = web->siteAddress("friend.localhost");
        const std::string audited = brokenSite(
            "audited.localhost", fault,
            fakeweb::auditedHomePage(web->siteAddress("audited.localhost"), {friendAddress}));
        web->setHomePage(
            "friend.localhost",
            Reply{200, fakeweb::friendHomePage(web->siteAddress("audited.localhost"), true, 2),
                  "text/html; charset=utf-8"});
        form->findChild<QTabWidget *>("RzPageControl1")->setCurrentIndex(1);
        test::typeInto(l().Edit8, QString::fromStdString(audited));
        QTest::mouseClick(l().Button4, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(l().Button4->isEnabled(), kRunLimitMs);
        settle();

        if (!pageSurvives(fault)) {
            QCOMPARE(l().StringGrid1->rowCount(), 0);
            for (const QLabel *label : l().labels)
                QCOMPARE(label->text(), QString());
            QCOMPARE(l().RzProgressBar2->value(), 0);
            return;
        }
        QCOMPARE(l().StringGrid1->rowCount(), 1);
        const auto expected = test::expectedRow(friendAddress, {"friend.localhost", true, 2});
        for (int column = 0; column < kAuditColumns; ++column)
            QCOMPARE(cell(0, column), expected.column(column, 0));
        QCOMPARE(l().RzProgressBar2->value(), 100);
    }

    // The fault on one linked site's home page: that row shows "0" links and no link
    // back, with no weight; the other row and the summary are right.
    void linkedHomePage_data() { addFaultRows(false); }
    void linkedHomePage() {
        QFETCH(Fault, fault);
        const std::string audited = web->siteAddress("audited.localhost");
        const std::string good = web->siteAddress("good.localhost");
        const std::string bad =
            brokenSite("bad.localhost", fault, fakeweb::friendHomePage(audited, true, 3));
        web->setHomePage(
            "audited.localhost",
            Reply{200, fakeweb::auditedHomePage(audited, {good, bad}), "text/html; charset=utf-8"});
        web->setHomePage("good.localhost", Reply{200, fakeweb::friendHomePage(audited, true, 1),
                                                 "text/html; charset=utf-8"});
        form->findChild<QTabWidget *>("RzPageControl1")->setCurrentIndex(1);
        test::typeInto(l().Edit8, QString::fromStdString(audited));
        QTest::mouseClick(l().Button4, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(l().RzProgressBar2->value() == 100 && l().Button4->isEnabled(),
                                 kRunLimitMs);
        settle();

        QCOMPARE(l().StringGrid1->rowCount(), 2);
        const auto goodRow = test::expectedRow(good, {"good.localhost", true, 1});
        auto badRow = test::expectedRow(bad, {"bad.localhost", true, 3});
        if (!pageSurvives(fault)) {
            badRow.links = "0";
            badRow.back = "无";
            badRow.weight = "0";
        }
        for (int column = 0; column < kAuditColumns; ++column) {
            QCOMPARE(cell(0, column), goodRow.column(column, 0));
            QCOMPARE(cell(1, column), badRow.column(column, 1));
        }
        QCOMPARE(l().labels[0]->text(), QString("2"));
        QCOMPARE(l().labels[8]->text(), pageSurvives(fault) ? QString("2") : QString("1"));
        const double weights = goodRow.weight.toDouble() + badRow.weight.toDouble();
        QCOMPARE(l().labels[1]->text(), numberText(roundTo2(weights / 2)));
    }
};

TOLVERA_GUI_TEST_MAIN(FaultMatrixTest)
#include "fault_matrix_test.moc"
