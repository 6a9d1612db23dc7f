#include "queries/endpoints.h"

#include <array>
#include <mutex>
#include <shared_mutex>

namespace tolvera {

namespace {

// EP_VENDOR_AD defaults to the program's own bundled pages, so that the window's
// panes show their usage tips without any network.
constexpr std::array<const char *, kEndpointCount> kDefaults = {
    "http://www.baidu.com",        // EP_BAIDU
    "http://www.google.com.hk",    // EP_GOOGLE_HK
    "http://sitemap.cn.yahoo.com", // EP_YAHOO_SITEMAP
    "http://www.sogou.com",        // EP_SOGOU
    "http://www.youdao.com",       // EP_YOUDAO
    "http://www.alexa.cn",         // EP_ALEXA_CN
    "http://pr.chinaz.com",        // EP_PR_LOOKUP
    "http://www.chinarank.org.cn", // EP_CHINARANK
    "http://www.thumbshots.cn",    // EP_THUMBNAIL
    "qrc:",                        // EP_VENDOR_AD
};

struct EndpointTable {
    std::shared_mutex lock;
    std::array<QString, kEndpointCount> hosts;

    EndpointTable() {
        for (int i = 0; i < kEndpointCount; ++i)
            hosts[i] = QString::fromLatin1(kDefaults[i]);
    }
};

EndpointTable &table() {
    static EndpointTable instance;
    return instance;
}

} // namespace

QString endpoint(Endpoint which) {
    EndpointTable &t = table();
    std::shared_lock guard(t.lock);
    return t.hosts.at(which);
}

void setEndpoint(Endpoint which, const QString &schemeAndHost) {
    EndpointTable &t = table();
    std::unique_lock guard(t.lock);
    t.hosts.at(which) = schemeAndHost;
}

QString defaultEndpoint(Endpoint which) {
    return QString::fromLatin1(kDefaults.at(which));
}

} // namespace tolvera
