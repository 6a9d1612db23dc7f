// Harvesting a home page's friend links, and the link count with its link back.
#include "fake_web.h"
#include "linkaudit/audit_run.h"
#include "linkaudit/harvest.h"
#include "link_pages.h"
#include "service_fixture.h"
#include "simulated_web.h"
#include "test_pages.h"

#include <gtest/gtest.h>

using namespace tolvera;

namespace {

TEST(Harvest, TheTenExcludedDomains) {
    EXPECT_EQ(excludedDomains(),
              QStringList({"baidu.com", "yahoo.com", "google.com", "google.cn", "google.com.hk",
                           "miibeian.gov.cn", "qq.com", "soso.com", "sina.com.cn", "163.com"}));
}

TEST(Harvest, OneLinkCutDownToItsHost) {
    const QString own = "shop.cn";
    const struct {
        const char *match; // as the page text holds it: lower case
        const char *host;  // "" for a rejected link
    } cases[] = {
        {"href=\"http://a.cn/\" target=\"_blank\">", "a.cn"},
        {"href='http://a.cn/x/y.html?q=1'>", "a.cn"},
        {"href=\n\"http://a.cn\"\r\ntitle=\"friends\">", "a.cn"},
        {"href=http://a.cn?ref=1 target=_blank>", "a.cn"},
        {"href=\"http://a.cn\" target=\"_blank\">", "a.cn"},
        {"href=\"http://a.cn\" title=\"x\">", "a.cn"},
        {"href=\"http://a.cn:8080/\">", "a.cn:8080"},
        {"href=\"https://a.cn/\">", ""},
        {"href=\"/about.html\">", ""},
        {"href=\"mailto:x@a.cn\">", ""},
        {"href=\"javascript:void(0)\">", ""},
        {"href=\"http://www.baidu.com/\">", ""},
        {"href=\"http://news.163.com/\">", ""},
        {"href=\"http://a.cn/\" title=\"qq.com friends\">", ""},
        {"href=\"http://a.cn/google.cn\">", ""},
        {"href=\"http://shop.cn/news/\">", ""},
        {"href=\"http://m.shop.cn\">", ""},
        {"href=\"http://\">", ""},
        {"href=\"http:///x\">", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(friendHost(c.match, own), c.host) << c.match;
}

class HarvestPage : public testpages::ServiceTest {
protected:
    // The page that the address "127.0.0.1:PORT" has as its home page.
    QString serve(const std::string &body) {
        web.route("/", fakeweb::Reply{200, body, "text/html; charset=utf-8"});
        return QString::fromStdString("127.0.0.1:" + std::to_string(web.port()));
    }
};

TEST_F(HarvestPage, DistinctHostsNumberedByFirstAppearance) {
    const QString own = serve("<a href=\"http://b.cn/x\">1</a><a href='HTTP://A.CN'>2</a>\n"
                              "<a href=\"http://b.cn/y?z\">3</a><a href=http://c.cn>4</a>"
                              "<a href=\"http://A.cn/\">5</a>");
    LinkTable table;
    EXPECT_EQ(getqty1(table, " " + own + " "), "3");
    ASSERT_EQ(table.count(), 3);
    const char *hosts[] = {"b.cn", "a.cn", "c.cn"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table.row(i).seq, i + 1);
        EXPECT_EQ(table.row(i).text(LF_HTTP), hosts[i]);
    }
    EXPECT_EQ(targets(), std::vector<std::string>{"/"});
    EXPECT_EQ(web.requests().front().header("Host"), own.toStdString());
}

TEST_F(HarvestPage, PagesWithoutLinksAndFailedFetchesGiveZeroAndLeaveTheTable) {
    LinkTable table;
    table.append(1, "kept.cn");
    EXPECT_EQ(getqty1(table, serve("<html><body>no links here</body></html>")), "0");
    EXPECT_EQ(getqty1(table, "127.0.0.1:1"), "0");
    EXPECT_EQ(getqty1(table, "http://" + serve("<a href=\"http://a.cn\">x</a>")), "0")
        << "a typed scheme makes the address start with http:// twice";
    EXPECT_EQ(table.count(), 1);
}

TEST_F(HarvestPage, TheOwnAddressIsLoweredAndFreedOfSpaces) {
    const QString own = serve("<a href=\"http://a.cn\">a</a><a href=\"http://127.0.0.1:" +
                              std::to_string(web.port()) + "/x\">self</a>");
    LinkTable table;
    QString typed = own;
    typed.insert(4, "  ");
    EXPECT_EQ(getqty1(table, typed), "1");
    EXPECT_EQ(table.row(0).text(LF_HTTP), "a.cn");
}

TEST_F(HarvestPage, ALongHostIsCutToThirtyBytes) {
    const std::string longHost = std::string(40, 'x') + ".cn";
    LinkTable table;
    EXPECT_EQ(getqty1(table, serve("<a href=\"http://" + longHost + "/\">x</a>")), "1");
    EXPECT_EQ(table.row(0).text(LF_HTTP), QString(30, u'x'));
}

TEST(Getlzs, TheLinkedPagesLinksAndWhetherOneComesBack) {
    fakeweb::SimulatedWeb web;
    const auto friends = fakeweb::installLinkAudit(
        web, "shop.localhost",
        {{"back.localhost", true, 3}, {"none.localhost", false, 5}, {"bare.localhost", false, 0}});
    const QString shop = QString::fromStdString(web.siteAddress("shop.localhost"));
    const QString back = QString::fromStdString(friends[0]);
    EXPECT_EQ(getlzs(back, shop), testpages::text("4/有"));
    EXPECT_EQ(getlzs(back, "  " + shop.toUpper() + "\t"), testpages::text("4/有"))
        << "the audited address trimmed, compared ignoring case";
    EXPECT_EQ(getlzs(QString::fromStdString(friends[1]), shop), testpages::text("5/无"));
    EXPECT_EQ(getlzs(QString::fromStdString(friends[2]), shop), testpages::text("0/无"));
    EXPECT_EQ(getlzs("127.0.0.1:1", shop), testpages::text("0/无"));
}

} // namespace
