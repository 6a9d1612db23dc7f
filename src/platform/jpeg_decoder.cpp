#include "platform/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace tolvera {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return:
// ours jumps back to the decode call. The library's manager comes first, so the
// pointer libjpeg hands back is also a pointer to the whole trap.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void leaveDecode(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap *>(info->err)->jump, 1);
}

// A truncated file "decodes" with a premature-end warning and corrupt data only
// warns, possibly thousands of times: the first warning ends the decode as a
// failure. Trace messages (level 0 and above) are dropped, never printed.
void onMessage(j_common_ptr info, int level) {
    if (level < 0)
        leaveDecode(info);
}

struct DecompressGuard {
    jpeg_decompress_struct *info;
    ~DecompressGuard() { jpeg_destroy_decompress(info); }
};

bool acceptableSize(const jpeg_decompress_struct &info) {
    return info.image_width > 0 && info.image_height > 0 &&
           info.image_width <= static_cast<JDIMENSION>(kMaxPictureSide) &&
           info.image_height <= static_cast<JDIMENSION>(kMaxPictureSide);
}

// Every libjpeg call happens below the setjmp here, and longjmp skips destructors:
// this frame holds no object that has one. The pixels go into the caller's picture.
bool decodeTrapped(jpeg_decompress_struct *info, ErrorTrap *trap, const QByteArray *body,
                   Picture *out) {
    if (setjmp(trap->jump) != 0)
        return false;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, reinterpret_cast<const unsigned char *>(body->constData()),
                 static_cast<unsigned long>(body->size()));
    jpeg_read_header(info, TRUE);
    if (!acceptableSize(*info))
        return false;
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    if (info->output_components != 3)
        return false;
    const qsizetype stride = static_cast<qsizetype>(info->output_width) * 3;
    out->width = static_cast<int>(info->output_width);
    out->height = static_cast<int>(info->output_height);
    out->rgb.resize(stride * static_cast<qsizetype>(info->output_height));
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(out->rgb.data()) +
                       stride * static_cast<qsizetype>(info->output_scanline);
        if (jpeg_read_scanlines(info, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(info);
    return true;
}

} // namespace

std::optional<Picture> decodeJpeg(const QByteArray &body) {
    if (body.isEmpty())
        return std::nullopt;
    try {
        ErrorTrap trap{};
        jpeg_decompress_struct info{};
        info.err = jpeg_std_error(&trap.manager);
        trap.manager.error_exit = leaveDecode;
        trap.manager.emit_message = onMessage;
        // Safe on a half-created decompressor too: libjpeg checks what it holds.
        const DecompressGuard guard{&info};
        Picture picture;
        if (!decodeTrapped(&info, &trap, &body, &picture))
            return std::nullopt;
        return picture;
    } catch (...) { // no memory for the pixels
        return std::nullopt;
    }
}

} // namespace tolvera
