// Every row's request address, and the domain going in verbatim.
#include "queries/count_queries.h"
#include "test_pages.h"

#include <gtest/gtest.h>

using namespace tolvera;

namespace {

// Endpoints with short recognisable values, restored after each test.
class CountAddress : public testing::Test {
protected:
    void SetUp() override {
        const std::pair<Endpoint, const char *> hosts[] = {
            {EP_BAIDU, "http://bd"}, {EP_GOOGLE_HK, "http://gg"}, {EP_YAHOO_SITEMAP, "http://yh"},
            {EP_SOGOU, "http://sg"}, {EP_YOUDAO, "http://yd"},    {EP_CHINARANK, "http://cr"},
        };
        for (const auto &[which, host] : hosts)
            setEndpoint(which, QString::fromLatin1(host));
    }
    void TearDown() override {
        for (int i = 0; i < kEndpointCount; ++i)
            setEndpoint(Endpoint(i), defaultEndpoint(Endpoint(i)));
    }
};

TEST_F(CountAddress, AllRowsForOneDomain) {
    const struct {
        CountQuery row;
        const char *name;
        const char *address;
    } rows[] = {
        {CQ_BAIDU_SITE, "CQ_BAIDU_SITE", "http://bd/s?wd=site:example.com"},
        {CQ_BAIDU_SITE_DAY, "CQ_BAIDU_SITE_DAY", "http://bd/s?wd=site:example.com&lm=1"},
        {CQ_BAIDU_SITE_WEEK, "CQ_BAIDU_SITE_WEEK", "http://bd/s?wd=site:example.com&lm=7"},
        {CQ_BAIDU_SITE_MONTH, "CQ_BAIDU_SITE_MONTH", "http://bd/s?wd=site:example.com&lm=30"},
        {CQ_BAIDU_SITE_YEAR, "CQ_BAIDU_SITE_YEAR", "http://bd/s?wd=site:example.com&lm=360"},
        {CQ_BAIDU_DOMAIN, "CQ_BAIDU_DOMAIN", "http://bd/s?wd=domain:example.com"},
        {CQ_GOOGLE_SITE, "CQ_GOOGLE_SITE", "http://gg/search?hl=zh-CN&q=site:example.com"},
        {CQ_GOOGLE_SITE_DAY, "CQ_GOOGLE_SITE_DAY",
         "http://gg/search?hl=zh-CN&q=site:example.com&tbs=qdr:d"},
        {CQ_GOOGLE_SITE_WEEK, "CQ_GOOGLE_SITE_WEEK",
         "http://gg/search?hl=zh-CN&q=site:example.com&tbs=qdr:w"},
        {CQ_GOOGLE_SITE_MONTH, "CQ_GOOGLE_SITE_MONTH",
         "http://gg/search?hl=zh-CN&q=site:example.com&tbs=qdr:m"},
        {CQ_GOOGLE_SITE_YEAR, "CQ_GOOGLE_SITE_YEAR",
         "http://gg/search?hl=zh-CN&q=site:example.com&tbs=qdr:y"},
        {CQ_GOOGLE_LINK, "CQ_GOOGLE_LINK", "http://gg/search?hl=zh-CN&q=link:example.com"},
        {CQ_YAHOO_SITE, "CQ_YAHOO_SITE", "http://yh/search?p=example.com"},
        {CQ_YAHOO_LINK, "CQ_YAHOO_LINK", "http://yh/search?p=example.com&bwm=i"},
        {CQ_SOGOU_SITE, "CQ_SOGOU_SITE", "http://sg/web?query=site:example.com"},
        {CQ_SOGOU_SITE_DAY, "CQ_SOGOU_SITE_DAY", "http://sg/web?query=site:example.com&tsn=1"},
        {CQ_SOGOU_SITE_WEEK, "CQ_SOGOU_SITE_WEEK", "http://sg/web?query=site:example.com&tsn=2"},
        {CQ_SOGOU_SITE_MONTH, "CQ_SOGOU_SITE_MONTH", "http://sg/web?query=site:example.com&tsn=3"},
        {CQ_SOGOU_SITE_YEAR, "CQ_SOGOU_SITE_YEAR", "http://sg/web?query=site:example.com&tsn=4"},
        {CQ_SOGOU_LINK, "CQ_SOGOU_LINK", "http://sg/web?query=link:example.com"},
        {CQ_YOUDAO_SITE, "CQ_YOUDAO_SITE", "http://yd/search?q=site:example.com"},
        {CQ_YOUDAO_SITE_DAY, "CQ_YOUDAO_SITE_DAY", "http://yd/search?q=site:example.com&lm=1"},
        {CQ_YOUDAO_SITE_WEEK, "CQ_YOUDAO_SITE_WEEK", "http://yd/search?q=site:example.com&lm=7"},
        {CQ_YOUDAO_SITE_MONTH, "CQ_YOUDAO_SITE_MONTH", "http://yd/search?q=site:example.com&lm=30"},
        {CQ_YOUDAO_SITE_YEAR, "CQ_YOUDAO_SITE_YEAR", "http://yd/search?q=site:example.com&lm=360"},
        {CQ_YOUDAO_LINK, "CQ_YOUDAO_LINK", "http://yd/search?q=link:example.com"},
        {CQ_CHINARANK, "CQ_CHINARANK", "http://cr/overview/Info.do?url=example.com"},
    };
    ASSERT_EQ(std::size(rows), size_t(kCountQueryCount));
    for (const auto &r : rows) {
        EXPECT_STREQ(countRow(r.row).name, r.name);
        EXPECT_EQ(countAddress(r.row, "example.com"), QString::fromLatin1(r.address)) << r.name;
    }
}

TEST_F(CountAddress, DomainGoesInVerbatim) {
    const struct {
        const char *domain;
        const char *address;
    } cases[] = {
        {"http://Example.com", "http://bd/s?wd=site:http://Example.com"},
        {"中文网站.com", "http://bd/s?wd=site:中文网站.com"},
        {"a b.com", "http://bd/s?wd=site:a b.com"},
        {"", "http://bd/s?wd=site:"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(countAddress(CQ_BAIDU_SITE, testpages::text(c.domain)),
                  testpages::text(c.address));
}

} // namespace
