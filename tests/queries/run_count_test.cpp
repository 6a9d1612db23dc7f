// Each row on its engine's simulated page, through fetch, decode and match.
#include "fake_web.h"
#include "queries/count_queries.h"
#include "service_pages.h"
#include "simulated_web.h"
#include "test_pages.h"

#include <future>
#include <gtest/gtest.h>
#include <httplib.h>
#include <vector>

using namespace tolvera;
using fakeweb::CountKind;

namespace {

struct Expected {
    CountQuery row;
    Endpoint engine;
    CountKind kind;
};

const Expected kRows[] = {
    {CQ_BAIDU_SITE, EP_BAIDU, CountKind::Site},
    {CQ_BAIDU_SITE_DAY, EP_BAIDU, CountKind::Day},
    {CQ_BAIDU_SITE_WEEK, EP_BAIDU, CountKind::Week},
    {CQ_BAIDU_SITE_MONTH, EP_BAIDU, CountKind::Month},
    {CQ_BAIDU_SITE_YEAR, EP_BAIDU, CountKind::Year},
    {CQ_BAIDU_DOMAIN, EP_BAIDU, CountKind::Link},
    {CQ_GOOGLE_SITE, EP_GOOGLE_HK, CountKind::Site},
    {CQ_GOOGLE_SITE_DAY, EP_GOOGLE_HK, CountKind::Day},
    {CQ_GOOGLE_SITE_WEEK, EP_GOOGLE_HK, CountKind::Week},
    {CQ_GOOGLE_SITE_MONTH, EP_GOOGLE_HK, CountKind::Month},
    {CQ_GOOGLE_SITE_YEAR, EP_GOOGLE_HK, CountKind::Year},
    {CQ_GOOGLE_LINK, EP_GOOGLE_HK, CountKind::Link},
    {CQ_YAHOO_SITE, EP_YAHOO_SITEMAP, CountKind::Site},
    {CQ_YAHOO_LINK, EP_YAHOO_SITEMAP, CountKind::Link},
    {CQ_SOGOU_SITE, EP_SOGOU, CountKind::Site},
    {CQ_SOGOU_SITE_DAY, EP_SOGOU, CountKind::Day},
    {CQ_SOGOU_SITE_WEEK, EP_SOGOU, CountKind::Week},
    {CQ_SOGOU_SITE_MONTH, EP_SOGOU, CountKind::Month},
    {CQ_SOGOU_SITE_YEAR, EP_SOGOU, CountKind::Year},
    {CQ_SOGOU_LINK, EP_SOGOU, CountKind::Link},
    {CQ_YOUDAO_SITE, EP_YOUDAO, CountKind::Site},
    {CQ_YOUDAO_SITE_DAY, EP_YOUDAO, CountKind::Day},
    {CQ_YOUDAO_SITE_WEEK, EP_YOUDAO, CountKind::Week},
    {CQ_YOUDAO_SITE_MONTH, EP_YOUDAO, CountKind::Month},
    {CQ_YOUDAO_SITE_YEAR, EP_YOUDAO, CountKind::Year},
    {CQ_YOUDAO_LINK, EP_YOUDAO, CountKind::Link},
};

QString expectedCount(const Expected &e, const std::string &domain) {
    return QString::number(fakeweb::simulatedCount(e.engine, e.kind, domain));
}

TEST(RunCount, EveryRowReadsItsEnginesPage) {
    fakeweb::SimulatedWeb web;
    for (const Expected &e : kRows)
        EXPECT_EQ(runCount(e.row, "example.com"), expectedCount(e, "example.com"))
            << countRow(e.row).name;
    EXPECT_EQ(runCount(CQ_CHINARANK, "example.com"),
              QString::number(fakeweb::simulatedChinaRank("example.com")));
}

TEST(RunCount, AllRowsAtOnceOnTheirOwnThreads) {
    fakeweb::SimulatedWeb web;
    std::vector<std::future<QString>> results;
    for (const Expected &e : kRows)
        results.push_back(std::async(std::launch::async, [&e] { return runCount(e.row, "a.cn"); }));
    for (size_t i = 0; i < results.size(); ++i)
        EXPECT_EQ(results[i].get(), expectedCount(kRows[i], "a.cn")) << countRow(kRows[i].row).name;
}

TEST(RunCount, DomainWithSchemeOrChineseReachesTheEngineVerbatim) {
    fakeweb::SimulatedWeb web;
    for (const char *domain : {"http://www.example.com", "中文网站.中国", "a b.com"}) {
        web.server(EP_BAIDU).clearRequests();
        const QString text = testpages::text(domain);
        EXPECT_EQ(runCount(CQ_BAIDU_SITE, text),
                  QString::number(fakeweb::simulatedCount(EP_BAIDU, CountKind::Site, domain)))
            << domain;
        const auto requests = web.server(EP_BAIDU).requests();
        ASSERT_EQ(requests.size(), 1u);
        // The wire carries what a request line can: the domain's UTF-8, percent-encoded
        // only where bytes cannot stand in a request line.
        EXPECT_EQ(QByteArray::fromPercentEncoding(QByteArray::fromStdString(requests[0].target)),
                  ("/s?wd=site:" + text).toUtf8());
    }
}

// Pages of one engine that differ from what the simulated web serves by default.
class EnginePage : public testing::Test {
protected:
    void SetUp() override {
        setEndpoint(EP_BAIDU, QString::fromStdString(web.base()));
        setEndpoint(EP_GOOGLE_HK, QString::fromStdString(web.base()));
        setEndpoint(EP_CHINARANK, QString::fromStdString(web.base()));
    }
    void TearDown() override {
        for (Endpoint e : {EP_BAIDU, EP_GOOGLE_HK, EP_CHINARANK})
            setEndpoint(e, defaultEndpoint(e));
    }
    void serve(const std::string &path, const std::string &body, const std::string &type) {
        web.route(path, fakeweb::Reply{200, body, type});
    }
    fakeweb::FakeWeb web;
};

TEST_F(EnginePage, BaiduCountWithAndWithoutAbout) {
    serve("/s", fakeweb::baiduResultsPage(1234567, true), "text/html");
    EXPECT_EQ(runCount(CQ_BAIDU_SITE, "example.com"), "1234567");
    serve("/s", fakeweb::baiduResultsPage(321, false), "text/html");
    EXPECT_EQ(runCount(CQ_BAIDU_SITE, "example.com"), "321");
}

TEST_F(EnginePage, GoogleLinksNeedTheResultsWordAfterTheBoldCount) {
    serve("/search", fakeweb::googleResultsPage(8160, false), "text/html; charset=UTF-8");
    EXPECT_EQ(runCount(CQ_GOOGLE_LINK, "example.com"), "0");
    EXPECT_EQ(runCount(CQ_GOOGLE_SITE, "example.com"), "8160");
    serve("/search", fakeweb::googleResultsPage(8160, true), "text/html; charset=UTF-8");
    EXPECT_EQ(runCount(CQ_GOOGLE_LINK, "example.com"), "8160");
}

TEST_F(EnginePage, ChinaRankIgnoresTheDigitOfItsClassName) {
    serve("/overview/Info.do", fakeweb::chinaRankPage(12), "text/html");
    EXPECT_EQ(runCount(CQ_CHINARANK, "example.com"), "12");
}

TEST_F(EnginePage, UnreachableEngineGivesZero) {
    setEndpoint(EP_BAIDU, testpages::unresolvableHost());
    EXPECT_EQ(runCount(CQ_BAIDU_SITE, "example.com"), "0");
}

} // namespace
