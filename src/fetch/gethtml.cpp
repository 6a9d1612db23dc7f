#include "fetch/gethtml.h"

#include "fetch/text.h"
#include "platform/charset.h"
#include "platform/http_client.h"
#include "platform/tregexp.h"

#include <optional>

namespace tolvera {

namespace {

const QString kUtf8Declaration = QStringLiteral("charset=utf-8");

HttpRequest pageRequest(const QString &address) {
    HttpRequest request;
    request.address = address;
    request.headers = {
        {"If-Modified-Since", "0"},
        {"User-Agent", "Mozilla/4.0 (compatible; MSIE 5.5; Windows 98)"},
        {"Accept", "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*"},
    };
    return request;
}

bool isDeclarationChar(char c) {
    return c != '>' && c != '<' && c != '"' && c != '+' && c != '\'';
}

bool startsWithCharsetKey(const QByteArray &body, qsizetype at) {
    static constexpr char kKey[] = "charset=";
    constexpr qsizetype kKeySize = sizeof(kKey) - 1;
    if (body.size() - at < kKeySize)
        return false;
    for (qsizetype i = 0; i < kKeySize; ++i) {
        char c = body[at + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != kKey[i])
            return false;
    }
    return true;
}

// The page's own declaration: the first "charset=" (any letter case) followed by at
// least one character other than > < " + ', with all such characters that follow.
// Searched in the raw bytes: the excluded characters are ASCII, so the extent is
// the same as in a UTF-8 view of the body, and a name with non-ASCII bytes in it
// fails in the decoder either way. This spares decoding a whole page as UTF-8 just
// to look for a few ASCII letters.
std::optional<QString> pageDeclaration(const QByteArray &body) {
    constexpr qsizetype kKeySize = 8;
    for (qsizetype at = body.indexOf('='); at >= 0; at = body.indexOf('=', at + 1)) {
        const qsizetype start = at - (kKeySize - 1);
        if (start < 0 || !startsWithCharsetKey(body, start))
            continue;
        qsizetype end = at + 1;
        while (end < body.size() && isDeclarationChar(body[end]))
            ++end;
        if (end > at + 1)
            return QString::fromLatin1(body.mid(start, end - start));
    }
    return std::nullopt;
}

// The declared character set: the header's declaration, else the page's, else
// the fallback exactly as the caller passed it.
QString declaredCharset(const QString &lowerContentType, const QByteArray &body,
                        const QString &fallback) {
    TRegExp re;
    re.IgnoreCase = true;
    re.Global = true;
    re.Pattern = QStringLiteral("charset=(.+)");
    if (re.Test(lowerContentType))
        return asciiLower(re.Execute(lowerContentType).Item(0).Value());

    if (const std::optional<QString> page = pageDeclaration(body))
        return asciiLower(*page);
    return fallback;
}

QString decoderNameFor(const QString &declared) {
    if (declared.contains(u"charset"))
        return declared.mid(8);
    if (!trimControls(declared).isEmpty())
        return declared;
    return QStringLiteral("gb2312");
}

} // namespace

std::optional<QString> decodedPage(const QByteArray &contentType, const QByteArray &body,
                                   const QString &fallbackCharset) {
    const QString lowerType = asciiLower(QString::fromLatin1(contentType));
    const QString declared = declaredCharset(lowerType, body, fallbackCharset);
    if (asciiLower(declared) == kUtf8Declaration)
        return QString::fromUtf8(body);
    return decodeCharset(body, decoderNameFor(declared));
}

std::optional<QString> pageText(const QByteArray &contentType, const QByteArray &body,
                                const QString &fallbackCharset) {
    std::optional<QString> text = decodedPage(contentType, body, fallbackCharset);
    if (!text)
        return std::nullopt;
    return asciiLower(std::move(*text));
}

QString getHTML(const QString &address, const QString &fallbackCharset) {
    const QString failure = QString::fromUtf16(kFetchFailure);
    try {
        const HttpResponse response = httpGet(pageRequest(address));
        if (!response.ok)
            return failure;
        return pageText(response.contentType, response.body, fallbackCharset).value_or(failure);
    } catch (...) {
        return failure;
    }
}

} // namespace tolvera
