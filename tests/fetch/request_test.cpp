// The page request exactly as the server sees it.
#include "fake_web.h"
#include "fetch/gethtml.h"

#include <gtest/gtest.h>

namespace {

using Headers = fakeweb::HeaderList;

TEST(PageRequest, SendsGetWithTheThreeHeadersInOrderAndNothingElse) {
    fakeweb::FakeWeb web;
    web.route("/s", fakeweb::Reply{200, "<p>ok</p>"});

    tolvera::getHTML(QString::fromStdString(web.base() + "/s?wd=site:example.com&lm=7"), "GB2312");

    const auto requests = web.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/s?wd=site:example.com&lm=7");
    const Headers expected = {
        {"Host", "127.0.0.1:" + std::to_string(web.port())},
        {"If-Modified-Since", "0"},
        {"User-Agent", "Mozilla/4.0 (compatible; MSIE 5.5; Windows 98)"},
        {"Accept", "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*"},
    };
    EXPECT_EQ(requests[0].headers, expected);
}

TEST(PageRequest, FollowsRedirectsButNotForever) {
    fakeweb::FakeWeb web;
    web.route("/old", fakeweb::Reply{302, "", "text/html", {{"Location", "/new"}}});
    web.route("/new", fakeweb::Reply{200, "<p>MOVED</p>", "text/html; charset=utf-8"});
    web.route("/loop", fakeweb::Reply{302, "", "text/html", {{"Location", "/loop"}}});

    EXPECT_EQ(tolvera::getHTML(QString::fromStdString(web.base() + "/old"), "utf-8"),
              QStringLiteral("<p>moved</p>"));
    web.clearRequests();
    EXPECT_EQ(tolvera::getHTML(QString::fromStdString(web.base() + "/loop"), "utf-8"),
              QString::fromUtf16(tolvera::kFetchFailure));
    EXPECT_EQ(web.requests().size(), 6u); // the first request and five redirects followed
}

} // namespace
