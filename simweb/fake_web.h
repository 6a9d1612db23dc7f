#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace httplib {
class Server;
struct Request;
} // namespace httplib

namespace fakeweb {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// One answer of the simulated web.
struct Reply {
    enum class Delivery {
        Whole,        // the body, then the connection stays usable
        CloseMidBody, // announces the whole length, sends half, closes
        Stall,        // announces the whole length, sends half, then never more
        Chunked,      // the whole body in chunks, with no length announced
    };

    Reply() = default;
    Reply(int status_, std::string body_, std::string contentType_ = "text/html",
          HeaderList headers_ = {})
        : status(status_)
        , body(std::move(body_))
        , contentType(std::move(contentType_))
        , headers(std::move(headers_)) {}

    int status = 200;
    std::string body;
    std::string contentType = "text/html"; // empty: no Content-Type of ours
    HeaderList headers;                    // more response headers, in order
    std::chrono::milliseconds latency{0};  // waited before answering
    Delivery delivery = Delivery::Whole;
};

// A request as it arrived on the wire, headers in the order the client sent them.
struct RecordedRequest {
    std::string method;
    std::string target; // path with query, as sent
    HeaderList headers;

    std::string header(const std::string &name) const; // first with that name, any case
};

using Handler = std::function<Reply(const httplib::Request &)>;
// Changes an answer after its handler has made it: a fault of the service.
using Fault = std::function<void(Reply &)>;

// A real HTTP server on 127.0.0.1 with an ephemeral port. Routes match the path
// without its query. Every request is recorded before it is answered.
class FakeWeb {
public:
    struct Options {
        // Records every request as sent, through a relay in front of the server (two
        // more descriptors per connection, and a thread of the relay's). Off for load
        // benchmarks, where the relay would double the descriptors and threads.
        bool recordRequests = true;
        int threads = 64; // requests answered at once; the rest wait their turn
    };

    FakeWeb()
        : FakeWeb(Options{}) {}
    explicit FakeWeb(const Options &options);
    ~FakeWeb();
    FakeWeb(const FakeWeb &) = delete;
    FakeWeb &operator=(const FakeWeb &) = delete;

    std::string base() const; // "http://127.0.0.1:<port>"
    int port() const;

    void route(const std::string &path, Reply reply);
    void route(const std::string &path, Handler handler);
    void setLatency(std::chrono::milliseconds latency); // added to every answer
    // Added to the answers whose request target contains the text; 0 removes it.
    void setLatencyFor(const std::string &targetPart, std::chrono::milliseconds latency);
    // Requests whose target contains the text get no answer until released.
    void hold(const std::string &targetPart);
    void release(const std::string &targetPart);
    // Every answer from now on goes through the fault; an empty one removes it.
    void setFault(Fault fault);
    // Ends every held, slowed or stalled answer within moments, and lets no later
    // one wait: for taking several servers down at once.
    void stopAnswering();

    std::vector<RecordedRequest> requests() const; // empty when not recording
    void clearRequests();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace fakeweb
