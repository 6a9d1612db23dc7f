#include "queries/thumbnail.h"

#include "platform/http_client.h"
#include "queries/endpoints.h"

namespace tolvera {

namespace {

// The thumbnail service is asked as a Delphi Indy client asks, not as the page
// fetcher does.
HttpRequest thumbnailRequest(const QString &domain, CookieJar &jar) {
    HttpRequest request;
    request.address = endpoint(EP_THUMBNAIL) + QStringLiteral("/webthumb.php?q=http://") + domain;
    request.headers = {
        {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
        {"Accept", "text/html, */*"},
        {"Content-Type", "text/html"},
    };
    request.maxRedirects = 0;
    request.cookies = &jar;
    return request;
}

bool successStatus(long status) {
    return status >= 200 && status < 300;
}

} // namespace

std::optional<Picture> fetchThumbnail(const QString &domain) {
    try {
        // The service's cookies live as long as the program. Never destroyed: workers
        // are not joined, so one may still be asking while the program exits.
        static CookieJar &jar = *new CookieJar;
        const HttpResponse response = httpGet(thumbnailRequest(domain, jar));
        if (!response.ok || !successStatus(response.status))
            return std::nullopt;
        return decodeJpeg(response.body);
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace tolvera
