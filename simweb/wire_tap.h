#pragma once

#include "fake_web.h"

#include <atomic>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

namespace fakeweb {

// The simulated web's front door: accepts clients on its own port, records each
// request head exactly as it came over the wire (the HTTP library keeps headers
// sorted by name, which hides the order a client sent them in), then relays the
// connection both ways to the HTTP server behind it.
class WireTap {
public:
    explicit WireTap(int innerPort);
    ~WireTap();
    WireTap(const WireTap &) = delete;
    WireTap &operator=(const WireTap &) = delete;

    int port() const { return port_; }
    std::vector<RecordedRequest> requests() const;
    void clearRequests();

private:
    void acceptLoop();
    void relay(int client);
    bool readHead(int client, std::string &buffer);
    void record(const std::string &head);

    int innerPort_;
    int listener_ = -1;
    int port_ = 0;
    int wakeRead_ = -1; // a pipe whose closing wakes every poll on shutdown
    int wakeWrite_ = -1;
    std::thread acceptor_;

    struct Connection {
        std::thread thread;
        std::atomic<bool> done{false};
    };
    void reapFinished(); // joins relays that ended, so threads never pile up

    std::mutex connectionsLock_;
    std::list<Connection> connections_;

    mutable std::mutex requestsLock_;
    std::vector<RecordedRequest> requests_;
};

} // namespace fakeweb
