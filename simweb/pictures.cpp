#include "pictures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace fakeweb {

namespace {

struct CompressGuard {
    jpeg_compress_struct *info;
    ~CompressGuard() { jpeg_destroy_compress(info); }
};

std::vector<unsigned char> gradient(int width, int height) {
    std::vector<unsigned char> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = jpegPictureColour(x, y, width, height);
            pixels.insert(pixels.end(), {c.red, c.green, c.blue});
        }
    }
    return pixels;
}

} // namespace

Rgb jpegPictureColour(int x, int y, int width, int height) {
    return {static_cast<unsigned char>(255 * x / std::max(1, width - 1)),
            static_cast<unsigned char>(255 * y / std::max(1, height - 1)), 128};
}

std::string jpegPicture(int width, int height, bool progressive) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    // The compressor fails only on bad parameters, which are ours: libjpeg's own
    // handler (message and exit) is the right answer to such a fixture fault.
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    const CompressGuard guard{&info};

    unsigned char *buffer = nullptr; // malloc'ed by libjpeg, ours to free
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> pixels = gradient(width, height);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = pixels.data() + static_cast<size_t>(info.next_scanline) * width * 3;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char *>(buffer), size);
    std::free(buffer);
    return bytes;
}

std::string pngPicture() {
    static const unsigned char bytes[] = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
        0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0xfd,
        0xd4, 0x9a, 0x73, 0x00, 0x00, 0x00, 0x11, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8,
        0xcf, 0xc0, 0x00, 0x44, 0x0c, 0x60, 0xf2, 0x3f, 0x00, 0x1b, 0xf2, 0x03, 0xfd, 0xf3, 0xe7,
        0x4b, 0xb1, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    return std::string(reinterpret_cast<const char *>(bytes), sizeof(bytes));
}

std::string gifPicture() {
    static const unsigned char bytes[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xff, 0xff,
        0xff, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
    return std::string(reinterpret_cast<const char *>(bytes), sizeof(bytes));
}

} // namespace fakeweb
