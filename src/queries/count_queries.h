#pragma once

#include "queries/endpoints.h"

#include <QString>

namespace tolvera {

// Every count question the program asks, one catalogue row each.
enum CountQuery {
    CQ_BAIDU_SITE,
    CQ_BAIDU_SITE_DAY,
    CQ_BAIDU_SITE_WEEK,
    CQ_BAIDU_SITE_MONTH,
    CQ_BAIDU_SITE_YEAR,
    CQ_BAIDU_DOMAIN,
    CQ_GOOGLE_SITE,
    CQ_GOOGLE_SITE_DAY,
    CQ_GOOGLE_SITE_WEEK,
    CQ_GOOGLE_SITE_MONTH,
    CQ_GOOGLE_SITE_YEAR,
    CQ_GOOGLE_LINK,
    CQ_YAHOO_SITE,
    CQ_YAHOO_LINK,
    CQ_SOGOU_SITE,
    CQ_SOGOU_SITE_DAY,
    CQ_SOGOU_SITE_WEEK,
    CQ_SOGOU_SITE_MONTH,
    CQ_SOGOU_SITE_YEAR,
    CQ_SOGOU_LINK,
    CQ_YOUDAO_SITE,
    CQ_YOUDAO_SITE_DAY,
    CQ_YOUDAO_SITE_WEEK,
    CQ_YOUDAO_SITE_MONTH,
    CQ_YOUDAO_SITE_YEAR,
    CQ_YOUDAO_LINK,
    CQ_CHINARANK,
};
inline constexpr int kCountQueryCount = CQ_CHINARANK + 1;

struct CountRow {
    CountQuery id;
    const char *name; // "CQ_BAIDU_SITE" ...
    Endpoint endpoint;
    const char16_t *path;    // follows the endpoint; the domain comes right after it
    const char16_t *suffix;  // follows the domain: a time window, a switch, or nothing
    const char16_t *charset; // fallback for pages that declare none
    const char16_t *pattern;
    const char *field; // the overview box that shows the row's value
};

const CountRow &countRow(CountQuery which);

// Endpoint + path + domain + suffix; the domain goes in verbatim.
QString countAddress(CountQuery which, const QString &domain);

// Fetches the row's page for the domain and returns its count text (see getqty).
QString runCount(CountQuery which, const QString &domain);

} // namespace tolvera
