// Every way a fetch can fail ends in the one failure marker.
#include "fake_web.h"
#include "fetch/gethtml.h"
#include "platform/http_client.h"
#include "refusing_port.h"
#include "test_pages.h"

#include <gtest/gtest.h>

namespace {

const QString kMarker = QString::fromUtf16(tolvera::kFetchFailure);

// Shortens the whole-request limit for one test and restores it after.
class ShortTimeout {
public:
    ShortTimeout()
        : saved_(tolvera::httpLimits()) {
        tolvera::HttpLimits limits = saved_;
        limits.totalTimeoutMs = 300;
        tolvera::setHttpLimits(limits);
    }
    ~ShortTimeout() { tolvera::setHttpLimits(saved_); }

private:
    tolvera::HttpLimits saved_;
};

fakeweb::Reply bodyOf(size_t bytes, fakeweb::Reply::Delivery delivery = {}) {
    fakeweb::Reply reply;
    reply.contentType = "text/html; charset=utf-8";
    reply.body.assign(bytes, 'x');
    reply.delivery = delivery;
    return reply;
}

TEST(FetchFailure, EveryKindGivesTheMarker) {
    fakeweb::FakeWeb web;
    constexpr size_t kCap = 16 * 1024 * 1024;
    web.route("/huge", bodyOf(kCap + 1));
    web.route("/hugechunked", bodyOf(kCap + 1024 * 1024, fakeweb::Reply::Delivery::Chunked));
    web.route("/cut", bodyOf(100'000, fakeweb::Reply::Delivery::CloseMidBody));
    web.route("/stall", bodyOf(100'000, fakeweb::Reply::Delivery::Stall));
    web.route("/klingon", fakeweb::Reply{200, "<p>x</p>", "text/html; charset=klingon"});
    const QString base = QString::fromStdString(web.base());
    const testsupport::RefusingPort refusing;

    const struct {
        const char *kind;
        QString address;
    } cases[] = {
        {"unresolvable host", testpages::unresolvableHost() + "/s"},
        {"refused connection", QStringLiteral("http://127.0.0.1:%1/s").arg(refusing.port())},
        {"malformed address", QStringLiteral("not an address at all")},
        {"unsupported scheme", QStringLiteral("file:///etc/passwd")},
        {"decoder rejects the name", base + "/klingon"},
        {"body over 16 MiB", base + "/huge"},
        {"chunked body over 16 MiB", base + "/hugechunked"},
        {"connection closed mid-body", base + "/cut"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tolvera::getHTML(c.address, "utf-8"), kMarker) << c.kind;

    ShortTimeout shortTimeout;
    EXPECT_EQ(tolvera::getHTML(base + "/stall", "utf-8"), kMarker) << "stalled body";
}

TEST(FetchFailure, BodyAtTheCapIsStillAPage) {
    fakeweb::FakeWeb web;
    web.route("/full", bodyOf(16 * 1024 * 1024));
    const QString page = tolvera::getHTML(QString::fromStdString(web.base() + "/full"), "utf-8");
    EXPECT_EQ(page.size(), 16 * 1024 * 1024);
}

} // namespace
