#pragma once

#include <string>

namespace fakeweb {

// The first results page of 100 that an engine answers for a keyword, as the
// bytes that go on the wire (Baidu in GB2312, Google in UTF-8). Entry i, from 1,
// is another site's, except at `position`, where `site` stands (0: nowhere).
// Every third address line shows the keyword in bold, as the engines set it.
// Google's page also carries green lines that are no result entries (they do not
// end in a page size): one before every fifth entry.
std::string baiduRankingPage(const std::string &keyword, const std::string &site, int position);
std::string googleRankingPage(const std::string &keyword, const std::string &site, int position);

inline constexpr int kRankingEntries = 100;

} // namespace fakeweb
