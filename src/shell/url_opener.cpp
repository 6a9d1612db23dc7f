#include "shell/url_opener.h"

#include "platform/browsable_url.h"

#include <QDesktopServices>

namespace tolvera {

void openInBrowser(const QString &text) {
    if (const std::optional<QUrl> url = browsableUrl(text))
        QDesktopServices::openUrl(*url);
}

} // namespace tolvera
