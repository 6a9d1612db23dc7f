#pragma once

#include <QString>

namespace tolvera {

// Hands a web address to the user's browser without waiting for it. Only what
// browsableUrl() accepts is ever opened; anything else is dropped silently, and
// nothing is reported either way.
void openInBrowser(const QString &text);

} // namespace tolvera
