// The keyword ranking: the keyword's encoding and the position on a results page.
#include "fake_web.h"
#include "keyword_pages.h"
#include "overview/keyword_rank.h"
#include "queries/endpoints.h"
#include "service_fixture.h"
#include "simulated_web.h"
#include "test_pages.h"

#include <gtest/gtest.h>

using namespace tolvera;
using testpages::text;

namespace {

const QString kBaiduEntry = QStringLiteral("<font color=\"#008000\">[^<]+</font>");
const QString kGoogleEntry = QStringLiteral("<font color=\"green\">[^<]+k</font>");
const QString kNone = QString::fromUtf16(kNoEntries);

TEST(URLencode, EveryGbkByteInUpperCaseHex) {
    const struct {
        QString in;
        QString out;
    } cases[] = {
        {"abc", "%61%62%63"},
        {text("中文"), "%D6%D0%CE%C4"},
        {"a b+", "%61%20%62%2B"},
        {QString(QChar(0x0a)), "%0A"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(URLencode(c.in), c.out) << c.in.toStdString();
}

class Getph : public testpages::ServiceTest {
protected:
    QString rank(const std::string &body, const QString &site, const QString &keyword,
                 const QString &pattern, const std::string &type = "text/html; charset=utf-8") {
        web.route("/results", fakeweb::Reply{200, body, type});
        return getph(site, base() + "/results", keyword, "utf-8", pattern);
    }
    static std::string baiduLines(std::initializer_list<const char *> lines) {
        std::string page = "<html><body>";
        for (const char *line : lines)
            page += std::string("<font color=\"#008000\">") + line + "</font><br>\n";
        return page + "</body></html>";
    }
};

TEST_F(Getph, ThePositionOfTheFirstEntryShowingTheSite) {
    const struct {
        const char *name;
        std::string page;
        const char *site;
        const char *keyword;
        QString expected;
    } cases[] = {
        {"seventh and later",
         baiduLines({"a.cn/", "b.cn/", "c.cn/", "d.cn/", "e.cn/", "f.cn/", "www.me.cn/ 3k",
                     "www.me.cn/x 2k"}),
         "me.cn", "seo", "7"},
        {"entries without the site", baiduLines({"a.cn/", "b.cn/"}), "me.cn", "seo", "0"},
        {"no entry at all", "<html><body><font color=green>a.cn/</font></body></html>", "me.cn",
         "seo", kNone},
        {"bold keyword unwrapped", baiduLines({"a.cn/<b>seo</b>/", "me.cn/<b>seo</b>"}), "me.cn",
         "  seo ", "2"},
        {"a capital keyword unwraps nothing", baiduLines({"a.cn/<b>seo</b>/", "me.cn/<b>seo</b>"}),
         "me.cn", "SEO", kNone},
        {"a capital site is never found", baiduLines({"me.cn/"}), "ME.cn", "seo", "0"},
        {"the site anywhere in the match, tags included",
         "<font color=\"#008000\">x</font><font color=\"#008000\" title=me.cn>y</font>"
         "<font color=\"#008000\">me.cn/</font>",
         "me.cn", "seo", "2"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(rank(c.page, c.site, c.keyword, kBaiduEntry), c.expected) << c.name;
}

TEST_F(Getph, GoogleLinesNotEndingInKAreNoEntries) {
    const std::string page = "<font color=\"green\">a.cn/ - 3k</font>"
                             "<font color=\"green\">related</font>"
                             "<font color=\"green\">me.cn/ - cached</font>"
                             "<font color=\"green\">me.cn/ - 12k</font>";
    EXPECT_EQ(rank(page, "me.cn", "seo", kGoogleEntry), "2");
}

TEST_F(Getph, FailuresAndErrors) {
    EXPECT_EQ(getph("me.cn", testpages::unresolvableHost(), "seo", "utf-8", kBaiduEntry), kNone)
        << "a failed fetch has no entry";
    EXPECT_EQ(rank(baiduLines({"me.cn/"}), "me.cn", "seo", "(unclosed"), "0")
        << "any error gives 0";
}

TEST(KeywordRanking, BothEnginesOnTheirSimulatedPagesOfOneHundred) {
    fakeweb::SimulatedWeb web;
    const std::string keyword = "绿茶";
    web.rankSite(keyword, "shop.localhost:8080", 7, 12);
    const QString kw = text(keyword.c_str());
    EXPECT_EQ(rankOn(kBaiduRank, "shop.localhost:8080", kw), "7");
    EXPECT_EQ(rankOn(kGoogleRank, "shop.localhost:8080", kw), "12");
    EXPECT_EQ(rankOn(kBaiduRank, "elsewhere.cn", kw), "0");

    // The same GBK bytes go to both engines, with their own paths.
    const auto baidu = web.server(EP_BAIDU).requests();
    const auto google = web.server(EP_GOOGLE_HK).requests();
    ASSERT_FALSE(baidu.empty());
    ASSERT_FALSE(google.empty());
    EXPECT_EQ(baidu.front().target, "/s?wd=%C2%CC%B2%E8&rn=100");
    EXPECT_EQ(google.front().target, "/search?hl=zh-CN&num=100&q=%C2%CC%B2%E8");
}

} // namespace
