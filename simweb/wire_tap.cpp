#include "wire_tap.h"

#include "platform/unique_fd.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace fakeweb {

namespace {

constexpr size_t kMaxHead = 64 * 1024;

int connectTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)) != 0) {
        ::close(fd);
        return -1;
    }
    int yes = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof(yes));
    return fd;
}

bool sendAll(int fd, const char *data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string trimmed(const std::string &s) {
    const auto begin = s.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return {};
    return s.substr(begin, s.find_last_not_of(" \t") - begin + 1);
}

} // namespace

WireTap::WireTap(int innerPort)
    : innerPort_(innerPort) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error("fakeweb: pipe");
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];

    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int yes = 1;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof(addr);
    if (::bind(listener_, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)) != 0 ||
        ::listen(listener_, 128) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr *>(&addr), &len) != 0)
        throw std::runtime_error("fakeweb: cannot listen");
    port_ = ntohs(addr.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

WireTap::~WireTap() {
    ::close(wakeWrite_); // every poll below sees the hang-up and returns
    if (acceptor_.joinable())
        acceptor_.join();
    std::lock_guard guard(connectionsLock_);
    for (Connection &c : connections_)
        c.thread.join();
    connections_.clear();
    ::close(listener_);
    ::close(wakeRead_);
}

void WireTap::acceptLoop() {
    for (;;) {
        pollfd fds[2] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (fds[1].revents)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        reapFinished();
        std::lock_guard guard(connectionsLock_);
        Connection &c = connections_.emplace_back();
        c.thread = std::thread([this, client, &c] {
            relay(client);
            c.done = true;
        });
    }
}

void WireTap::reapFinished() {
    std::lock_guard guard(connectionsLock_);
    for (auto it = connections_.begin(); it != connections_.end();) {
        if (it->done) {
            it->thread.join();
            it = connections_.erase(it);
        } else {
            ++it;
        }
    }
}

bool WireTap::readHead(int client, std::string &buffer) {
    char chunk[4096];
    while (buffer.find("\r\n\r\n") == std::string::npos) {
        if (buffer.size() > kMaxHead)
            return false;
        pollfd fds[2] = {{client, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || fds[1].revents)
            return false;
        const ssize_t n = ::recv(client, chunk, sizeof(chunk), 0);
        if (n <= 0)
            return false;
        buffer.append(chunk, static_cast<size_t>(n));
    }
    return true;
}

void WireTap::relay(int clientFd) {
    const tolvera::UniqueFd client(clientFd);
    std::string buffer;
    if (!readHead(client.get(), buffer))
        return;
    record(buffer.substr(0, buffer.find("\r\n\r\n")));

    const tolvera::UniqueFd upstream(connectTo(innerPort_));
    if (upstream.get() < 0 || !sendAll(upstream.get(), buffer.data(), buffer.size()))
        return;

    char chunk[64 * 1024];
    bool clientOpen = true;
    for (;;) {
        pollfd fds[3] = {{upstream.get(), POLLIN, 0},
                         {client.get(), static_cast<short>(clientOpen ? POLLIN : 0), 0},
                         {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 3, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[2].revents)
            return;
        if (fds[0].revents) {
            const ssize_t n = ::recv(upstream.get(), chunk, sizeof(chunk), 0);
            if (n <= 0 || !sendAll(client.get(), chunk, static_cast<size_t>(n)))
                return; // the server closed: so does the client's connection
        }
        if (clientOpen && fds[1].revents) {
            const ssize_t n = ::recv(client.get(), chunk, sizeof(chunk), 0);
            if (n <= 0) {
                clientOpen = false;
                ::shutdown(upstream.get(), SHUT_WR);
            } else if (!sendAll(upstream.get(), chunk, static_cast<size_t>(n))) {
                return;
            }
        }
    }
}

void WireTap::record(const std::string &head) {
    RecordedRequest request;
    size_t lineStart = 0;
    bool first = true;
    while (lineStart <= head.size()) {
        size_t lineEnd = head.find("\r\n", lineStart);
        if (lineEnd == std::string::npos)
            lineEnd = head.size();
        const std::string line = head.substr(lineStart, lineEnd - lineStart);
        if (first) {
            const size_t sp1 = line.find(' ');
            const size_t sp2 = line.rfind(' ');
            request.method = line.substr(0, sp1);
            if (sp1 != std::string::npos && sp2 > sp1)
                request.target = line.substr(sp1 + 1, sp2 - sp1 - 1);
            first = false;
        } else if (const size_t colon = line.find(':'); colon != std::string::npos) {
            request.headers.emplace_back(line.substr(0, colon), trimmed(line.substr(colon + 1)));
        }
        lineStart = lineEnd + 2;
    }
    std::lock_guard guard(requestsLock_);
    requests_.push_back(std::move(request));
}

std::vector<RecordedRequest> WireTap::requests() const {
    std::lock_guard guard(requestsLock_);
    return requests_;
}

void WireTap::clearRequests() {
    std::lock_guard guard(requestsLock_);
    requests_.clear();
}

} // namespace fakeweb
