#include "fake_web.h"

#include "wire_tap.h"

#include <algorithm>
#include <atomic>
#include <httplib.h>
#include <map>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>

namespace fakeweb {

std::string RecordedRequest::header(const std::string &name) const {
    for (const auto &[key, value] : headers) {
        if (std::equal(key.begin(), key.end(), name.begin(), name.end(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            }))
            return value;
    }
    return {};
}

struct FakeWeb::Impl {
    httplib::Server server;
    std::thread serverThread;
    std::atomic<bool> listenEnded{false};
    int innerPort = 0;
    std::unique_ptr<WireTap> tap;

    mutable std::mutex lock;
    std::condition_variable released; // wakes held requests and stalls
    std::atomic<bool> stopping{false};
    std::atomic<std::size_t> heldCount{0}; // held.size(), read without the lock
    std::map<std::string, Handler> routes;
    Fault fault;
    std::chrono::milliseconds latency{0};
    std::map<std::string, std::chrono::milliseconds> latencyFor; // by part of the target
    std::vector<std::string> held;                               // parts of held targets

    // Waits for the time given, or less when the server shuts down; false then.
    // Sleeps in short slices without the lock: hundreds of answers waiting at once
    // would otherwise all queue on it whenever their waits end.
    bool wait(std::chrono::milliseconds time) {
        constexpr std::chrono::milliseconds kSlice{100};
        const auto until = std::chrono::steady_clock::now() + time;
        while (!stopping) {
            const auto left = until - std::chrono::steady_clock::now();
            if (left <= left.zero())
                return true;
            std::this_thread::sleep_for(
                std::min<std::chrono::steady_clock::duration>(left, kSlice));
        }
        return false;
    }
    // Waits while the target is held; false when the server shuts down.
    bool waitWhileHeld(const std::string &target) {
        if (heldCount == 0)
            return !stopping;
        std::unique_lock guard(lock);
        released.wait(guard, [&] {
            return stopping || std::none_of(held.begin(), held.end(), [&](const std::string &part) {
                       return target.find(part) != std::string::npos;
                   });
        });
        return !stopping;
    }
    void waitForShutdown() {
        std::unique_lock guard(lock);
        released.wait(guard, [this] { return stopping.load(); });
    }

    void answer(const httplib::Request &req, httplib::Response &res);
};

void FakeWeb::Impl::answer(const httplib::Request &req, httplib::Response &res) {
    Handler handler;
    Fault faultNow;
    std::chrono::milliseconds extra{0};
    {
        std::lock_guard guard(lock);
        if (const auto it = routes.find(req.path); it != routes.end())
            handler = it->second;
        faultNow = fault;
        extra = latency;
        for (const auto &[part, slower] : latencyFor)
            if (req.target.find(part) != std::string::npos)
                extra += slower;
    }
    Reply reply = handler ? handler(req) : Reply{404, "<html><body>not found</body></html>"};
    if (faultNow)
        faultNow(reply);
    if (!waitWhileHeld(req.target) || !wait(extra + reply.latency))
        return;

    res.status = reply.status;
    for (const auto &[name, value] : reply.headers)
        res.set_header(name, value);
    if (reply.delivery == Reply::Delivery::Whole) {
        if (reply.contentType.empty())
            res.body = std::move(reply.body);
        else
            res.set_content(std::move(reply.body), reply.contentType);
        return;
    }
    auto body = std::make_shared<std::string>(std::move(reply.body));
    const std::string type = reply.contentType.empty() ? "text/plain" : reply.contentType;
    if (reply.delivery == Reply::Delivery::Chunked) {
        res.set_chunked_content_provider(type, [body](size_t offset, httplib::DataSink &sink) {
            constexpr size_t kChunk = 64 * 1024;
            if (offset >= body->size()) {
                sink.done();
                return true;
            }
            return sink.write(body->data() + offset, std::min(kChunk, body->size() - offset));
        });
        return;
    }
    const bool stall = reply.delivery == Reply::Delivery::Stall;
    res.set_content_provider(body->size(), type,
                             [this, body, stall](size_t offset, size_t, httplib::DataSink &sink) {
                                 const size_t half = body->size() / 2;
                                 if (offset < half) {
                                     sink.write(body->data() + offset, half - offset);
                                     return true;
                                 }
                                 if (stall)
                                     waitForShutdown();
                                 return false; // drops the connection before the rest of the body
                             });
}

FakeWeb::FakeWeb(const Options &options)
    : impl_(std::make_unique<Impl>()) {
    Impl &d = *impl_;
    // Debian's build listens with a backlog of 5: a burst of clients would wait for
    // SYN retransmits. Capture the socket so it can listen again with a deep queue.
    std::atomic<int> listenSocket{-1};
    d.server.set_socket_options([&listenSocket](int sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        listenSocket = sock;
    });
    d.server.new_task_queue = [threads = options.threads] {
        return new httplib::ThreadPool(static_cast<size_t>(threads));
    };
    d.server.set_keep_alive_max_count(1);
    d.server.Get(".*",
                 [&d](const httplib::Request &req, httplib::Response &res) { d.answer(req, res); });
    d.innerPort = d.server.bind_to_any_port("127.0.0.1");
    if (d.innerPort <= 0)
        throw std::runtime_error("fakeweb: cannot bind");
    ::listen(listenSocket, 1024);
    d.serverThread = std::thread([&d] {
        d.server.listen_after_bind();
        d.listenEnded = true;
    });
    // The server ignores a stop() that comes before its loop runs, and would then
    // listen for ever: be sure it runs before anyone can destroy it.
    while (!d.server.is_running() && !d.listenEnded)
        std::this_thread::yield();
    if (options.recordRequests)
        d.tap = std::make_unique<WireTap>(d.innerPort);
}

FakeWeb::~FakeWeb() {
    Impl &d = *impl_;
    stopAnswering();
    d.tap.reset();
    d.server.stop();
    if (d.serverThread.joinable())
        d.serverThread.join();
}

std::string FakeWeb::base() const {
    return "http://127.0.0.1:" + std::to_string(port());
}

int FakeWeb::port() const {
    return impl_->tap ? impl_->tap->port() : impl_->innerPort;
}

void FakeWeb::route(const std::string &path, Reply reply) {
    route(path, [reply = std::move(reply)](const httplib::Request &) { return reply; });
}

void FakeWeb::route(const std::string &path, Handler handler) {
    std::lock_guard guard(impl_->lock);
    impl_->routes[path] = std::move(handler);
}

void FakeWeb::setLatency(std::chrono::milliseconds latency) {
    std::lock_guard guard(impl_->lock);
    impl_->latency = latency;
}

void FakeWeb::setLatencyFor(const std::string &targetPart, std::chrono::milliseconds latency) {
    std::lock_guard guard(impl_->lock);
    if (latency.count() == 0)
        impl_->latencyFor.erase(targetPart);
    else
        impl_->latencyFor[targetPart] = latency;
}

void FakeWeb::stopAnswering() {
    {
        std::lock_guard guard(impl_->lock);
        impl_->stopping = true;
    }
    impl_->released.notify_all();
}

void FakeWeb::setFault(Fault fault) {
    std::lock_guard guard(impl_->lock);
    impl_->fault = std::move(fault);
}

void FakeWeb::hold(const std::string &targetPart) {
    std::lock_guard guard(impl_->lock);
    impl_->held.push_back(targetPart);
    impl_->heldCount = impl_->held.size();
}

void FakeWeb::release(const std::string &targetPart) {
    {
        std::lock_guard guard(impl_->lock);
        std::erase(impl_->held, targetPart);
        impl_->heldCount = impl_->held.size();
    }
    impl_->released.notify_all();
}

std::vector<RecordedRequest> FakeWeb::requests() const {
    return impl_->tap ? impl_->tap->requests() : std::vector<RecordedRequest>{};
}

void FakeWeb::clearRequests() {
    if (impl_->tap)
        impl_->tap->clearRequests();
}

} // namespace fakeweb
