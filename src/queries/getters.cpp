#include "queries/getters.h"

#include "fetch/text.h"
#include "queries/endpoints.h"
#include "queries/getter_frame.h"
#include "queries/result_texts.h"

namespace tolvera {

namespace {

constexpr const char16_t *kGb2312 = u"GB2312";
constexpr const char16_t *kUtf8 = u"utf-8";

// --- getpr: the character right before the page's first link end. The lookup
// page puts the PageRank there, so a PageRank of 10 reads as its last digit, 0.

QString prAddress(const QString &site) {
    return endpoint(EP_PR_LOOKUP) + QStringLiteral("/getpr.asp?queryurl=") + site +
           QStringLiteral("&show=1");
}

QString prPattern(const QString &) {
    return QStringLiteral(">([\\s\\S]+?)</a>");
}

QString prCut(QString match, const QString &) {
    match.remove(QStringLiteral("</a>"));
    // One character, as the user sees it: a surrogate pair stays whole.
    const qsizetype length = match.size() >= 2 && match.back().isLowSurrogate() ? 2 : 1;
    return match.right(length);
}

// --- getsr: the rating out of 100 behind Sogou's rating label.

QString sogouAddress(const QString &site) {
    return endpoint(EP_SOGOU) + QStringLiteral("/web?query=") + site;
}

QString sogouPattern(const QString &) {
    return QStringLiteral("搜狗评级:([\\s\\S]+?)100");
}

QString sogouCut(QString match, const QString &) {
    match.remove(QStringLiteral("搜狗评级:"));
    match.remove(QStringLiteral("/100"));
    return match;
}

// --- getwordpm: the text of the second Alexa China link to the site's traffic figures.

// The site as the links name it: the search itself is sent with its "www.".
QString alexaSite(const QString &input) {
    QString site = input;
    return site.remove(QStringLiteral("www."));
}

QString alexaLinkHead(const QString &input) {
    return QStringLiteral("<a href=\"/siteinfo/") + alexaSite(input) +
           QStringLiteral("#trafficstats\">");
}

QString alexaAddress(const QString &site) {
    return endpoint(EP_ALEXA_CN) + QStringLiteral("/search?q=") + site +
           QStringLiteral("&r=_site&p=bigtop");
}

// The site goes in unescaped: its dots match any character.
QString alexaPattern(const QString &input) {
    return alexaLinkHead(input) + QStringLiteral("([\\s\\S]+?)</a>");
}

QString alexaCut(QString match, const QString &input) {
    match.remove(alexaLinkHead(input) + QChar(u'\n'));
    match.remove(QStringLiteral("</a>"));
    match.remove(u',');
    return trimControls(match);
}

// --- gettitle: the home page's first non-empty title element.

QString titleAddress(const QString &address) {
    return address;
}

QString titlePattern(const QString &) {
    return QStringLiteral("<title>[^<]+</title>");
}

QString titleCut(QString match, const QString &) {
    match.remove(QStringLiteral("<title>"));
    match.remove(QStringLiteral("</title>"));
    return match;
}

// clang-format off
//                           address       charset  pattern       item cut       error text
constexpr GetterRecipe kPageRank {prAddress,    kGb2312, prPattern,    0,   prCut,    kPageRankError};
constexpr GetterRecipe kSogouRank{sogouAddress, kGb2312, sogouPattern, 0,   sogouCut, kLookupError};
constexpr GetterRecipe kAlexaRank{alexaAddress, kGb2312, alexaPattern, 1,   alexaCut, kLookupError};
constexpr GetterRecipe kTitle    {titleAddress, kUtf8,   titlePattern, 0,   titleCut, kLookupError};
// clang-format on

} // namespace

QString getpr(const QString &site) {
    return runGetter(kPageRank, site);
}

QString getsr(const QString &site) {
    return runGetter(kSogouRank, site);
}

QString getwordpm(const QString &site) {
    return runGetter(kAlexaRank, site);
}

QString gettitle(const QString &address) {
    return runGetter(kTitle, address);
}

QString prFromPage(const QString &page) {
    return cutFromPage(kPageRank, page, {});
}

QString srFromPage(const QString &page) {
    return cutFromPage(kSogouRank, page, {});
}

QString wordpmFromPage(const QString &page, const QString &site) {
    return cutFromPage(kAlexaRank, page, site);
}

QString titleFromPage(const QString &page) {
    return cutFromPage(kTitle, page, {});
}

} // namespace tolvera
