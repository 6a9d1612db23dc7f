// Which declaration decides a page's decoding, and what text comes out.
#include "fake_web.h"
#include "fetch/gethtml.h"
#include "test_pages.h"

#include <gtest/gtest.h>

using namespace testpages;

namespace {

struct DecodingCase {
    const char *name;
    std::string contentType; // "" sends no charset of ours (the server says text/plain)
    std::string body;
    const char *fallback;
    const char *expected; // UTF-8 of the page text, or the failure marker
};

// 喆 is a GBK character outside GB2312: a strict gb2312 decoder would mangle it.
const std::string kGbkBody = gbk("<p>标题 ABC 喆</p>");
const char *kGbkText = "<p>标题 abc 喆</p>";
const std::string kUtf8Body = "<p>标题 ABC 喆</p>";

const DecodingCase kCases[] = {
    {"HeaderUtf8GivesTextView", "text/html; charset=UTF-8", kUtf8Body, "GB2312", kGbkText},
    {"HeaderUtf8AnyCase", "text/html; CHARSET=Utf-8", kUtf8Body, "GB2312", kGbkText},
    {"HeaderGbkWinsOverPageAndFallback", "text/html; charset=gbk",
     gbk("<meta charset=utf-8><p>标题 ABC 喆</p>"), "utf-8",
     "<meta charset=utf-8><p>标题 abc 喆</p>"},
    {"PageGb2312DecodesGbkCharacters", "text/html",
     gbk("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">喆A"), "utf-8",
     "<meta http-equiv=\"content-type\" content=\"text/html; charset=gb2312\">喆a"},
    {"PageUtf8InCapitalsGivesTextView", "text/html", "<META CHARSET=UTF-8>标题Z", "GB2312",
     "<meta charset=utf-8>标题z"},
    {"QuotedPageDeclarationLeavesFallback", "text/html", gbk("<meta charset=\"utf-8\">标题"),
     "GB2312", "<meta charset=\"utf-8\">标题"},
    {"FirstDeclarationWinsEvenInScript", "text/html",
     gbk("<script>var c='charset=gbk';</script><meta charset=utf-8>标题"), "utf-8",
     "<script>var c='charset=gbk';</script><meta charset=utf-8>标题"},
    {"HeaderWithParametersReachesDecoderAndFails", "text/html; charset=utf-8; x=1", kUtf8Body,
     "utf-8", "网络超时"},
    {"UnknownDeclaredNameFails", "text/html; charset=klingon", kUtf8Body, "utf-8", "网络超时"},
    {"NoDeclarationUsesFallbackUtf8", "text/html", kUtf8Body, "utf-8", kGbkText},
    {"NoDeclarationUsesFallbackGb2312", "text/html", kGbkBody, "GB2312", kGbkText},
    {"BlankFallbackMeansGb2312", "text/html", kGbkBody, " \t ", kGbkText},
    {"EmptyFallbackMeansGb2312", "text/html", kGbkBody, "", kGbkText},
    {"NoContentTypeFallsThroughToPage", "", gbk("<meta charset=gbk>喆"), "utf-8",
     "<meta charset=gbk>喆"},
    {"InvalidUtf8InTextViewDoesNotFail", "text/html; charset=utf-8", "ok\xff\xfe", "GB2312",
     "ok\xef\xbf\xbd\xef\xbf\xbd"},
    {"OnlyAsciiCapitalsAreLowered", "text/html; charset=utf-8", "ÀÉ ＡＢ ΣΩ XY", "utf-8",
     "ÀÉ ＡＢ ΣΩ xy"},
};

void PrintTo(const DecodingCase &c, std::ostream *os) {
    *os << c.name;
}

class CharsetDecision : public testing::TestWithParam<DecodingCase> {};

TEST_P(CharsetDecision, DecodesAsDeclared) {
    const DecodingCase &c = GetParam();
    fakeweb::FakeWeb web;
    fakeweb::Reply reply;
    reply.contentType = c.contentType;
    reply.body = c.body;
    web.route("/page", reply);

    const QString page = tolvera::getHTML(QString::fromStdString(web.base() + "/page"),
                                          QString::fromUtf8(c.fallback));
    EXPECT_EQ(page.toStdString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Pages, CharsetDecision, testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CharsetDecisionStatus, ErrorPageIsDecodedLikeAnyPage) {
    fakeweb::FakeWeb web;
    fakeweb::Reply reply;
    reply.status = 404;
    reply.contentType = "text/html; charset=gb2312";
    reply.body = gbk("<h1>页面不存在 NOT FOUND</h1>");
    web.route("/missing", reply);

    EXPECT_EQ(tolvera::getHTML(QString::fromStdString(web.base() + "/missing"), "utf-8"),
              text("<h1>页面不存在 not found</h1>"));
}

} // namespace
