// What each launcher opens, and what may be handed to a browser at all.
#include "overview/launchers.h"
#include "platform/browsable_url.h"
#include "queries/count_queries.h"
#include "queries/endpoints.h"
#include "test_pages.h"

#include <gtest/gtest.h>

using namespace tolvera;

namespace {

TEST(Launchers, EveryControlOpensItsOwnAddress) {
    const QString d = "www.example.com";
    const struct {
        const char *control;
        QString expected;
    } cases[] = {
        {"TXTBD1", countAddress(CQ_BAIDU_SITE, d)},
        {"TXTBD2", countAddress(CQ_BAIDU_DOMAIN, d)},
        {"TXTBD6", countAddress(CQ_BAIDU_SITE_YEAR, d)},
        {"TXTGG2", countAddress(CQ_GOOGLE_LINK, d)},
        {"TXTGG3", countAddress(CQ_GOOGLE_SITE_DAY, d)},
        {"TXTYH1", countAddress(CQ_YAHOO_SITE, d)},
        {"TXTYH2", countAddress(CQ_YAHOO_LINK, d)},
        {"TXTYH3", countAddress(CQ_YAHOO_LINK, d)},
        {"TXTYH6", countAddress(CQ_YAHOO_LINK, d)},
        {"TXTSG4", countAddress(CQ_SOGOU_SITE_WEEK, d)},
        {"TXTYD5", countAddress(CQ_YOUDAO_SITE_MONTH, d)},
        {"TXTYD2", countAddress(CQ_YOUDAO_LINK, d)},
        {"Image1", d},
        {"Image2", endpoint(EP_BAIDU) + "/"},
        {"Image4", endpoint(EP_YAHOO_SITEMAP) + "/"},
        {"Image6", endpoint(EP_YOUDAO) + "/"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(launcherAddress(c.control, d), c.expected) << c.control;
    EXPECT_EQ(launcherControls().size(), 36);
    for (const QString &control : launcherControls())
        EXPECT_TRUE(launcherAddress(control, d).has_value()) << control.toStdString();
}

TEST(Launchers, AnEmptyDomainStillOpensTheSearchPagesButNotTheSite) {
    EXPECT_EQ(launcherAddress("TXTBD1", ""), endpoint(EP_BAIDU) + "/s?wd=site:");
    EXPECT_EQ(launcherAddress("Image3", ""), endpoint(EP_GOOGLE_HK) + "/");
    EXPECT_EQ(launcherAddress("Image1", ""), std::nullopt);
    EXPECT_EQ(launcherAddress("Edit7", "a.cn"), std::nullopt) << "the national rank is no link";
}

TEST(BrowsableUrl, OnlyPlainWebAddressesAreOpened) {
    const struct {
        QString text;
        std::optional<QString> opened;
    } cases[] = {
        {"http://www.example.com/s?wd=site:a.cn", "http://www.example.com/s?wd=site:a.cn"},
        {"HTTPS://Example.com/x", "https://example.com/x"},
        {"www.example.com", "http://www.example.com"},
        {"shop.localhost:8080", "http://shop.localhost:8080"},
        {testpages::text("中文.cn"), "http://中文.cn"},
        {"a.cn:80/x?y", "http://a.cn:80/x?y"},
        {"file:///etc/passwd", std::nullopt},
        {"file:/etc/passwd", std::nullopt},
        {"javascript:alert(1)", std::nullopt},
        {"mailto:a@b.cn", std::nullopt},
        {"", std::nullopt},
        {"http://", std::nullopt},
        {testpages::text("请输入要查询的网址"), "http://请输入要查询的网址"},
    };
    for (const auto &c : cases) {
        const std::optional<QUrl> url = browsableUrl(c.text);
        ASSERT_EQ(url.has_value(), c.opened.has_value()) << c.text.toStdString();
        if (url) {
            EXPECT_EQ(*url, QUrl(*c.opened)) << c.text.toStdString();
        }
    }
}

} // namespace
