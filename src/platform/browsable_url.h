#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace tolvera {

// What may be handed to the user's browser for a text the user typed or a page
// gave: only plain web addresses. A text starting with "http://" or "https://"
// (any case) stays as it is; any other text gets "http://" in front and counts
// only if that makes a valid address with a host (a bare host, "host:8080").
// Everything else ("file:", "javascript:", garbage) gives nothing.
std::optional<QUrl> browsableUrl(const QString &text);

} // namespace tolvera
