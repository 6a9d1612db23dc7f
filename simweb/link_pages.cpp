#include "link_pages.h"

#include <algorithm>
#include <charconv>
#include <httplib.h>
#include <mutex>

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

constexpr char kFriendPrefix[] = "friend";
constexpr char kSiteSuffix[] = ".localhost";

// The friend's number in a host name "friendN.localhost" (any port); 0 for any other.
int friendNumber(const std::string &host) {
    const std::string name = host.substr(0, host.rfind(':'));
    const std::string_view prefix = kFriendPrefix;
    const std::string_view suffix = kSiteSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const char *begin = name.data() + prefix.size();
    const char *end = name.data() + name.size() - suffix.size();
    int number = 0;
    const auto [stop, error] = std::from_chars(begin, end, number);
    return error == std::errc() && stop == end ? number : 0;
}

} // namespace

FriendSite numberedFriend(int i) {
    return {kFriendPrefix + std::to_string(i) + kSiteSuffix, i % 3 != 0, 1 + i % 7};
}

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

struct FriendSlice::Pages {
    std::mutex lock;
    std::string auditedAddress; // empty: no page links back yet
    std::string auditedName;
    std::string auditedPage;

    Reply find(const std::string &host, int first, int last) {
        std::string linkBack;
        {
            const std::lock_guard guard(lock);
            if (!auditedName.empty() && host.substr(0, host.rfind(':')) == auditedName)
                return Reply{200, auditedPage, "text/html; charset=utf-8"};
            linkBack = auditedAddress;
        }
        const int number = friendNumber(host);
        if (number < first || number > last)
            return Reply{404, "<html><body>no such site</body></html>"};
        const FriendSite site = numberedFriend(number);
        return Reply{200,
                     friendHomePage(linkBack, site.linksBack && !linkBack.empty(), site.otherLinks),
                     "text/html; charset=utf-8"};
    }
};

FriendSlice::FriendSlice(int first, int last, std::chrono::milliseconds latency)
    : pages_(std::make_shared<Pages>())
    , web_(std::make_unique<FakeWeb>(FakeWeb::Options{false, std::max(0, last - first + 1) + 64})) {
    web_->setLatency(latency);
    web_->route("/", [pages = pages_, first, last](const httplib::Request &req) {
        return pages->find(req.get_header_value("Host"), first, last);
    });
}

FriendSlice::~FriendSlice() = default;

int FriendSlice::port() const {
    return web_->port();
}

void FriendSlice::linkBackTo(const std::string &auditedAddress) {
    const std::lock_guard guard(pages_->lock);
    pages_->auditedAddress = auditedAddress;
}

std::string FriendSlice::serveAudited(const std::string &name,
                                      const std::vector<std::string> &friendAddresses) {
    const std::string address = name + ":" + std::to_string(port());
    std::string page = auditedHomePage(address, friendAddresses);
    const std::lock_guard guard(pages_->lock);
    pages_->auditedName = name;
    pages_->auditedPage = std::move(page);
    return address;
}

} // namespace fakeweb
