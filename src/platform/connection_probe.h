#pragma once

#include <QString>
#include <chrono>

namespace tolvera {

// Whether a TCP connection to the host and port of an http(s) address can be
// opened within the limit. The connection is closed again at once. Blocking:
// call it off the window's thread.
bool canConnect(const QString &address, std::chrono::milliseconds limit);

} // namespace tolvera
