#pragma once

#include <QString>

namespace tolvera {

// Page text is lowered for the letters A to Z only; every other character,
// Chinese text and other scripts' capitals included, stays as it is.
QString asciiLower(QString text);

// Removes leading and trailing characters with codes 0 to 32 (blanks and controls),
// the trimming every input box and result of the system uses.
QString trimControls(const QString &text);

} // namespace tolvera
