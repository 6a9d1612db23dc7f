#include "overview/keyword_rank.h"

#include "fetch/gethtml.h"
#include "fetch/text.h"
#include "platform/charset.h"
#include "platform/tregexp.h"
#include "queries/endpoints.h"

namespace tolvera {

namespace {

QString baiduRankAddress(const QString &keyword) {
    return endpoint(EP_BAIDU) + QStringLiteral("/s?wd=") + URLencode(keyword) +
           QStringLiteral("&rn=100");
}

QString googleRankAddress(const QString &keyword) {
    return endpoint(EP_GOOGLE_HK) + QStringLiteral("/search?hl=zh-CN&num=100&q=") +
           URLencode(keyword);
}

// An address line where the engine set the keyword in bold becomes free of inner
// tags, so that the entry pattern can match it. Exact, letter case included.
QString unwrapKeyword(QString page, const QString &keyword) {
    if (keyword.isEmpty())
        return page;
    return page.replace(QStringLiteral("<b>") + keyword + QStringLiteral("</b>"), keyword);
}

} // namespace

const RankEngine kBaiduRank{baiduRankAddress, u"GB2312", u"<font color=\"#008000\">[^<]+</font>"};
const RankEngine kGoogleRank{googleRankAddress, u"utf-8", u"<font color=\"green\">[^<]+k</font>"};

QString URLencode(const QString &text) {
    static const char hex[] = "0123456789ABCDEF";
    QString encoded;
    const QByteArray bytes = encodeGbk(text);
    encoded.reserve(bytes.size() * 3);
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        encoded.append(u'%');
        encoded.append(QLatin1Char(hex[b >> 4]));
        encoded.append(QLatin1Char(hex[b & 0x0f]));
    }
    return encoded;
}

QString getph(const QString &site, const QString &address, const QString &keyword,
              const QString &charset, const QString &pattern) {
    try {
        return phFromPage(site, getHTML(address, charset), keyword, pattern);
    } catch (...) {
        return QStringLiteral("0");
    }
}

QString phFromPage(const QString &site, const QString &page, const QString &keyword,
                   const QString &pattern) {
    try {
        const QString unwrapped = unwrapKeyword(page, trimControls(keyword));
        TRegExp entries;
        entries.Global = true;
        entries.Multiline = true;
        entries.IgnoreCase = false;
        entries.Pattern = pattern;
        if (!entries.Test(unwrapped))
            return QString::fromUtf16(kNoEntries);
        const TMatchCollection matches = entries.Execute(unwrapped);
        for (int i = 0; i < matches.Count(); ++i)
            if (matches.Item(i).Value().contains(site))
                return QString::number(i + 1);
        return QStringLiteral("0");
    } catch (...) {
        return QStringLiteral("0");
    }
}

QString rankOn(const RankEngine &engine, const QString &site, const QString &keyword) {
    return getph(site, engine.address(keyword), keyword, QString::fromUtf16(engine.charset),
                 QString::fromUtf16(engine.entryPattern));
}

} // namespace tolvera
