#include "platform/connection_probe.h"

#include "platform/shutdown.h"
#include "platform/unique_fd.h"

#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

namespace tolvera {

namespace {

struct AddrInfoDeleter {
    void operator()(addrinfo *info) const { freeaddrinfo(info); }
};

bool connectOne(const addrinfo &candidate, std::chrono::milliseconds limit) {
    const UniqueFd socket(::socket(candidate.ai_family,
                                   candidate.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                   candidate.ai_protocol));
    if (socket.get() < 0)
        return false;
    if (::connect(socket.get(), candidate.ai_addr, candidate.ai_addrlen) == 0)
        return true;
    if (errno != EINPROGRESS)
        return false;
    // Waits in short slices so that the program's end is not held up by the limit.
    constexpr std::chrono::milliseconds kSlice{50};
    int ready = 0;
    for (auto left = limit; ready == 0 && left.count() > 0 && !shutdownRequested();
         left -= kSlice) {
        pollfd waiting{socket.get(), POLLOUT, 0};
        ready = ::poll(&waiting, 1, static_cast<int>(std::min(left, kSlice).count()));
    }
    if (ready != 1)
        return false;
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

} // namespace

bool canConnect(const QString &address, std::chrono::milliseconds limit) {
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != "http" && scheme != "https"))
        return false;
    const int port = url.port(scheme == "https" ? 443 : 80);

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (getaddrinfo(url.host().toUtf8().constData(), std::to_string(port).c_str(), &hints,
                    &found) != 0)
        return false;
    const std::unique_ptr<addrinfo, AddrInfoDeleter> owner(found);
    for (const addrinfo *candidate = found; candidate; candidate = candidate->ai_next)
        if (connectOne(*candidate, limit))
            return true;
    return false;
}

} // namespace tolvera
