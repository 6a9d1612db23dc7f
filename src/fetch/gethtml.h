#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tolvera {

// What getHTML delivers instead of page text after any failure, whatever its cause.
inline constexpr char16_t kFetchFailure[] = u"网络超时";

// Fetches one page with a GET and returns its text, decoded by the character set
// that the response header or the page declares (else fallbackCharset, else
// gb2312), with A-Z lowered. Never throws; every failure gives kFetchFailure.
QString getHTML(const QString &address, const QString &fallbackCharset);

// The page text of a response that has arrived: the same decision and decoding as
// getHTML, without the fetch. Nothing when the decoder rejects the character set.
std::optional<QString> pageText(const QByteArray &contentType, const QByteArray &body,
                                const QString &fallbackCharset);

// The same decision and decoding, with the letters left as the page has them: for
// showing a page, where pageText's lower case is only what the patterns need.
std::optional<QString> decodedPage(const QByteArray &contentType, const QByteArray &body,
                                   const QString &fallbackCharset);

} // namespace tolvera
