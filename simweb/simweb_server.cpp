// The simulated web in a process of its own, for load benchmarks whose own sockets
// would push the servers' descriptors past what select() can watch:
//   tolvera_simweb --latency MS --friends N
// Prints "endpoint INDEX BASE" for every endpoint, "site ADDRESS" for the audited
// sample site, then "ready", and serves until its standard input closes.
#include "link_pages.h"
#include "simulated_web.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const auto option = [&args](const char *name, int otherwise) {
        const qsizetype at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : otherwise;
    };
    const int latency = option("--latency", 100);
    const int friends = option("--friends", 500);

    // No recording relay: one descriptor a connection. Threads enough to answer every
    // request of an audit at once.
    fakeweb::SimulatedWeb web({false, friends + 200});
    web.setLatency(std::chrono::milliseconds(latency));
    std::vector<fakeweb::FriendSite> sites;
    for (int i = 1; i <= friends; ++i)
        sites.push_back({"friend" + std::to_string(i) + ".localhost", i % 3 != 0, 1 + i % 7});
    fakeweb::installLinkAudit(web, "shop.localhost", sites);

    for (int i = 0; i < tolvera::kEndpointCount; ++i)
        std::printf("endpoint %d %s\n", i,
                    web.server(static_cast<tolvera::Endpoint>(i)).base().c_str());
    std::printf("site %s\nready\n", web.siteAddress("shop.localhost").c_str());
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) {
    }
    return 0;
}
