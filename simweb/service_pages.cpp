#include "service_pages.h"

#include "platform/charset.h"

#include <QString>

namespace fakeweb {

namespace {

std::string gb2312(const std::string &utf8) {
    const QByteArray bytes = tolvera::encodeGbk(QString::fromStdString(utf8));
    return bytes.toStdString();
}

} // namespace

std::string withSeparators(long count) {
    std::string digits = std::to_string(count);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<size_t>(i), ",");
    return digits;
}

std::string baiduResultsPage(long count, bool withAbout) {
    return gb2312(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
        "<html><head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html;charset=gb2312\">\n"
        "<title>百度搜索_site</title>\n"
        "<style>.site_tip{color:#666}</style></head>\n"
        "<body link=\"#0000cc\">\n"
        "<div id=\"u\"><a href=\"/gaoji/preferences.html\">搜索设置</a> | <a "
        "href=\"/\">百度首页</a></div>\n"
        "<table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\" class=\"bi\"><tr>\n"
        "<td nowrap>&nbsp;&nbsp;&nbsp;<a "
        "href=\"http://www.baidu.com/search/jiqiao.html\">帮助</a></td>\n"
        "<td align=\"right\" nowrap>找到相关网页" +
        std::string(withAbout ? "约" : "") + withSeparators(count) +
        "篇，用时0.001秒&nbsp;&nbsp;</td></tr></table>\n"
        "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" id=\"1\"><tr><td class=f>\n"
        "<a href=\"http://www.example.com/\" target=\"_blank\"><font "
        "size=\"3\">示例网站</font></a><br>\n"
        "<font size=-1>网站首页<br><font color=\"#008000\">www.example.com/ 12k 2026-12-1 </font>"
        "- <a href=\"http://cache.baidu.com/c?m=1\" target=\"_blank\" "
        "class=\"m\">百度快照</a></font>\n"
        "</td></tr></table>\n"
        "</body></html>\n");
}

std::string googleResultsPage(long count, bool withResultsWord) {
    return "<!doctype html><html><head>"
           "<meta http-equiv=\"content-type\" content=\"text/html; charset=UTF-8\">"
           "<title>site - Google 搜索</title></head>\n"
           "<body><div id=\"subform_ctrl\"><div id=\"resultStats\">获得约 <b>" +
           withSeparators(count) + "</b>" + (withResultsWord ? " 条结果" : "") +
           "<nobr> （用时 0.21 秒）&nbsp;</nobr></div></div>\n"
           "<ol><li class=\"g\"><h3 class=\"r\"><a href=\"http://www.example.com/\">Example "
           "Domain</a></h3></li></ol>\n"
           "</body></html>\n";
}

std::string yahooResultsPage(long count) {
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
           "<title>雅虎站长天下 - Site Explorer</title></head>\n"
           "<body><div class=\"hd\"><h2>搜索结果</h2></div>\n"
           "<div class=\"bd\"><span class=\"info\">共 <strong>" +
           withSeparators(count) +
           "</strong> 条结果</span>\n"
           "<ul><li><a href=\"http://www.example.com/\">http://www.example.com/</a></li></ul>\n"
           "</div></body></html>\n";
}

std::string sogouResultsPage(long count, int rating) {
    return gb2312("<html><head><meta http-equiv=\"content-type\" content=\"text/html; "
                  "charset=gb2312\"><title>site - 搜狗搜索</title></head>\n"
                  "<body><!--resultbarnum:" +
                  withSeparators(count) +
                  "-->\n"
                  "<div id=\"stable\">找到约 " +
                  withSeparators(count) +
                  " 条结果</div>\n"
                  "<div class=\"rb\"><h3><a href=\"http://www.example.com/\">示例网站</a></h3>\n"
                  "<div class=\"fb\"><cite>www.example.com - 搜狗评级:" +
                  std::to_string(rating) +
                  "/100</cite></div></div>\n"
                  "</body></html>\n");
}

std::string youdaoResultsPage(long count) {
    return "<!DOCTYPE html><html><head><meta charset=utf-8><title>有道搜索</title></head>\n"
           "<body><div id=\"resc\"><p class=\"stat\">共" +
           withSeparators(count) +
           "条结果</p>\n"
           "<ul><li><h3><a href=\"http://www.example.com/\">示例网站</a></h3></li></ul>"
           "</div></body></html>\n";
}

std::string chinaRankPage(long rank) {
    return gb2312("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                  "charset=gb2312\"><title>ChinaRank 中国网站排名</title></head>\n"
                  "<body><table class=\"overview\"><tr><td>全国排名：</td><td>"
                  "<span class=\"rank_font_y2\">" +
                  std::to_string(rank) +
                  "</span></td></tr>\n"
                  "<tr><td>网站名称：</td><td>示例网站</td></tr></table></body></html>\n");
}

} // namespace fakeweb
