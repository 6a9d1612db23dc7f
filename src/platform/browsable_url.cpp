#include "platform/browsable_url.h"

namespace tolvera {

namespace {

bool hasWebScheme(const QString &text) {
    return text.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) ||
           text.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive);
}

// In a text without a scheme, a colon before the path may only introduce a port:
// "file:///x" or "javascript:..." must not become a web address of host "file".
bool colonIsAPort(const QString &text) {
    const qsizetype colon = text.indexOf(u':');
    const qsizetype pathStart = text.indexOf(u'/');
    if (colon < 0 || (pathStart >= 0 && pathStart < colon))
        return true;
    qsizetype end = colon + 1;
    while (end < text.size() && text.at(end).isDigit())
        ++end;
    return end > colon + 1 && (end == text.size() || QStringLiteral("/?#").contains(text.at(end)));
}

} // namespace

std::optional<QUrl> browsableUrl(const QString &text) {
    if (!hasWebScheme(text) && !colonIsAPort(text))
        return std::nullopt;
    // A bare "shop.localhost:8080" would read as scheme "shop.localhost": the scheme
    // is put in front before QUrl ever sees the text.
    const QUrl url(hasWebScheme(text) ? text : QStringLiteral("http://") + text);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != "http" && scheme != "https"))
        return std::nullopt;
    return url;
}

} // namespace tolvera
