// The rank and title getters on the pages their services answer.
#include "queries/getters.h"
#include "queries/result_texts.h"
#include "rank_pages.h"
#include "rank_services.h"
#include "service_fixture.h"
#include "service_pages.h"
#include "simulated_web.h"
#include "test_pages.h"

#include <future>
#include <gtest/gtest.h>

using namespace tolvera;

namespace {

const QString kNone = QString::fromUtf16(kNotFound);
const QString kError = QString::fromUtf16(kLookupError);
const QString kPrError = QString::fromUtf16(kPageRankError);

struct PageCase {
    const char *name;
    std::string body;
    const char *input;
    QString expected;
};

class Getters : public testpages::ServiceTest {
protected:
    void SetUp() override { pointAt({EP_PR_LOOKUP, EP_SOGOU, EP_ALEXA_CN}); }
    void serve(const std::string &path, const std::string &body,
               const std::string &type = "text/html; charset=gb2312") {
        web.route(path, fakeweb::Reply{200, body, type});
    }
};

TEST_F(Getters, PageRankIsTheCharacterBeforeTheFirstLinkEnd) {
    const PageCase cases[] = {
        {"simulated page", fakeweb::pageRankPage("example.com", 7), "example.com", "7"},
        {"ten loses its first digit", fakeweb::pageRankPage("example.com", 10), "example.com", "0"},
        {"any character counts", testpages::gbk("<p>查询<a href=\"/\">未收录</a>"), "a.cn",
         testpages::text("录")},
        {"no link end", "<html><body>PR: 5</body></html>", "a.cn", kNone},
        {"from the page's first >", "<p>x</p><a href=/>5</a>", "a.cn", "5"},
    };
    for (const PageCase &c : cases) {
        serve("/getpr.asp", c.body);
        EXPECT_EQ(getpr(c.input), c.expected) << c.name;
    }
    web.clearRequests();
    getpr("www.example.com");
    EXPECT_EQ(targets(), std::vector<std::string>{"/getpr.asp?queryurl=www.example.com&show=1"});
}

TEST_F(Getters, SogouRatingIsTheValueOutOf100) {
    const auto rated = [](const char *rating) {
        return testpages::gbk((std::string("<cite>a.cn - 搜狗评级:") + rating + "</cite>").c_str());
    };
    const PageCase cases[] = {
        {"five", rated("5/100"), "a.cn", "5"},
        {"ten", rated("10/100"), "a.cn", "10"},
        {"a hundred", rated("100/100"), "a.cn", "100"},
        {"first rating on the page", rated("7/100") + rated("3/100"), "a.cn", "7"},
        {"no label", testpages::gbk("<cite>5/100</cite>"), "a.cn", kNone},
        {"no hundred after the label", rated("5/99"), "a.cn", kNone},
    };
    for (const PageCase &c : cases) {
        serve("/web", c.body);
        EXPECT_EQ(getsr(c.input), c.expected) << c.name;
    }
    web.clearRequests();
    getsr("www.example.com");
    EXPECT_EQ(targets(), std::vector<std::string>{"/web?query=www.example.com"});
}

std::string alexaLink(const std::string &site, const std::string &text) {
    return "<a href=\"/siteinfo/" + site + "#trafficstats\">" + text + "</a>";
}

TEST_F(Getters, AlexaRankIsTheSecondLinkToTheTrafficFigures) {
    const std::string head = "<a href=\"/siteinfo/example.com#trafficstats\">";
    const PageCase cases[] = {
        {"simulated page", fakeweb::alexaSearchPage("example.com", 12345), "example.com", "12345"},
        {"www. is not in the links", fakeweb::alexaSearchPage("example.com", 12345),
         "www.example.com", "12345"},
        {"one link only", alexaLink("example.com", "example.com"), "example.com", kError},
        {"no link", "<html><body>没有结果</body></html>", "example.com", kNone},
        {"text on the link's line keeps the head",
         alexaLink("example.com", "x") + alexaLink("example.com", " 1,234 "), "example.com",
         QString::fromStdString(head + " 1234")},
        {"capitals keep the head", fakeweb::alexaSearchPage("Example.com", 12345), "Example.com",
         QString::fromStdString(head + "\n12345")},
        {"dots match any character",
         alexaLink("example-com", "a") + alexaLink("example-com", "\n9,876"), "example.com",
         "<a href=\"/siteinfo/example-com#trafficstats\">\n9876"},
        {"upper-case WWW. stays in the site", fakeweb::alexaSearchPage("example.com", 12345),
         "WWW.example.com", kNone},
    };
    for (const PageCase &c : cases) {
        serve("/search", c.body);
        EXPECT_EQ(getwordpm(c.input), c.expected) << c.name;
    }
}

TEST_F(Getters, AlexaSearchIsSentWithTheWww) {
    serve("/search", fakeweb::alexaSearchPage("example.com", 1));
    getwordpm("www.example.com");
    EXPECT_EQ(targets(), std::vector<std::string>{"/search?q=www.example.com&r=_site&p=bigtop"});
}

TEST_F(Getters, TitleIsTheFirstNonEmptyTitleElementAsThePageTextHasIt) {
    const std::string utf8 = "text/html; charset=utf-8";
    const struct {
        const char *name;
        std::string body;
        std::string type;
        QString expected;
    } cases[] = {
        {"upper case is lowered", "<title>HOME</title>", utf8, "home"},
        {"empty title", "<html><title></title><body>x</body></html>", utf8, kNone},
        {"no title", "<html><body>x</body></html>", utf8, kNone},
        {"an empty one is skipped", "<title></title><title>Second</title>", utf8, "second"},
        {"blanks and line breaks kept", "<title> My\r\nSite </title>", utf8, " my\r\nsite "},
        {"declared charset decodes", testpages::gbk("<title>中文标题</title>"),
         "text/html; charset=gb2312", testpages::text("中文标题")},
        {"utf-8 without declaration", "<title>首页</title>", "text/html", testpages::text("首页")},
    };
    for (const auto &c : cases) {
        web.route("/home", fakeweb::Reply{200, c.body, c.type});
        EXPECT_EQ(gettitle(base() + "/home"), c.expected) << c.name;
    }
}

TEST_F(Getters, UnreachableServiceGivesNotFound) {
    for (const Endpoint e : {EP_PR_LOOKUP, EP_SOGOU, EP_ALEXA_CN})
        setEndpoint(e, testpages::unresolvableHost());
    EXPECT_EQ(getpr("example.com"), kNone);
    EXPECT_EQ(getsr("example.com"), kNone);
    EXPECT_EQ(getwordpm("example.com"), kNone);
    EXPECT_EQ(gettitle(testpages::unresolvableHost() + "/"), kNone);
}

TEST(GettersOnTheSimulatedWeb, AllFourAtOnceReadTheirServices) {
    fakeweb::SimulatedWeb sim;
    const QString home =
        QString::fromStdString(sim.server(EP_THUMBNAIL).base() + "/"); // any simulated host
    auto pr = std::async(std::launch::async, [] { return getpr("example.com"); });
    auto sr = std::async(std::launch::async, [] { return getsr("example.com"); });
    auto alexa = std::async(std::launch::async, [] { return getwordpm("www.example.com"); });
    auto title = std::async(std::launch::async, [&home] { return gettitle(home); });
    EXPECT_EQ(pr.get(), QString::number(fakeweb::simulatedPageRank("example.com")));
    EXPECT_EQ(sr.get(), QString::number(fakeweb::simulatedSogouRating("example.com")));
    EXPECT_EQ(alexa.get(), QString::number(fakeweb::simulatedAlexaRank("example.com")));
    EXPECT_EQ(title.get(), QString::fromUtf8(fakeweb::kSimulatedHomeTitle));
}

} // namespace
