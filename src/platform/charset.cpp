#include "platform/charset.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tolvera {

namespace {

bool isBareName(const QString &name) {
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                        (u >= '0' && u <= '9') || u == '-' || u == '_' || u == '.' || u == ':';
        if (!ok)
            return false;
    }
    return true;
}

QByteArray decoderName(const QString &name) {
    const QString lower = name.toLower();
    if (lower == u"gb2312" || lower == u"gbk")
        return QByteArrayLiteral("GB18030");
    return name.toLatin1();
}

} // namespace

std::optional<QString> decodeCharset(const QByteArray &bytes, const QString &charsetName) {
    if (!isBareName(charsetName))
        return std::nullopt;
    QStringDecoder decoder(decoderName(charsetName).constData());
    if (!decoder.isValid())
        return std::nullopt;
    return decoder.decode(bytes);
}

QByteArray encodeGbk(const QString &text) {
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

QString decodeGbk(const QByteArray &bytes) {
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}

} // namespace tolvera
