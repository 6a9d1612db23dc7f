#pragma once

#include <string>

namespace fakeweb {

// Result pages as each service answers them, as the bytes that go on the wire.
// Baidu, Sogou and ChinaRank speak GB2312, the others UTF-8.

std::string baiduResultsPage(long count, bool withAbout);
std::string googleResultsPage(long count, bool withResultsWord);
std::string yahooResultsPage(long count);
std::string sogouResultsPage(long count, int rating);
std::string youdaoResultsPage(long count);
std::string chinaRankPage(long rank);

// A count with thousands separators, as the engines print it: 1234567 -> "1,234,567".
std::string withSeparators(long count);

} // namespace fakeweb
