#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace tolvera {

class CookieJar;

// One blocking HTTP GET on the calling thread, over its own libcurl easy handle.
// The time limits and the body cap keep a silent or endless service from holding
// a worker (and so a run's progress) forever.
struct HttpRequest {
    QString address;
    // Sent in this order after the Host line; nothing else is added.
    std::vector<std::pair<QByteArray, QByteArray>> headers;
    int maxRedirects = 5; // 0: a redirect answer is a failure, never followed
    CookieJar *cookies = nullptr;
};

// The limits every request runs under. Process-wide and safe to read from any
// thread; tests shorten them so that a stalled service fails within a test.
struct HttpLimits {
    long connectTimeoutMs = 10'000;
    long totalTimeoutMs = 30'000;
    qsizetype maxBodyBytes = 16 * 1024 * 1024; // a larger body is a failure
};
HttpLimits httpLimits();
void setHttpLimits(const HttpLimits &limits);

struct HttpResponse {
    bool ok = false; // the whole response arrived within the limits
    long status = 0;
    QByteArray contentType; // raw value of the last response's Content-Type, empty when absent
    QByteArray body;
    QString error; // why ok is false, for tests and diagnostics only
};

HttpResponse httpGet(const HttpRequest &request);

// The request target as it goes on the wire: bytes a request line cannot carry
// (blanks, controls, non-ASCII) are percent-encoded from UTF-8, all else verbatim.
QByteArray wireAddress(const QString &address);

// Cookies that services set, kept for the life of the jar and sent back on later
// requests that use the same jar; safe for requests on several threads at once.
class CookieJar {
public:
    CookieJar();
    ~CookieJar();
    CookieJar(const CookieJar &) = delete;
    CookieJar &operator=(const CookieJar &) = delete;

    void *share() const; // the libcurl share handle, for the client only

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace tolvera
