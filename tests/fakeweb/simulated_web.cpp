#include "simulated_web.h"

#include "rank_pages.h"
#include "rank_services.h"
#include "service_pages.h"
#include "vendor_pages.h"

#include <httplib.h>
#include <map>

namespace fakeweb {

using tolvera::Endpoint;

namespace {

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

void installBaidu(FakeWeb &web) {
    web.route("/s", [](const httplib::Request &req) {
        const auto [op, domain] = splitOperator(req.get_param_value("wd"));
        if (op.empty()) // a plain keyword: the results with their green address lines
            return page(baiduKeywordPage(domain, simulatedSnapshotDate(domain)), "text/html");
        const long count =
            simulatedCount(tolvera::EP_BAIDU, kindOf(op, req.get_param_value("lm")), domain);
        // Baidu's header names no charset; the page's meta element does.
        return page(baiduResultsPage(count, count >= 1000), "text/html");
    });
}

void installGoogle(FakeWeb &web) {
    web.route("/search", [](const httplib::Request &req) {
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
    return base * (share == engineShare.end() ? 100 : share->second) / 100 / kindDivisor.at(kind);
}

long simulatedChinaRank(const std::string &domain) {
    return 1 + static_cast<long>(fnv1a("chinarank:" + domain) % 50'000);
}

int simulatedSogouRating(const std::string &domain) {
    return 1 + static_cast<int>(fnv1a("sogou:" + domain) % 99);
}

SimulatedWeb::SimulatedWeb() {
    for (int i = 0; i < tolvera::kEndpointCount; ++i) {
        servers_[i] = std::make_unique<FakeWeb>();
        tolvera::setEndpoint(static_cast<Endpoint>(i), QString::fromStdString(servers_[i]->base()));
    }
    installBaidu(server(tolvera::EP_BAIDU));
    installGoogle(server(tolvera::EP_GOOGLE_HK));
    installYahoo(server(tolvera::EP_YAHOO_SITEMAP));
    installSogou(server(tolvera::EP_SOGOU));
    installYoudao(server(tolvera::EP_YOUDAO));
    installChinaRank(server(tolvera::EP_CHINARANK));
    installPageRank(server(tolvera::EP_PR_LOOKUP));
    installAlexaChina(server(tolvera::EP_ALEXA_CN));
    installThumbnails(server(tolvera::EP_THUMBNAIL));
    for (auto &web : servers_) // whichever simulated host is typed as the site has a home page
        installHomePage(*web);
    installVendorPages(server(tolvera::EP_VENDOR_AD));
}

SimulatedWeb::~SimulatedWeb() {
    for (int i = 0; i < tolvera::kEndpointCount; ++i) {
        const auto which = static_cast<Endpoint>(i);
        tolvera::setEndpoint(which, tolvera::defaultEndpoint(which));
    }
}

void SimulatedWeb::setLatency(std::chrono::milliseconds latency) {
    for (auto &web : servers_)
        web->setLatency(latency);
}

} // namespace fakeweb
