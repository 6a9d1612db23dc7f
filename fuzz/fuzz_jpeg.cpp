// The JPEG decoder on a thumbnail service's answer: the input is the body.

#include "fuzz_input.h"
#include "platform/jpeg_decoder.h"

#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using fuzzing::require;
    // The fuzzer's own buffer, not a copy: a read past its end is caught.
    const QByteArray body =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<tolvera::Picture> picture = tolvera::decodeJpeg(body);
    if (!picture)
        return 0;
    require(picture->width > 0 && picture->width <= tolvera::kMaxPictureSide,
            "the width is within the limit");
    require(picture->height > 0 && picture->height <= tolvera::kMaxPictureSide,
            "the height is within the limit");
    require(picture->rgb.size() == qsizetype{picture->width} * picture->height * 3,
            "three bytes for every pixel");
    return 0;
}
