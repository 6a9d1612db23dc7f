// The count scraper: page in, digits or "0" out.
#include "fake_web.h"
#include "fetch/getqty.h"
#include "test_pages.h"

#include <gtest/gtest.h>

using namespace testpages;

namespace {

TEST(Replacestr, KeepsDigitsOfTheWholeMatch) {
    const struct {
        const char *in;
        const char *out;
    } cases[] = {
        {"<span class=\"rank_font_y2\">12</span>", "12"}, // not 212
        {"获得约 <b>8,160</b>", "8160"},
        {"<!--resultbarnum:0-->", "0"},
        {"找到相关网页约1,234,567篇", "1234567"},
        {"共 <strong>007</strong>", "007"}, // leading zeros stay
        {"共１２３条结果", ""},             // full-width digits are not digits
        {"rank_font_Y2 9", "29"},           // the class name is removed case-sensitively
        {"no digits here", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tolvera::replacestr(text(c.in)), text(c.out)) << c.in;
}

class Getqty : public testing::Test {
protected:
    void serve(const std::string &utf8Body) {
        web.route("/q", fakeweb::Reply{200, utf8Body, "text/html; charset=utf-8"});
    }
    QString count(const char *pattern) {
        return tolvera::getqty(QString::fromStdString(web.base() + "/q"), "utf-8", text(pattern));
    }
    fakeweb::FakeWeb web;
};

TEST_F(Getqty, TakesTheFirstMatchOfAPatternMatchedWithoutRegardToCase) {
    serve("<P>共 <STRONG>1,234</STRONG> 条 ... 共 <strong>99</strong></P>");
    EXPECT_EQ(count("共 <strong>([\\s\\S]+?)</strong>"), "1234");
    EXPECT_EQ(count("共 <STRONG>([\\s\\S]+?)</STRONG>"), "1234");
}

TEST_F(Getqty, MatchWithoutDigitsIsEmptyAndNoMatchIsZero) {
    serve("<p>共 <strong>很多</strong></p>");
    EXPECT_EQ(count("共 <strong>([\\s\\S]+?)</strong>"), "");
    EXPECT_EQ(count("找到相关网页(约)?([\\s\\S]+?)篇"), "0");
}

TEST_F(Getqty, InvalidPatternIsZero) {
    serve("<p>共 <strong>5</strong></p>");
    EXPECT_EQ(count("共 <strong>(["), "0");
}

TEST(GetqtyFailure, UnreachableAddressIsZero) {
    EXPECT_EQ(tolvera::getqty(unresolvableHost() + "/q", "utf-8", text("共([\\s\\S]+?)条结果")),
              "0");
}

} // namespace
