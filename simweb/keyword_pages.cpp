#include "keyword_pages.h"

#include "platform/charset.h"

#include <QString>

namespace fakeweb {

namespace {

std::string gb2312(const std::string &utf8) {
    return tolvera::encodeGbk(QString::fromStdString(utf8)).toStdString();
}

struct Entry {
    std::string host;
    std::string addressLine; // host and path as the green line shows them
};

Entry entryAt(int i, const std::string &keyword, const std::string &site, int position) {
    if (i == position)
        return {site, site + "/"};
    const std::string host = "www.result" + std::to_string(i) + ".example.cn";
    const std::string path = i % 3 == 0 ? "/tag/<b>" + keyword + "</b>.html" : "/";
    return {host, host + path};
}

std::string pageSize(int i) {
    return std::to_string(8 + (i * 7) % 40);
}

} // namespace

std::string baiduRankingPage(const std::string &keyword, const std::string &site, int position) {
    std::string page = "<html><head><meta http-equiv=\"Content-Type\" "
                       "content=\"text/html;charset=gb2312\">\n<title>百度搜索_" +
                       keyword +
                       "</title></head><body>\n"
                       "<td align=\"right\" nowrap>找到相关网页约1,230,000篇，用时0.062秒</td>\n";
    for (int i = 1; i <= kRankingEntries; ++i) {
        const Entry entry = entryAt(i, keyword, site, position);
        page += "<table id=\"" + std::to_string(i) + "\"><tr><td class=f><a href=\"http://" +
                entry.host + "/\" target=\"_blank\">" + keyword + " - 结果" + std::to_string(i) +
                "</a><br><font size=-1>关于" + keyword + "的介绍……<br><font color=\"#008000\">" +
                entry.addressLine + " " + pageSize(i) +
                "K 2026-11-02</font> - <a href=\"http://cache.baidu.com/c?m=" + std::to_string(i) +
                "\" class=\"m\">百度快照</a></font></td></tr></table>\n";
    }
    return gb2312(page + "</body></html>\n");
}

std::string googleRankingPage(const std::string &keyword, const std::string &site, int position) {
    std::string page = "<!doctype html><html><head><meta http-equiv=\"content-type\" "
                       "content=\"text/html; charset=UTF-8\"><title>" +
                       keyword +
                       " - Google 搜索</title></head>\n<body><div id=\"resultStats\">获得约 "
                       "<b>2,340,000</b> 条结果</div><ol>\n";
    for (int i = 1; i <= kRankingEntries; ++i) {
        if (i % 5 == 0)
            page += "<li class=\"related\"><font color=\"green\">网页快照 - 类似结果</font></li>\n";
        const Entry entry = entryAt(i, keyword, site, position);
        page += "<li class=\"g\"><h3 class=\"r\"><a href=\"http://" + entry.host + "/\">" +
                keyword + " - 结果" + std::to_string(i) + "</a></h3><div class=\"s\">关于" +
                keyword + "的介绍……<br><font color=\"green\">" + entry.addressLine + " - " +
                pageSize(i) +
                "k</font> - <a class=\"fl\" href=\"/search?q=cache:" + std::to_string(i) +
                "\">网页快照</a></div></li>\n";
    }
    return page + "</ol></body></html>\n";
}

} // namespace fakeweb
