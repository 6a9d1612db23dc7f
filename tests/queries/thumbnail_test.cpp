// The thumbnail client: its own request properties, its cookie jar, and a picture
// only for a whole JPEG answer.
#include "pictures.h"
#include "platform/http_client.h"
#include "queries/thumbnail.h"
#include "rank_services.h"
#include "service_fixture.h"
#include "simulated_web.h"
#include "test_pages.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <httplib.h>
#include <mutex>

using namespace tolvera;

namespace {

class Thumbnail : public testpages::ServiceTest {
protected:
    void SetUp() override { pointAt({EP_THUMBNAIL}); }
};

TEST_F(Thumbnail, JpegAnswerDecodesToItsSize) {
    web.route("/webthumb.php", fakeweb::thumbnailJpeg(164, 147));
    const auto picture = fetchThumbnail("example.com");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 164);
    EXPECT_EQ(picture->height, 147);
}

TEST_F(Thumbnail, AnythingButAWholeJpegAnswerGivesNothing) {
    const std::string jpeg = fakeweb::jpegPicture(64, 48);
    fakeweb::Reply cutOff{200, jpeg, "image/jpeg"};
    cutOff.delivery = fakeweb::Reply::Delivery::CloseMidBody;
    web.route("/picture.jpg", fakeweb::thumbnailJpeg(64, 48));
    const struct {
        const char *name;
        fakeweb::Reply reply;
    } cases[] = {
        {"png", fakeweb::thumbnailPng()},
        {"gif", fakeweb::thumbnailGif()},
        {"garbage", fakeweb::thumbnailGarbage()},
        {"truncated body", fakeweb::Reply{200, jpeg.substr(0, jpeg.size() - 10), "image/jpeg"}},
        {"connection closed mid-body", cutOff},
        {"not found", fakeweb::thumbnailError(404)},
        {"server error", fakeweb::thumbnailError(500)},
        {"redirect", fakeweb::thumbnailRedirect("/picture.jpg")},
    };
    for (const auto &c : cases) {
        web.route("/webthumb.php", c.reply);
        EXPECT_FALSE(fetchThumbnail("example.com")) << c.name;
    }
    for (const std::string &target : targets())
        EXPECT_NE(target, "/picture.jpg") << "a redirect was followed";
}

TEST_F(Thumbnail, RequestCarriesTheThumbnailClientsOwnProperties) {
    std::mutex lock;
    std::string version;
    web.route("/webthumb.php", [&](const httplib::Request &req) {
        std::lock_guard guard(lock);
        version = req.version;
        return fakeweb::thumbnailJpeg(8, 8);
    });
    ASSERT_TRUE(fetchThumbnail("www.example.com"));

    const auto requests = web.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/webthumb.php?q=http://www.example.com");
    fakeweb::HeaderList sent;
    for (const auto &header : requests[0].headers) {
        if (header.first != "Cookie") // whatever earlier answers in this process set
            sent.push_back(header);
    }
    const fakeweb::HeaderList expected = {
        {"Host", "127.0.0.1:" + std::to_string(web.port())},
        {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
        {"Accept", "text/html, */*"},
        {"Content-Type", "text/html"},
    };
    EXPECT_EQ(sent, expected);
    std::lock_guard guard(lock);
    EXPECT_EQ(version, "HTTP/1.1");
}

TEST_F(Thumbnail, CookieSetByOneAnswerIsSentWithTheNext) {
    // Unique to this server, so that cookies of earlier tests cannot pass for it.
    const std::string cookie = "visit=" + std::to_string(web.port());
    web.route("/webthumb.php", [cookie](const httplib::Request &) {
        fakeweb::Reply reply = fakeweb::thumbnailJpeg(8, 8);
        reply.headers.emplace_back("Set-Cookie", cookie + "; Path=/");
        return reply;
    });
    ASSERT_TRUE(fetchThumbnail("a.cn"));
    ASSERT_TRUE(fetchThumbnail("b.cn"));
    const auto requests = web.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].header("Cookie").find(cookie), std::string::npos);
    EXPECT_NE(requests[1].header("Cookie").find(cookie), std::string::npos);
}

// Without a read limit a silent service would hold a site run below 100 % forever.
TEST_F(Thumbnail, StalledServiceGivesNothingWithinTheLimit) {
    const HttpLimits saved = httpLimits();
    HttpLimits shortened = saved;
    shortened.totalTimeoutMs = 300;
    setHttpLimits(shortened);
    fakeweb::Reply stalled{200, fakeweb::jpegPicture(64, 48), "image/jpeg"};
    stalled.delivery = fakeweb::Reply::Delivery::Stall;
    web.route("/webthumb.php", stalled);
    const auto start = std::chrono::steady_clock::now();
    const auto picture = fetchThumbnail("example.com");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    setHttpLimits(saved);
    EXPECT_FALSE(picture);
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST_F(Thumbnail, UnreachableServiceGivesNothing) {
    setEndpoint(EP_THUMBNAIL, testpages::unresolvableHost());
    EXPECT_FALSE(fetchThumbnail("example.com"));
}

TEST(ThumbnailOnTheSimulatedWeb, CallsAtOnceShareTheServicesCookie) {
    fakeweb::SimulatedWeb sim;
    std::vector<std::future<std::optional<Picture>>> calls;
    for (int i = 0; i < 8; ++i)
        calls.push_back(std::async(std::launch::async, [] { return fetchThumbnail("a.cn"); }));
    for (auto &call : calls) {
        const auto picture = call.get();
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->width, fakeweb::kThumbnailWidth);
        EXPECT_EQ(picture->height, fakeweb::kThumbnailHeight);
    }
    ASSERT_TRUE(fetchThumbnail("a.cn")); // after all the answers above have set it
    const auto requests = sim.server(EP_THUMBNAIL).requests();
    ASSERT_EQ(requests.size(), 9u);
    EXPECT_NE(requests.back().header("Cookie").find(fakeweb::kThumbnailCookie), std::string::npos);
}

} // namespace
