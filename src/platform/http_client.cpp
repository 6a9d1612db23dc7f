#include "platform/http_client.h"

#include "platform/shutdown.h"

#include <curl/curl.h>
#include <mutex>

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
struct MultiDeleter {
    void operator()(CURLM *m) const { curl_multi_cleanup(m); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;
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

// The easy handle on a multi handle of its own: the same blocking transfer as
// curl_easy_perform, except that the program's end wakes its wait and ends it at
// once instead of at the next time-out.
class AbortableTransfer {
public:
    explicit AbortableTransfer(CURL *easy)
        : easy_(easy)
        , multi_(curl_multi_init()) {
        added_ = multi_ && curl_multi_add_handle(multi_.get(), easy_) == CURLM_OK;
    }
    ~AbortableTransfer() {
        if (added_)
            curl_multi_remove_handle(multi_.get(), easy_);
    }
    AbortableTransfer(const AbortableTransfer &) = delete;
    AbortableTransfer &operator=(const AbortableTransfer &) = delete;

    CURLcode perform() {
        if (!added_)
            return CURLE_OUT_OF_MEMORY;
        CURLM *multi = multi_.get();
        const ShutdownListener listener([multi] { curl_multi_wakeup(multi); });
        int running = 1;
        while (running) {
            if (shutdownRequested())
                return CURLE_ABORTED_BY_CALLBACK;
            if (curl_multi_perform(multi, &running) != CURLM_OK)
                return CURLE_FAILED_INIT;
            if (running && curl_multi_poll(multi, nullptr, 0, 1000, nullptr) != CURLM_OK)
                return CURLE_FAILED_INIT;
        }
        int queued = 0;
        while (const CURLMsg *message = curl_multi_info_read(multi, &queued))
            if (message->msg == CURLMSG_DONE && message->easy_handle == easy_)
                return message->data.result;
        return CURLE_FAILED_INIT;
    }

private:
    CURL *easy_;
    MultiHandle multi_;
    bool added_ = false;
};

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
    if (request.cookies) {
        curl_easy_setopt(h, CURLOPT_SHARE, request.cookies->share());
        curl_easy_setopt(h, CURLOPT_COOKIEFILE, ""); // turns the cookie engine on
    }

    const CURLcode code = AbortableTransfer(h).perform();
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
