#include "fetch/gethtml.h"

#include "fetch/text.h"
#include "platform/charset.h"
#include "platform/http_client.h"
#include "platform/tregexp.h"

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

// The page's own declaration is searched in the body as an ASCII-preserving view.
// The declaration pattern excludes only ASCII characters, so a Latin-1 view of the
// raw bytes gives the same match extent as a UTF-8 view; it only differs inside
// non-ASCII names, which no decoder accepts either way. It spares decoding a
// whole page as UTF-8 just to look for a few ASCII letters.
QString declarationView(const QByteArray &body) {
    return QString::fromLatin1(body);
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

    re.Multiline = true;
    re.Pattern = QStringLiteral("charset=([^><\"\"+'']+)");
    const QString view = declarationView(body);
    if (re.Test(view))
        return asciiLower(re.Execute(view).Item(0).Value());
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

QString getHTML(const QString &address, const QString &fallbackCharset) {
    const QString failure = QString::fromUtf16(kFetchFailure);
    try {
        const HttpResponse response = httpGet(pageRequest(address));
        if (!response.ok)
            return failure;
        const QString contentType = asciiLower(QString::fromLatin1(response.contentType));
        const QString declared = declaredCharset(contentType, response.body, fallbackCharset);
        if (asciiLower(declared) == kUtf8Declaration)
            return asciiLower(QString::fromUtf8(response.body));
        const std::optional<QString> text = decodeCharset(response.body, decoderNameFor(declared));
        return text ? asciiLower(*text) : failure;
    } catch (...) {
        return failure;
    }
}

} // namespace tolvera
