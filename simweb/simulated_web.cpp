#include "simulated_web.h"

#include "keyword_pages.h"
#include "platform/charset.h"
#include "rank_pages.h"
#include "rank_services.h"
#include "service_pages.h"
#include "vendor_pages.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <httplib.h>
#include <map>
#include <mutex>
#include <set>

namespace fakeweb {

using tolvera::Endpoint;

struct SimulatedWeb::Rankings {
    struct Placement {
        std::string site;
        int baidu = 0;
        int google = 0;
    };
    std::mutex lock;
    std::map<std::string, Placement> byKeyword;

    Placement find(const std::string &keyword) {
        const std::lock_guard guard(lock);
        const auto it = byKeyword.find(keyword);
        return it == byKeyword.end() ? Placement{} : it->second;
    }
};

struct SimulatedWeb::HomePages {
    std::mutex lock;
    std::map<std::string, Reply> byName;

    Reply find(const std::string &name) {
        const std::lock_guard guard(lock);
        const auto it = byName.find(name);
        if (it != byName.end())
            return it->second;
        return Reply{200, homePage(kSimulatedHomeTitle), "text/html; charset=utf-8"};
    }
};

struct SimulatedWeb::UnknownPageRanks {
    std::mutex lock;
    std::set<std::string> sites;

    bool known(const std::string &site) {
        const std::lock_guard guard(lock);
        return sites.count(site) == 0;
    }
};

namespace {

// The keyword as the engines receive it: GBK bytes, percent-decoded. Back to UTF-8.
std::string keywordOf(const std::string &gbkBytes) {
    return tolvera::decodeGbk(QByteArray::fromStdString(gbkBytes)).toStdString();
}

// The host a request was sent to, without its port.
std::string hostName(const httplib::Request &req) {
    const std::string host = req.get_header_value("Host");
    return host.substr(0, host.rfind(':'));
}

unsigned long fnv1a(const std::string &text) {
    unsigned long hash = 1469598103934665603UL;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211UL;
    }
    return hash;
}

// Splits "site:example.com" into its operator ("site") and the domain.
std::pair<std::string, std::string> splitOperator(const std::string &query) {
    for (const char *op : {"site", "link", "domain"}) {
        const std::string prefix = std::string(op) + ":";
        if (query.rfind(prefix, 0) == 0)
            return {op, query.substr(prefix.size())};
    }
    return {"", query};
}

CountKind windowKind(const std::string &window, CountKind otherwise) {
    static const std::map<std::string, CountKind> windows = {
        {"1", CountKind::Day},       {"7", CountKind::Week},     {"30", CountKind::Month},
        {"360", CountKind::Year},    {"qdr:d", CountKind::Day},  {"qdr:w", CountKind::Week},
        {"qdr:m", CountKind::Month}, {"qdr:y", CountKind::Year}, {"tsn1", CountKind::Day},
        {"tsn2", CountKind::Week},   {"tsn3", CountKind::Month}, {"tsn4", CountKind::Year},
    };
    const auto it = windows.find(window);
    return it == windows.end() ? otherwise : it->second;
}

CountKind kindOf(const std::string &op, const std::string &window) {
    if (op == "link" || op == "domain")
        return CountKind::Link;
    return windowKind(window, CountKind::Site);
}

Reply page(std::string body, const std::string &contentType) {
    Reply reply;
    reply.body = std::move(body);
    reply.contentType = contentType;
    return reply;
}

void installBaidu(FakeWeb &web, std::shared_ptr<SimulatedWeb::Rankings> rankings) {
    web.route("/s", [rankings](const httplib::Request &req) {
        if (req.get_param_value("rn") == "100") { // the keyword ranking's page of 100
            const std::string keyword = keywordOf(req.get_param_value("wd"));
            const auto placed = rankings->find(keyword);
            return page(baiduRankingPage(keyword, placed.site, placed.baidu), "text/html");
        }
        const auto [op, domain] = splitOperator(req.get_param_value("wd"));
        if (op.empty()) // a plain keyword: the results with their green address lines
            return page(baiduKeywordPage(domain, simulatedSnapshotDate(domain)), "text/html");
        const long count =
            simulatedCount(tolvera::EP_BAIDU, kindOf(op, req.get_param_value("lm")), domain);
        // Baidu's header names no charset; the page's meta element does.
        return page(baiduResultsPage(count, count >= 1000), "text/html");
    });
}

void installGoogle(FakeWeb &web, std::shared_ptr<SimulatedWeb::Rankings> rankings) {
    web.route("/search", [rankings](const httplib::Request &req) {
        if (req.get_param_value("num") == "100") { // the keyword ranking's page of 100
            const std::string keyword = keywordOf(req.get_param_value("q"));
            const auto placed = rankings->find(keyword);
            return page(googleRankingPage(keyword, placed.site, placed.google),
                        "text/html; charset=UTF-8");
        }
        const auto [op, domain] = splitOperator(req.get_param_value("q"));
        const long count =
            simulatedCount(tolvera::EP_GOOGLE_HK, kindOf(op, req.get_param_value("tbs")), domain);
        return page(googleResultsPage(count, true), "text/html; charset=UTF-8");
    });
}

void installYahoo(FakeWeb &web) {
    web.route("/search", [](const httplib::Request &req) {
        const CountKind kind =
            req.get_param_value("bwm") == "i" ? CountKind::Link : CountKind::Site;
        const long count =
            simulatedCount(tolvera::EP_YAHOO_SITEMAP, kind, req.get_param_value("p"));
        return page(yahooResultsPage(count), "text/html; charset=utf-8");
    });
}

void installSogou(FakeWeb &web) {
    web.route("/web", [](const httplib::Request &req) {
        const auto [op, domain] = splitOperator(req.get_param_value("query"));
        const CountKind kind = kindOf(op, "tsn" + req.get_param_value("tsn"));
        const long count = simulatedCount(tolvera::EP_SOGOU, kind, domain);
        return page(sogouResultsPage(count, simulatedSogouRating(domain)),
                    "text/html; charset=GBK");
    });
}

void installYoudao(FakeWeb &web) {
    web.route("/search", [](const httplib::Request &req) {
        const auto [op, domain] = splitOperator(req.get_param_value("q"));
        const long count =
            simulatedCount(tolvera::EP_YOUDAO, kindOf(op, req.get_param_value("lm")), domain);
        // No charset in the header: the page's own meta declares utf-8.
        return page(youdaoResultsPage(count), "text/html");
    });
}

void installChinaRank(FakeWeb &web) {
    web.route("/overview/Info.do", [](const httplib::Request &req) {
        return page(chinaRankPage(simulatedChinaRank(req.get_param_value("url"))),
                    "text/html; charset=gb2312");
    });
}

} // namespace

long simulatedCount(Endpoint engine, CountKind kind, const std::string &domain) {
    static const std::map<Endpoint, long> engineShare = {
        {tolvera::EP_BAIDU, 100}, {tolvera::EP_GOOGLE_HK, 170}, {tolvera::EP_YAHOO_SITEMAP, 60},
        {tolvera::EP_SOGOU, 40},  {tolvera::EP_YOUDAO, 25},
    };
    static const std::map<CountKind, long> kindDivisor = {
        {CountKind::Site, 1},   {CountKind::Link, 3},   {CountKind::Day, 700},
        {CountKind::Week, 120}, {CountKind::Month, 30}, {CountKind::Year, 2},
    };
    const long base = 1000 + static_cast<long>(fnv1a(domain) % 2'000'000);
    const auto share = engineShare.find(engine);
    // At least 1: a simulated site is always known to every engine, so a 0 on the
    // screen means a failed query.
    return std::max(1L, base * (share == engineShare.end() ? 100 : share->second) / 100 /
                            kindDivisor.at(kind));
}

long simulatedChinaRank(const std::string &domain) {
    return 1 + static_cast<long>(fnv1a("chinarank:" + domain) % 50'000);
}

int simulatedSogouRating(const std::string &domain) {
    return 1 + static_cast<int>(fnv1a("sogou:" + domain) % 99);
}

SimulatedWeb::SimulatedWeb(const FakeWeb::Options &options)
    : sites_(std::make_unique<FakeWeb>(options))
    , rankings_(std::make_shared<Rankings>())
    , homePages_(std::make_shared<HomePages>())
    , unknownPageRanks_(std::make_shared<UnknownPageRanks>()) {
    for (int i = 0; i < tolvera::kEndpointCount; ++i) {
        servers_[i] = std::make_unique<FakeWeb>(options);
        tolvera::setEndpoint(static_cast<Endpoint>(i), QString::fromStdString(servers_[i]->base()));
    }
    installBaidu(server(tolvera::EP_BAIDU), rankings_);
    installGoogle(server(tolvera::EP_GOOGLE_HK), rankings_);
    installYahoo(server(tolvera::EP_YAHOO_SITEMAP));
    installSogou(server(tolvera::EP_SOGOU));
    installYoudao(server(tolvera::EP_YOUDAO));
    installChinaRank(server(tolvera::EP_CHINARANK));
    installPageRank(
        server(tolvera::EP_PR_LOOKUP),
        [unknown = unknownPageRanks_](const std::string &site) { return unknown->known(site); });
    installAlexaChina(server(tolvera::EP_ALEXA_CN));
    installThumbnails(server(tolvera::EP_THUMBNAIL));
    for (auto &web : servers_) // whichever simulated host is typed as the site has a home page
        installHomePage(*web);
    installVendorPages(server(tolvera::EP_VENDOR_AD));
    sites_->route("/", [pages = homePages_](const httplib::Request &req) {
        return pages->find(hostName(req));
    });
}

SimulatedWeb::~SimulatedWeb() {
    // Workers still running (a test that failed mid-run) must not reach the real
    // services: the endpoints go to a loopback port where nothing listens. The
    // vendor pages go back to the program's own bundled pages.
    for (int i = 0; i < tolvera::kEndpointCount; ++i)
        tolvera::setEndpoint(static_cast<Endpoint>(i), QStringLiteral("http://127.0.0.1:1"));
    tolvera::setEndpoint(tolvera::EP_VENDOR_AD, tolvera::defaultEndpoint(tolvera::EP_VENDOR_AD));
    // All servers' waiting answers end together, not one server's after another's.
    for (auto &web : servers_)
        web->stopAnswering();
    sites_->stopAnswering();
}

void SimulatedWeb::setLatency(std::chrono::milliseconds latency) {
    for (auto &web : servers_)
        web->setLatency(latency);
    sites_->setLatency(latency);
}

void SimulatedWeb::rankSite(const std::string &keyword, const std::string &site, int baiduPosition,
                            int googlePosition) {
    const std::lock_guard guard(rankings_->lock);
    rankings_->byKeyword[keyword] = {site, baiduPosition, googlePosition};
}

void SimulatedWeb::forgetPageRank(const std::string &site) {
    const std::lock_guard guard(unknownPageRanks_->lock);
    unknownPageRanks_->sites.insert(site);
}

std::string SimulatedWeb::siteAddress(const std::string &name) const {
    return name + ":" + std::to_string(sites_->port());
}

void SimulatedWeb::setHomePage(const std::string &name, Reply page) {
    const std::lock_guard guard(homePages_->lock);
    homePages_->byName[name] = std::move(page);
}

} // namespace fakeweb
