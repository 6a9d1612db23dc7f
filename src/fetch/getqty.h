#pragma once

#include <QString>

namespace tolvera {

// The count on the page at address: the digits of the pattern's whole first match
// ("" when it holds none), or "0" for no match, a failed fetch or any error.
QString getqty(const QString &address, const QString &charset, const QString &pattern);

// The same count cut from a page text that has arrived (getHTML's text, lower-cased).
QString qtyFromPage(const QString &page, const QString &pattern);

// The digits of a matched text: "rank_font_y2" removed first, then only the
// characters ",0123456789" kept, then the commas dropped.
QString replacestr(const QString &text);

} // namespace tolvera
