// The pattern object's dialect and errors.
#include "platform/tregexp.h"
#include "test_pages.h"

#include <gtest/gtest.h>

using testpages::text;
using tolvera::RegExpError;
using tolvera::TRegExp;

namespace {

TRegExp pattern(const char *p, bool ignoreCase = true) {
    TRegExp re;
    re.Pattern = text(p);
    re.Global = true;
    re.Multiline = true;
    re.IgnoreCase = ignoreCase;
    return re;
}

QStringList allMatches(TRegExp &re, const QString &subject) {
    QStringList out;
    const auto matches = re.Execute(subject);
    for (int i = 0; i < matches.Count(); ++i)
        out << matches.Item(i).Value();
    return out;
}

TEST(TRegExp, LazyRunSpansFromFirstPrefixToNearestSuffixAcrossLines) {
    TRegExp re = pattern("<b>([\\s\\S]+?)</b>");
    EXPECT_EQ(allMatches(re, text("x<b>1\n2</b> <b>3</b>")),
              QStringList({text("<b>1\n2</b>"), text("<b>3</b>")}));
}

TEST(TRegExp, DotStopsAtLineFeedAndGreedyRunsToLineEnd) {
    TRegExp re = pattern("charset=(.+)");
    re.Multiline = false;
    EXPECT_EQ(allMatches(re, text("text/html; charset=gbk; x=1\nnext")),
              QStringList({text("charset=gbk; x=1")}));
}

TEST(TRegExp, IgnoreCaseFoldsAndItsAbsenceDoesNot) {
    TRegExp folding = pattern("<TITLE>");
    TRegExp exact = pattern("<TITLE>", false);
    EXPECT_TRUE(folding.Test(text("<title>")));
    EXPECT_FALSE(exact.Test(text("<title>")));
}

TEST(TRegExp, OptionalGroupAndChineseLiterals) {
    TRegExp re = pattern("找到相关网页(约)?([\\s\\S]+?)篇");
    EXPECT_EQ(allMatches(re, text("找到相关网页约12篇 找到相关网页3篇")),
              QStringList({text("找到相关网页约12篇"), text("找到相关网页3篇")}));
}

TEST(TRegExp, ExecuteAfterTestOnAnotherSubjectSearchesThatSubject) {
    TRegExp re = pattern("a+");
    EXPECT_TRUE(re.Test(text("xxxxxxaaa")));
    EXPECT_EQ(allMatches(re, text("a b aa")), QStringList({text("a"), text("aa")}));
    re.Pattern = text("b");
    EXPECT_EQ(allMatches(re, text("xxxxxxaaa")), QStringList());
}

TEST(TRegExp, ABufferRewrittenInPlaceBetweenTestAndExecuteIsSearchedAnew) {
    TRegExp re = pattern("b+");
    char16_t buffer[] = u"aaaaaaaaaa";
    const QString view = QString::fromRawData(reinterpret_cast<const QChar *>(buffer), 10);
    EXPECT_FALSE(re.Test(view));
    buffer[7] = u'b';
    EXPECT_EQ(allMatches(re, view), QStringList({text("b")}));
    buffer[7] = u'a';
    buffer[8] = u'b';
    EXPECT_TRUE(re.Test(view));
    buffer[8] = u'a';
    buffer[2] = u'b';
    EXPECT_EQ(allMatches(re, view), QStringList({text("b")}));
}

TEST(TRegExp, WithoutGlobalExecuteYieldsOnlyTheFirstMatch) {
    TRegExp re = pattern("\\d");
    re.Global = false;
    EXPECT_EQ(allMatches(re, text("1 2 3")), QStringList({text("1")}));
}

TEST(TRegExp, ErrorsReachTheCaller) {
    TRegExp unbalanced = pattern("<b>www.(example.com</b>");
    EXPECT_THROW(unbalanced.Test(text("x")), RegExpError);
    EXPECT_THROW(unbalanced.Execute(text("x")), RegExpError);

    TRegExp one = pattern("x");
    const auto matches = one.Execute(text("x"));
    EXPECT_EQ(matches.Count(), 1);
    EXPECT_THROW(matches.Item(1), RegExpError);
    EXPECT_THROW(matches.Item(-1), RegExpError);
}

} // namespace
