// The Baidu snapshot date of a host, from the first green address line showing it.
#include "queries/getkz.h"
#include "queries/result_texts.h"
#include "rank_pages.h"
#include "rank_services.h"
#include "service_fixture.h"
#include "service_pages.h"
#include "simulated_web.h"
#include "test_pages.h"

#include <gtest/gtest.h>

using namespace tolvera;

namespace {

std::string greenLine(const std::string &host, const std::string &rest) {
    return "<font color=\"#008000\"><b>" + host + "</b>/" + rest + "</font>";
}

class Snapshot : public testpages::ServiceTest {
protected:
    void SetUp() override { pointAt({EP_BAIDU}); }
};

TEST_F(Snapshot, DateOfTheFirstLineShowingTheHost) {
    const std::string lowerPrefix = "<font color=\"#008000\"><b>";
    const struct {
        const char *name;
        std::string page;
        const char *address;
        QString expected;
    } cases[] = {
        {"first of several results", fakeweb::baiduKeywordPage("example.com", "2026-12-01"),
         "example.com", " 2026-12-01"},
        {"capitals keep the prefix", fakeweb::baiduKeywordPage("example.com", "2026-12-01"),
         "Example.COM", QString::fromStdString(lowerPrefix + "example.com</b>/ 2026-12-01")},
        {"dots match another host", greenLine("www-example-com", " 2026-11-30"), "www.example.com",
         QString::fromStdString(lowerPrefix + "www-example-com</b>/ 2026-11-30")},
        {"blanks kept", greenLine("a.cn", "  2026-12-01 \n"), "a.cn", "  2026-12-01 \n"},
        {"unbalanced bracket", greenLine("a(b.cn", " 2026-12-01"), "a(b.cn",
         QString::fromUtf16(kLookupError)},
        {"address line without bold host", fakeweb::baiduResultsPage(12, true), "example.com",
         QString::fromUtf16(kNotFound)},
        {"host without a slash after it", "<font color=\"#008000\"><b>a.cn</b> 2026</font>", "a.cn",
         QString::fromUtf16(kNotFound)},
    };
    for (const auto &c : cases) {
        web.route("/s", fakeweb::Reply{200, c.page, "text/html; charset=gb2312"});
        EXPECT_EQ(getkz(QString::fromUtf8(c.address)), c.expected) << c.name;
    }
}

TEST_F(Snapshot, AsksForTheHostAsAPlainKeyword) {
    web.route("/s", fakeweb::Reply{200, fakeweb::baiduKeywordPage("a.cn", "2026-12-01")});
    getkz("www.a.cn");
    EXPECT_EQ(targets(), std::vector<std::string>{"/s?wd=www.a.cn"});
}

TEST_F(Snapshot, UnreachableBaiduGivesNotFound) {
    setEndpoint(EP_BAIDU, testpages::unresolvableHost());
    EXPECT_EQ(getkz("example.com"), QString::fromUtf16(kNotFound));
}

TEST(SnapshotOnTheSimulatedWeb, ReadsTheSimulatedDate) {
    fakeweb::SimulatedWeb sim;
    EXPECT_EQ(getkz("www.example.com"),
              QString::fromStdString(" " + fakeweb::simulatedSnapshotDate("www.example.com")));
}

} // namespace
