// The simulated web in a process of its own, for load benchmarks whose own sockets
// would push the servers' descriptors past what select() can watch.
//
// One process, the whole web:
//   tolvera_simweb --latency MS --friends N
// serves every endpoint and the audited sample site with N friends. Prints
// "endpoint INDEX BASE" for every endpoint, "site ADDRESS" for the audited site,
// then "ready", and serves until its standard input closes.
//
// A web spread over several processes, each serving a slice of an audit's friends:
//   tolvera_simweb --friends-from A --friends-to B [--endpoints LIST]
// serves friends A to B (friendA.localhost ...) on a site server of its own and
// prints "friends A B PORT" before "ready". The endpoints go wherever the caller
// puts them: a process serves those in LIST, endpoint indexes separated by commas,
// "all" or "none"; with a slice the default is none, without one all.
// Commands on standard input, one a line, each answered with one line:
//   serve-audited NAME PORT:A-B[,PORT:A-B...]  this process's slice server serves
//       NAME as the audited site, linking friends A to B on each PORT in order;
//       answers "site NAME:PORT"
//   link-back ADDRESS  the slice's friends link back to the audited site there from
//       now on (before, none does); answers "linked"
//
// More options, for any of the above:
//   --latency MS           every site's answers wait this long (100)
//   --endpoint-latency MS  the endpoints' answers wait this long (as --latency)
//   --threads T            requests each endpoint server answers at once (N + 200):
//                          every one of the ten endpoint servers has that many
//                          threads, whether it is announced or not
#include "link_pages.h"
#include "simulated_web.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The endpoints named by a --endpoints value; nothing for a malformed one.
std::vector<int> endpointList(const QString &text) {
    std::vector<int> endpoints;
    if (text == QLatin1String("none"))
        return endpoints;
    for (int i = 0; i < tolvera::kEndpointCount; ++i)
        if (text == QLatin1String("all"))
            endpoints.push_back(i);
    if (!endpoints.empty())
        return endpoints;
    for (const QString &item : text.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int which = item.toInt(&ok);
        if (!ok || which < 0 || which >= tolvera::kEndpointCount)
            return {};
        endpoints.push_back(which);
    }
    return endpoints;
}

// "PORT:A-B,PORT:A-B": friends A to B on each port, in order.
std::vector<std::string> slicedFriendAddresses(const std::string &slices) {
    std::vector<std::string> addresses;
    std::istringstream items(slices);
    for (std::string item; std::getline(items, item, ',');) {
        int port = 0;
        int first = 0;
        int last = -1;
        char colon = 0;
        char dash = 0;
        std::istringstream(item) >> port >> colon >> first >> dash >> last;
        for (int i = first; i <= last; ++i)
            addresses.push_back(fakeweb::numberedFriend(i).name + ":" + std::to_string(port));
    }
    return addresses;
}

void answer(const std::string &line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const auto text = [&args](const char *name, const QString &otherwise) {
        const qsizetype at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? args[at + 1] : otherwise;
    };
    const auto option = [&text](const char *name, int otherwise) {
        return text(name, QString::number(otherwise)).toInt();
    };
    const int latency = option("--latency", 100);
    const int endpointLatency = option("--endpoint-latency", latency);
    const int friends = option("--friends", 500);
    const int threads = option("--threads", friends + 200);
    const int first = option("--friends-from", 0);
    const int last = option("--friends-to", first - 1);
    const bool sliced = first > 0;
    const std::vector<int> endpoints =
        endpointList(text("--endpoints", sliced ? QStringLiteral("none") : QStringLiteral("all")));

    // No recording relay: one descriptor a connection.
    std::unique_ptr<fakeweb::SimulatedWeb> web;
    if (!sliced || !endpoints.empty()) {
        web = std::make_unique<fakeweb::SimulatedWeb>(fakeweb::FakeWeb::Options{false, threads});
        web->setLatency(std::chrono::milliseconds(endpointLatency));
        web->sites().setLatency(std::chrono::milliseconds(latency));
    }
    std::unique_ptr<fakeweb::FriendSlice> slice;
    if (sliced) {
        slice =
            std::make_unique<fakeweb::FriendSlice>(first, last, std::chrono::milliseconds(latency));
    } else {
        std::vector<fakeweb::FriendSite> sites;
        for (int i = 1; i <= friends; ++i)
            sites.push_back(fakeweb::numberedFriend(i));
        fakeweb::installLinkAudit(*web, "shop.localhost", sites);
    }

    for (const int i : endpoints)
        std::printf("endpoint %d %s\n", i,
                    web->server(static_cast<tolvera::Endpoint>(i)).base().c_str());
    if (slice)
        std::printf("friends %d %d %d\n", first, last, slice->port());
    else
        std::printf("site %s\n", web->siteAddress("shop.localhost").c_str());
    answer("ready");

    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream words(line);
        std::string command;
        std::string address;
        std::string slices;
        words >> command >> address >> slices;
        if (command == "serve-audited" && slice) {
            answer("site " + slice->serveAudited(address, slicedFriendAddresses(slices)));
        } else if (command == "link-back" && slice) {
            slice->linkBackTo(address);
            answer("linked");
        }
    }
    return 0;
}
