#pragma once

#include "platform/jpeg_decoder.h"

#include <QString>
#include <optional>

namespace tolvera {

// The thumbnail service's JPEG picture of a site's home page, or nothing for any
// failure (no connection, an error status, a redirect, a body that is not a whole
// JPEG). Blocks for one request under the page fetches' limits. Cookies the
// service sets are kept for the program's life and sent back on later calls; safe
// when calls run at once on several threads.
std::optional<Picture> fetchThumbnail(const QString &domain);

} // namespace tolvera
