// The link table, its byte widths and the audit's numbers.
#include "linkaudit/audit_numbers.h"
#include "linkaudit/link_table.h"
#include "platform/charset.h"
#include "service_fixture.h"
#include "test_pages.h"

#include <gtest/gtest.h>

using namespace tolvera;
using testpages::text;

namespace {

TEST(LinkTable, NineFieldsInOrderWithTheirWidths) {
    const char *names[] = {"seq", "http", "ggsl", "Pr", "bdsl", "bdkz", "lzs", "fl", "ljqz"};
    const auto &fields = LinkTable::definitions();
    for (int i = 0; i < kLinkFieldCount; ++i) {
        EXPECT_STREQ(fields[i].name, names[i]);
        EXPECT_EQ(fields[i].isInteger, i == LF_SEQ);
        EXPECT_EQ(fields[i].width, i == LF_SEQ ? 0 : i == LF_HTTP ? 30 : 20);
    }
}

TEST(LinkTable, RowsKeepTheirOrderAndHostsAreFoundIgnoringCase) {
    LinkTable table;
    table.append(1, "b.cn");
    table.append(2, "a.cn");
    EXPECT_EQ(table.count(), 2);
    EXPECT_EQ(table.row(0).seq, 1);
    EXPECT_EQ(table.row(1).text(LF_HTTP), "a.cn");
    EXPECT_TRUE(table.containsHttp("A.CN"));
    EXPECT_FALSE(table.containsHttp("a.c"));
    EXPECT_FALSE(table.containsHttp("www.a.cn"));
    EXPECT_EQ(table.emptyCopy().count(), 0);
    table.clear();
    EXPECT_EQ(table.count(), 0);
}

TEST(LinkTable, LongTextsAreStoredAndFoundInTheirCutForm) {
    LinkTable table;
    const QString longHost = QString(36, u'a') + ".cn";
    table.append(1, longHost);
    EXPECT_EQ(table.row(0).text(LF_HTTP), QString(30, u'a'));
    EXPECT_TRUE(table.containsHttp(longHost)) << "the same host again is a duplicate";
    EXPECT_TRUE(table.containsHttp(QString(30, u'a') + "b.com"))
        << "hosts alike in their first 30 bytes are one row";
    table.setText(0, LF_BDKZ, QString(25, u'9'));
    EXPECT_EQ(table.row(0).text(LF_BDKZ), QString(20, u'9'));
}

TEST(LinkTable, CutsNeverSplitACharacter) {
    const QString chinese = text("中文网站导航");          // 2 bytes a character
    const QString fourBytes = QString::fromUcs4(U"\U00020000ab"); // 4 GB18030 bytes, then 2
    const struct {
        QString in;
        int width;
        QString out;
    } cases[] = {
        {"abc", 3, "abc"},  {"abcd", 3, "abc"},          {chinese, 5, text("中文")},
        {chinese, 4, text("中文")}, {chinese, 1, ""},     {fourBytes, 3, ""},
        {fourBytes, 5, fourBytes.left(3)}, {"", 0, ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(cutToBytes(c.in, c.width), c.out) << c.in.toStdString() << " " << c.width;
        EXPECT_LE(encodeGbk(cutToBytes(c.in, c.width)).size(), c.width);
    }
}

TEST(AuditNumbers, RoundingToTwoDecimalsAndNumberTexts) {
    const struct {
        double value;
        const char *text;
    } cases[] = {
        {1.0 / 3.0, "0.33"}, {3.0 / 10.0, "0.3"}, {2.0, "2"},   {1.0 / 8.0, "0.12"}, // tie: even
        {5.0 / 8.0, "0.62"}, {0.0, "0"},          {9.0, "9"},   {2.0 / 3.0, "0.67"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(numberText(roundTo2(c.value)), c.text) << c.value;
}

TEST(AuditNumbers, OnlyDecimalWholeNumbersAreNumbers) {
    EXPECT_EQ(wholeNumber("7"), 7);
    EXPECT_EQ(wholeNumber("0"), 0);
    EXPECT_EQ(wholeNumber("-3"), -3);
    for (const char *no : {"", "...", " 7", "7 ", "0.5", "1e3", "+", "12a"})
        EXPECT_EQ(wholeNumber(no), std::nullopt) << no;
    EXPECT_EQ(wholeNumber(text("没有找到~!")), std::nullopt);
    EXPECT_EQ(decimalNumber("0.33"), 0.33);
    EXPECT_EQ(decimalNumber(""), std::nullopt);
    EXPECT_EQ(decimalNumber(text("查找出错了~!")), std::nullopt);
}

} // namespace
