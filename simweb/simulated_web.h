#pragma once

#include "fake_web.h"
#include "queries/endpoints.h"

#include <array>
#include <chrono>
#include <memory>
#include <string>

namespace fakeweb {

// Which figure a count request asks for.
enum class CountKind { Site, Link, Day, Week, Month, Year };

// The deterministic figures of the simulated services for a domain: the same
// domain always gets the same numbers, and the time windows grow from a day to
// a year, so that a demo window looks like a real site's.
long simulatedCount(tolvera::Endpoint engine, CountKind kind, const std::string &domain);
long simulatedChinaRank(const std::string &domain);
int simulatedSogouRating(const std::string &domain);

// The whole simulated web: one server per outside service, each answering as that
// service does, with every endpoint pointed at its server for the web's lifetime.
class SimulatedWeb {
public:
    explicit SimulatedWeb(const FakeWeb::Options &options = {});
    ~SimulatedWeb(); // points the endpoints at a dead loopback port, never the real hosts
    SimulatedWeb(const SimulatedWeb &) = delete;
    SimulatedWeb &operator=(const SimulatedWeb &) = delete;

    FakeWeb &server(tolvera::Endpoint which) { return *servers_.at(which); }
    void setLatency(std::chrono::milliseconds latency); // on every service and site

    // Puts a site at a position of both engines' first 100 results for a keyword
    // (0: not among them). The keyword as the user types it (UTF-8).
    void rankSite(const std::string &keyword, const std::string &site, int baiduPosition,
                  int googlePosition);

    // The sample sites: any name under .localhost on the sites' port, such as
    // "shop.localhost:PORT", is a site of its own (libcurl sends every .localhost
    // name to the loopback address). A site without a page of its own answers a
    // home page titled kSimulatedHomeTitle.
    FakeWeb &sites() { return *sites_; }
    std::string siteAddress(const std::string &name) const; // "name:PORT"
    void setHomePage(const std::string &name, Reply page);  // name without the port

    // The PageRank lookup finds nothing for the site from now on.
    void forgetPageRank(const std::string &site);

    struct Rankings; // shared with the engines' handlers
    struct HomePages;
    struct UnknownPageRanks;

private:
    std::array<std::unique_ptr<FakeWeb>, tolvera::kEndpointCount> servers_;
    std::unique_ptr<FakeWeb> sites_;
    std::shared_ptr<Rankings> rankings_;
    std::shared_ptr<HomePages> homePages_;
    std::shared_ptr<UnknownPageRanks> unknownPageRanks_;
};

} // namespace fakeweb
