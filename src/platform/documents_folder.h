#pragma once

#include <QString>

namespace tolvera {

// The user's documents folder without a trailing separator; empty when the
// platform cannot name one. Looking it up creates nothing.
QString documentsFolder();

// Creates the folder (and its parents) when missing: a fresh account often has none.
bool ensureFolder(const QString &path);

} // namespace tolvera
