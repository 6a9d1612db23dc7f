#pragma once

#include <QByteArray>
#include <optional>

namespace tolvera {

// A decoded picture as plain pixels, so that the core needs no GUI library.
struct Picture {
    int width = 0;
    int height = 0;
    QByteArray rgb; // 3 bytes per pixel (red, green, blue), rows top to bottom
};

// Pictures wider or taller than this are refused before any pixel memory is
// taken: a few header bytes could otherwise ask for gigabytes.
inline constexpr int kMaxPictureSide = 4096;

// Decodes the whole body, from its first byte, as one JPEG image. Anything else
// (another format, a truncated or corrupt JPEG, a picture over the size limit)
// gives nothing. Never throws, never crashes; safe on many threads at once.
std::optional<Picture> decodeJpeg(const QByteArray &body);

} // namespace tolvera
