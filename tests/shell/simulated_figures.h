#pragma once

// What the window must show for a site, as the simulated web answers about it.
#include "link_pages.h"
#include "linkaudit/audit_numbers.h"
#include "queries/result_texts.h"
#include "rank_services.h"
#include "simulated_web.h"

#include <QString>
#include <string>

namespace tolvera::test {

// The figure a count cell (engine 0-4: Baidu, Google, Yahoo, Sogou, Youdao; row
// 0-5: site, link, day, week, month, year) must show for a domain.
inline QString expectedCount(int engine, int row, const std::string &domain) {
    using fakeweb::CountKind;
    static const Endpoint engines[] = {EP_BAIDU, EP_GOOGLE_HK, EP_YAHOO_SITEMAP, EP_SOGOU,
                                       EP_YOUDAO};
    static const CountKind kinds[] = {CountKind::Site, CountKind::Link,  CountKind::Day,
                                      CountKind::Week, CountKind::Month, CountKind::Year};
    if (engine == 2 && row >= 2)
        return QStringLiteral("         ---");
    return QString::number(fakeweb::simulatedCount(engines[engine], kinds[row], domain));
}

// What one audit grid row must show when its worker has run every step.
struct ExpectedRow {
    QString host, google, pageRank, baidu, snapshot, links, back, weight;

    QString column(int c, int row) const {
        const QString cells[] = {
            QString::number(row + 1), host, google, pageRank, baidu, snapshot, links, back, weight};
        return cells[c];
    }
};

inline ExpectedRow expectedRow(const std::string &host, const fakeweb::FriendSite &site) {
    using fakeweb::CountKind;
    const int links = site.otherLinks + (site.linksBack ? 1 : 0);
    const int pr = fakeweb::simulatedPageRank(host);
    QString weight = "0";
    if (!site.pageRankKnown)
        weight = "...";
    else if (site.linksBack && links > 0)
        weight = numberText(roundTo2(double(pr) / links));
    return {QString::fromStdString(host),
            QString::number(fakeweb::simulatedCount(EP_GOOGLE_HK, CountKind::Site, host)),
            site.pageRankKnown ? QString::number(pr) : QString::fromUtf16(kNotFound),
            QString::number(fakeweb::simulatedCount(EP_BAIDU, CountKind::Site, host)),
            // the snapshot date is the rest of its address line, its blank included
            QString::fromStdString(" " + fakeweb::simulatedSnapshotDate(host)),
            QString::number(links), site.linksBack ? "有" : "无", weight};
}

} // namespace tolvera::test
