#include "platform/http_client.h"

#include "platform/shutdown.h"

#include <curl/curl.h>
#include <mutex>
#include <set>
#include <sys/socket.h>
#include <unistd.h>

namespace tolvera {

namespace {

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
    void operator()(CURL *h) const { curl_easy_cleanup(h); }
};
struct SlistDeleter {
    void operator()(curl_slist *l) const { curl_slist_free_all(l); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, SlistDeleter>;

struct BodySink {
    CURL *handle;
    QByteArray *body;
    qsizetype limit;
    bool overflowed = false;
    bool reserved = false;
};

// Sizes the buffer once from the announced length, so a large page is not copied
// over and over while it grows.
void reserveAnnounced(BodySink &sink) {
    sink.reserved = true;
    curl_off_t announced = -1;
    if (curl_easy_getinfo(sink.handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) ==
            CURLE_OK &&
        announced > 0 && announced <= sink.limit)
        sink.body->reserve(static_cast<qsizetype>(announced));
}

size_t appendBody(char *data, size_t size, size_t count, void *userdata) {
    auto *sink = static_cast<BodySink *>(userdata);
    if (!sink->reserved)
        reserveAnnounced(*sink);
    const auto bytes = static_cast<qsizetype>(size * count);
    if (sink->body->size() + bytes > sink->limit) {
        sink->overflowed = true;
        return 0; // makes libcurl stop with a write error
    }
    sink->body->append(data, bytes);
    return size * count;
}

HeaderList buildHeaders(const HttpRequest &request) {
    curl_slist *list = nullptr;
    for (const auto &[name, value] : request.headers) {
        const QByteArray line = name + ": " + value;
        curl_slist *grown = curl_slist_append(list, line.constData());
        if (!grown) {
            curl_slist_free_all(list);
            return nullptr;
        }
        list = grown;
    }
    return HeaderList(list);
}

bool isWireSafe(unsigned char c) {
    return c > 0x20 && c < 0x7f;
}

// libcurl asks this now and then during a transfer; non-zero aborts it.
int abortAtShutdown(void *, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return shutdownRequested() ? 1 : 0;
}

// The sockets of every transfer in flight. At the program's end each is cut, so a
// transfer waiting for its peer wakes and fails at once instead of at its time-out;
// the progress callback catches the rest (name lookups, connects) within a second.
class OpenSockets {
public:
    static OpenSockets &instance() {
        // Never destroyed: transfers still running at exit close their sockets here.
        static OpenSockets &sockets = *new OpenSockets;
        return sockets;
    }

    curl_socket_t open(const curl_sockaddr &address) {
        const std::lock_guard guard(lock_);
        if (shutdownRequested())
            return CURL_SOCKET_BAD;
        const curl_socket_t fd =
            ::socket(address.family, address.socktype | SOCK_CLOEXEC, address.protocol);
        if (fd != CURL_SOCKET_BAD)
            fds_.insert(fd);
        return fd;
    }

    int close(curl_socket_t fd) {
        // Under the lock: a cut can never reach a number that was closed and reused.
        const std::lock_guard guard(lock_);
        fds_.erase(fd);
        return ::close(fd);
    }

private:
    OpenSockets()
        : listener_([this] {
            const std::lock_guard guard(lock_);
            for (const curl_socket_t fd : fds_)
                ::shutdown(fd, SHUT_RDWR);
        }) {}

    std::mutex lock_;
    std::set<curl_socket_t> fds_;
    ShutdownListener listener_;
};

curl_socket_t openSocket(void *, curlsocktype, curl_sockaddr *address) {
    return OpenSockets::instance().open(*address);
}

int closeSocket(void *, curl_socket_t fd) {
    return OpenSockets::instance().close(fd);
}

std::mutex limitsLock;
HttpLimits currentLimits;

} // namespace

HttpLimits httpLimits() {
    std::lock_guard guard(limitsLock);
    return currentLimits;
}

void setHttpLimits(const HttpLimits &limits) {
    std::lock_guard guard(limitsLock);
    currentLimits = limits;
}

QByteArray wireAddress(const QString &address) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray wire;
    const QByteArray utf8 = address.toUtf8();
    wire.reserve(utf8.size());
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (isWireSafe(c)) {
            wire.append(ch);
        } else {
            wire.append('%');
            wire.append(hex[c >> 4]);
            wire.append(hex[c & 0x0f]);
        }
    }
    return wire;
}

HttpResponse httpGet(const HttpRequest &request) {
    initCurlOnce();
    HttpResponse response;
    EasyHandle easy(curl_easy_init());
    if (!easy) {
        response.error = QStringLiteral("curl_easy_init failed");
        return response;
    }
    HeaderList headers = buildHeaders(request);
    if (!request.headers.empty() && !headers) {
        response.error = QStringLiteral("out of memory for headers");
        return response;
    }

    const HttpLimits limits = httpLimits();
    CURL *h = easy.get();
    BodySink sink{h, &response.body, limits.maxBodyBytes};
    const QByteArray url = wireAddress(request.address);
    curl_easy_setopt(h, CURLOPT_URL, url.constData());
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs);
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, request.maxRedirects > 0 ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, static_cast<long>(request.maxRedirects));
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_BUFFERSIZE, 64L * 1024L); // fewer reads for large pages
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, abortAtShutdown);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    // An aborted name lookup must not make the cleanup wait for the resolver thread.
    curl_easy_setopt(h, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(h, CURLOPT_OPENSOCKETFUNCTION, openSocket);
    curl_easy_setopt(h, CURLOPT_CLOSESOCKETFUNCTION, closeSocket);
    if (request.cookies) {
        curl_easy_setopt(h, CURLOPT_SHARE, request.cookies->share());
        curl_easy_setopt(h, CURLOPT_COOKIEFILE, ""); // turns the cookie engine on
    }

    if (shutdownRequested()) {
        response.error = QStringLiteral("the program is ending");
        return response;
    }
    const CURLcode code = curl_easy_perform(h);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &response.status);
    if (const char *type = nullptr;
        curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) {
        response.contentType = QByteArray(type); // owned by the handle: copy before cleanup
    }
    if (code != CURLE_OK) {
        response.error = sink.overflowed ? QStringLiteral("body over the size limit")
                                         : QString::fromUtf8(curl_easy_strerror(code));
        response.body.clear();
        return response;
    }
    if (request.maxRedirects == 0 && response.status >= 300 && response.status < 400) {
        response.error = QStringLiteral("redirect not followed");
        response.body.clear();
        return response;
    }
    response.ok = true;
    return response;
}

struct CookieJar::Impl {
    CURLSH *share = nullptr;
    std::mutex lock;
};

namespace {
void lockShare(CURL *, curl_lock_data, curl_lock_access, void *userptr) {
    static_cast<std::mutex *>(userptr)->lock();
}
void unlockShare(CURL *, curl_lock_data, void *userptr) {
    static_cast<std::mutex *>(userptr)->unlock();
}
} // namespace

CookieJar::CookieJar()
    : impl_(std::make_unique<Impl>()) {
    initCurlOnce();
    impl_->share = curl_share_init();
    if (impl_->share) {
        curl_share_setopt(impl_->share, CURLSHOPT_LOCKFUNC, lockShare);
        curl_share_setopt(impl_->share, CURLSHOPT_UNLOCKFUNC, unlockShare);
        curl_share_setopt(impl_->share, CURLSHOPT_USERDATA, &impl_->lock);
        curl_share_setopt(impl_->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    }
}

CookieJar::~CookieJar() {
    if (impl_->share)
        curl_share_cleanup(impl_->share);
}

void *CookieJar::share() const {
    return impl_->share;
}

} // namespace tolvera
