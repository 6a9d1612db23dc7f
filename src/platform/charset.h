#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tolvera {

// Decodes bytes by a character-set name as a page or a caller gives it.
// gb2312 and gbk decode as GB18030: pages that declare gb2312 routinely carry GBK
// characters, which a strict gb2312 decoder mangles. A name the decoder does not
// know, or one with anything but a bare name in it ("utf-8; x=1"), gives nothing.
// Bytes that are invalid in a known set become U+FFFD and do not fail the decode.
std::optional<QString> decodeCharset(const QByteArray &bytes, const QString &charsetName);

// GB18030 bytes of a text: GBK's bytes for every GBK character, nothing lost outside it.
QByteArray encodeGbk(const QString &text);
QString decodeGbk(const QByteArray &bytes);

} // namespace tolvera
