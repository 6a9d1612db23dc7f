#pragma once

#include <QString>

namespace tolvera {

// The outside services, each a scheme and host that request paths are appended to.
enum Endpoint {
    EP_BAIDU,
    EP_GOOGLE_HK,
    EP_YAHOO_SITEMAP,
    EP_SOGOU,
    EP_YOUDAO,
    EP_ALEXA_CN,
    EP_PR_LOOKUP,
    EP_CHINARANK,
    EP_THUMBNAIL,
    EP_VENDOR_AD,
};
inline constexpr int kEndpointCount = EP_VENDOR_AD + 1;

// Safe to call from any thread. The program keeps the compiled-in hosts; tests and
// the demo point endpoints at the simulated web before any query runs.
QString endpoint(Endpoint which);
void setEndpoint(Endpoint which, const QString &schemeAndHost);

// The compiled-in value, whatever setEndpoint did since.
QString defaultEndpoint(Endpoint which);

} // namespace tolvera
