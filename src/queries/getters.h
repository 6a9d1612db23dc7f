#pragma once

#include <QString>

namespace tolvera {

// One value about a site each, cut from one page; see result_texts.h for the
// texts delivered instead when there is none. Stateless: safe on many threads.

// The PageRank of a site given without scheme: one character.
QString getpr(const QString &site);

// The Sogou rating of a site given without scheme (the 5 of "5/100").
QString getsr(const QString &site);

// The Alexa China traffic rank of a site given without scheme, separators removed.
QString getwordpm(const QString &site);

// The title of the page at a complete address, as the lower-cased page text has it.
QString gettitle(const QString &address);

// The same values cut from a page text that has arrived (getHTML's text), no fetch:
// the site or address is what the pattern and the cut need of it.
QString prFromPage(const QString &page);
QString srFromPage(const QString &page);
QString wordpmFromPage(const QString &page, const QString &site);
QString titleFromPage(const QString &page);

} // namespace tolvera
