#include "link_pages.h"

namespace fakeweb {

namespace {

// The ways a page links to a friend, taken in turn.
std::string friendLink(const std::string &address, std::size_t i) {
    std::string upper = address;
    for (char &c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    switch (i % 5) {
    case 0:
        return "<a href=\"http://" + address + "/\" target=\"_blank\">友情链接" +
               std::to_string(i) + "</a>";
    case 1:
        return "<A HREF='HTTP://" + upper + "/index.html?from=shop'>合作伙伴</A>";
    case 2:
        return "<a\nhref=\"http://" + address + "\"\r\ntitle=\"友情链接\">好站推荐</a>";
    case 3:
        return "<a href=http://" + address + "?ref=1 target=_blank>链接</a>";
    default:
        return "<a class=\"link\" href=\"http://" + address + "/news/list.html\">新闻</a>";
    }
}

} // namespace

std::string auditedHomePage(const std::string &auditedAddress,
                            const std::vector<std::string> &friendAddresses) {
    std::string page =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
        "<title>晨光茶叶商城 - 首页</title>\n"
        "<link href=\"/style.css\" rel=\"stylesheet\"></head><body>\n"
        "<div class=\"nav\"><a href=\"/\">首页</a> <a href=\"/about.html\">关于我们</a> "
        "<a href=\"http://" +
        auditedAddress +
        "/news/\">新闻</a> <a href=\"https://pay.localhost/\">安全支付</a></div>\n"
        "<p>联系我们：<a href=\"mailto:service@shop.localhost\">邮件</a> "
        "<a href=\"javascript:void(0)\">在线客服</a></p>\n"
        "<div class=\"friends\">友情链接：\n";
    for (std::size_t i = 0; i < friendAddresses.size(); ++i) {
        page += friendLink(friendAddresses[i], i) + "\n";
        if (i == 0) // the same host again, another path: no second row
            page += "<a href=\"http://" + friendAddresses[0] + "/about.html\">再次</a>\n";
    }
    page += "<a href=\"http://www.baidu.com/\">百度</a> "
            "<a href=\"http://portal.localhost/\" title=\"新浪 sina.com.cn\">门户</a>\n"
            "</div>\n<p><a href=\"http://www.miibeian.gov.cn/\" target=\"_blank\">"
            "京ICP备00000000号</a></p>\n</body></html>\n";
    return page;
}

std::string friendHomePage(const std::string &auditedAddress, bool linksBack, int otherLinks) {
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
                       "<title>友站 - 首页</title></head><body>\n<ul>\n";
    for (int i = 0; i < otherLinks; ++i)
        page += "<li><a href=\"http://partner" + std::to_string(i) +
                ".example.net/\" target=\"_blank\">伙伴" + std::to_string(i) + "</a></li>\n";
    if (linksBack)
        page += "<li><a href=\"http://" + auditedAddress + "/\">晨光茶叶</a></li>\n";
    return page + "</ul>\n<a href=\"/contact.html\">联系</a></body></html>\n";
}

std::vector<std::string> installLinkAudit(SimulatedWeb &web, const std::string &auditedName,
                                          const std::vector<FriendSite> &friends) {
    const std::string audited = web.siteAddress(auditedName);
    std::vector<std::string> addresses;
    for (const FriendSite &site : friends) {
        const std::string address = web.siteAddress(site.name);
        addresses.push_back(address);
        web.setHomePage(site.name,
                        Reply{200, friendHomePage(audited, site.linksBack, site.otherLinks),
                              "text/html; charset=utf-8"});
        if (!site.pageRankKnown)
            web.forgetPageRank(address);
    }
    web.setHomePage(auditedName,
                    Reply{200, auditedHomePage(audited, addresses), "text/html; charset=utf-8"});
    return addresses;
}

} // namespace fakeweb
