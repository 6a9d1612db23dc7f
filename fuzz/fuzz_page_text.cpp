// The character-set decision and decoding of a page that has arrived: the first line
// is the Content-Type header's value, the second the fallback character set the
// caller passes (UTF-8), the rest the body.

#include "fetch/gethtml.h"
#include "fuzz_input.h"

#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzzing::Input input(data, size);
    const QByteArray contentType = input.line();
    const QString fallback = QString::fromUtf8(input.line());
    const QByteArray body = input.rest();

    const std::optional<QString> text = tolvera::pageText(contentType, body, fallback);
    if (!text)
        return 0;
    for (const QChar c : *text)
        fuzzing::require(c < u'A' || c > u'Z', "page text has no capital A to Z");
    return 0;
}
