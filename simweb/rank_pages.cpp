#include "rank_pages.h"

#include "platform/charset.h"
#include "service_pages.h"

#include <QString>

namespace fakeweb {

namespace {

std::string gb2312(const std::string &utf8) {
    return tolvera::encodeGbk(QString::fromStdString(utf8)).toStdString();
}

std::string greenLine(const std::string &host, const std::string &rest) {
    return "<font color=\"#008000\"><b>" + host + "</b>/" + rest + "</font>";
}

} // namespace

std::string pageRankPage(const std::string &site, int pageRank) {
    const std::string pr = std::to_string(pageRank);
    return gb2312("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                  "charset=gb2312\">\n<title>PR查询 - " +
                  site +
                  "</title></head>\n"
                  "<body><div class=\"result\">" +
                  site + " 的 Google PageRank：<a href=\"/getpr.asp?queryurl=" + site +
                  "\" target=\"_blank\"><img src=\"/images/pr" + pr + ".gif\" alt=\"PR" + pr +
                  "\" border=\"0\">" + pr +
                  "</a></div>\n"
                  "<p><a href=\"/\">返回PR查询首页</a></p></body></html>\n");
}

std::string alexaSearchPage(const std::string &site, long rank) {
    const std::string link = "<a href=\"/siteinfo/" + site + "#trafficstats\">";
    return gb2312("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                  "charset=gb2312\"><title>Alexa中文网 - " +
                  site +
                  "</title></head>\n"
                  "<body><table class=\"sites\"><tr><th>网站</th><th>综合排名</th><th></th></tr>\n"
                  "<tr><td>" +
                  link + site + "</a></td>\n<td class=\"rank\">" + link + "\n" +
                  withSeparators(rank) + "</a></td>\n<td>" + link +
                  "查看详情</a></td></tr>\n"
                  "</table></body></html>\n");
}

std::string homePage(const std::string &title) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>" + title +
           "</title>\n</head><body><h1>" + title + "</h1><p>欢迎光临</p></body></html>\n";
}

std::string baiduKeywordPage(const std::string &host, const std::string &snapshotDate) {
    return gb2312(
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html;charset=gb2312\">\n"
        "<title>百度搜索_" +
        host +
        "</title></head><body>\n"
        "<td align=\"right\" nowrap>找到相关网页约3篇，用时0.001秒</td>\n"
        "<table id=\"1\"><tr><td class=f><a href=\"http://tools.example.net/?q=" +
        host + "\">站长工具</a><br>\n" +
        greenLine("tools.example.net", "?q=" + host + " 2026-11-02") +
        "</td></tr></table>\n"
        "<table id=\"2\"><tr><td class=f><a href=\"http://" +
        host + "/\">首页</a><br>\n" + greenLine(host, " " + snapshotDate) +
        " - <a href=\"http://cache.baidu.com/c?m=1\" class=\"m\">百度快照</a></td></tr></table>\n"
        "<table id=\"3\"><tr><td class=f><a href=\"http://" +
        host + "/about.html\">关于我们</a><br>\n" + greenLine(host, "about.html 2026-10-15") +
        "</td></tr></table>\n</body></html>\n");
}

} // namespace fakeweb
