#include "queries/count_queries.h"

#include "fetch/getqty.h"

#include <array>

namespace tolvera {

namespace {

constexpr const char16_t *kGb2312 = u"GB2312";
constexpr const char16_t *kUtf8 = u"utf-8";

constexpr const char16_t *kBaidu = u"找到相关网页(约)?([\\s\\S]+?)篇";
constexpr const char16_t *kGooglePages = u"获得约 <b>([\\s\\S]+?)<\\/b>";
constexpr const char16_t *kGoogleLinks = u"获得约 <b>([\\s\\S]+?)<\\/b> 条结果";
constexpr const char16_t *kYahoo = u"共 <strong>([\\s\\S]+?)</strong>";
constexpr const char16_t *kSogou = u"<!--resultbarnum:([\\s\\S]+?)-->";
constexpr const char16_t *kYoudao = u"共([\\s\\S]+?)条结果";
constexpr const char16_t *kChinaRank = u"<span class=\"rank_font_y2\">([\\s\\S]+?)</span>";

constexpr const char16_t *kBaiduSite = u"/s?wd=site:";
constexpr const char16_t *kGoogleSite = u"/search?hl=zh-CN&q=site:";
constexpr const char16_t *kSogouSite = u"/web?query=site:";
constexpr const char16_t *kYoudaoSite = u"/search?q=site:";

#define ROW(id, ...)                                                                               \
    CountRow {                                                                                     \
        id, #id, __VA_ARGS__                                                                       \
    }

constexpr std::array<CountRow, kCountQueryCount> kCatalogue = {{
    ROW(CQ_BAIDU_SITE, EP_BAIDU, kBaiduSite, u"", kGb2312, kBaidu, "TXTBD1"),
    ROW(CQ_BAIDU_SITE_DAY, EP_BAIDU, kBaiduSite, u"&lm=1", kGb2312, kBaidu, "TXTBD3"),
    ROW(CQ_BAIDU_SITE_WEEK, EP_BAIDU, kBaiduSite, u"&lm=7", kGb2312, kBaidu, "TXTBD4"),
    ROW(CQ_BAIDU_SITE_MONTH, EP_BAIDU, kBaiduSite, u"&lm=30", kGb2312, kBaidu, "TXTBD5"),
    ROW(CQ_BAIDU_SITE_YEAR, EP_BAIDU, kBaiduSite, u"&lm=360", kGb2312, kBaidu, "TXTBD6"),
    ROW(CQ_BAIDU_DOMAIN, EP_BAIDU, u"/s?wd=domain:", u"", kGb2312, kBaidu, "TXTBD2"),
    ROW(CQ_GOOGLE_SITE, EP_GOOGLE_HK, kGoogleSite, u"", kUtf8, kGooglePages, "TXTGG1"),
    ROW(CQ_GOOGLE_SITE_DAY, EP_GOOGLE_HK, kGoogleSite, u"&tbs=qdr:d", kUtf8, kGooglePages,
        "TXTGG3"),
    ROW(CQ_GOOGLE_SITE_WEEK, EP_GOOGLE_HK, kGoogleSite, u"&tbs=qdr:w", kUtf8, kGooglePages,
        "TXTGG4"),
    ROW(CQ_GOOGLE_SITE_MONTH, EP_GOOGLE_HK, kGoogleSite, u"&tbs=qdr:m", kUtf8, kGooglePages,
        "TXTGG5"),
    ROW(CQ_GOOGLE_SITE_YEAR, EP_GOOGLE_HK, kGoogleSite, u"&tbs=qdr:y", kUtf8, kGooglePages,
        "TXTGG6"),
    ROW(CQ_GOOGLE_LINK, EP_GOOGLE_HK, u"/search?hl=zh-CN&q=link:", u"", kUtf8, kGoogleLinks,
        "TXTGG2"),
    ROW(CQ_YAHOO_SITE, EP_YAHOO_SITEMAP, u"/search?p=", u"", kUtf8, kYahoo, "TXTYH1"),
    ROW(CQ_YAHOO_LINK, EP_YAHOO_SITEMAP, u"/search?p=", u"&bwm=i", kUtf8, kYahoo, "TXTYH2"),
    ROW(CQ_SOGOU_SITE, EP_SOGOU, kSogouSite, u"", kGb2312, kSogou, "TXTSG1"),
    ROW(CQ_SOGOU_SITE_DAY, EP_SOGOU, kSogouSite, u"&tsn=1", kGb2312, kSogou, "TXTSG3"),
    ROW(CQ_SOGOU_SITE_WEEK, EP_SOGOU, kSogouSite, u"&tsn=2", kGb2312, kSogou, "TXTSG4"),
    ROW(CQ_SOGOU_SITE_MONTH, EP_SOGOU, kSogouSite, u"&tsn=3", kGb2312, kSogou, "TXTSG5"),
    ROW(CQ_SOGOU_SITE_YEAR, EP_SOGOU, kSogouSite, u"&tsn=4", kGb2312, kSogou, "TXTSG6"),
    ROW(CQ_SOGOU_LINK, EP_SOGOU, u"/web?query=link:", u"", kGb2312, kSogou, "TXTSG2"),
    ROW(CQ_YOUDAO_SITE, EP_YOUDAO, kYoudaoSite, u"", kUtf8, kYoudao, "TXTYD1"),
    ROW(CQ_YOUDAO_SITE_DAY, EP_YOUDAO, kYoudaoSite, u"&lm=1", kUtf8, kYoudao, "TXTYD3"),
    ROW(CQ_YOUDAO_SITE_WEEK, EP_YOUDAO, kYoudaoSite, u"&lm=7", kUtf8, kYoudao, "TXTYD4"),
    ROW(CQ_YOUDAO_SITE_MONTH, EP_YOUDAO, kYoudaoSite, u"&lm=30", kUtf8, kYoudao, "TXTYD5"),
    ROW(CQ_YOUDAO_SITE_YEAR, EP_YOUDAO, kYoudaoSite, u"&lm=360", kUtf8, kYoudao, "TXTYD6"),
    ROW(CQ_YOUDAO_LINK, EP_YOUDAO, u"/search?q=link:", u"", kUtf8, kYoudao, "TXTYD2"),
    ROW(CQ_CHINARANK, EP_CHINARANK, u"/overview/Info.do?url=", u"", kGb2312, kChinaRank, "Edit7"),
}};

#undef ROW

constexpr bool catalogueInEnumOrder() {
    for (int i = 0; i < kCountQueryCount; ++i) {
        if (kCatalogue[i].id != i)
            return false;
    }
    return true;
}
static_assert(catalogueInEnumOrder(), "the catalogue is indexed by CountQuery");

} // namespace

const CountRow &countRow(CountQuery which) {
    return kCatalogue.at(which);
}

QString countAddress(CountQuery which, const QString &domain) {
    const CountRow &row = countRow(which);
    return endpoint(row.endpoint) + QString::fromUtf16(row.path) + domain +
           QString::fromUtf16(row.suffix);
}

QString runCount(CountQuery which, const QString &domain) {
    const CountRow &row = countRow(which);
    return getqty(countAddress(which, domain), QString::fromUtf16(row.charset),
                  QString::fromUtf16(row.pattern));
}

} // namespace tolvera
