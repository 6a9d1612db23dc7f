#pragma once

#include <string>

namespace fakeweb {

// Pages of the rank and title services and of Baidu's keyword search, as the bytes
// that go on the wire. The PageRank lookup, Alexa China and Baidu speak GB2312,
// home pages UTF-8.

std::string pageRankPage(const std::string &site, int pageRank);

// The site search lists three links to the site's traffic figures: its name, its
// rank on a line of its own, and a details link.
std::string alexaSearchPage(const std::string &site, long rank);

std::string homePage(const std::string &title);

// A keyword search for a host: a result of another host first, then two of the
// host, whose green address lines end in their snapshot dates, latest first.
std::string baiduKeywordPage(const std::string &host, const std::string &snapshotDate);

} // namespace fakeweb
