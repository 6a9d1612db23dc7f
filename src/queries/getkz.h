#pragma once

#include <QString>

namespace tolvera {

// The date of Baidu's latest snapshot of a bare host: the rest of the first green
// address line that shows the host in bold, taken verbatim (not trimmed), or
// kNotFound / kLookupError (result_texts.h). Stateless: safe on many threads.
QString getkz(const QString &address);

// The same date cut from a Baidu page text that has arrived (getHTML's text), no fetch.
QString kzFromPage(const QString &page, const QString &address);

} // namespace tolvera
