// Whole bodies decoded as JPEG: a picture, or nothing, and never a crash.
#include "pictures.h"
#include "platform/jpeg_decoder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

using tolvera::decodeJpeg;

namespace {

QByteArray bytes(const std::string &s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

TEST(JpegDecoder, DecodesToItsSizeAndColours) {
    for (const bool progressive : {false, true}) {
        const auto picture = decodeJpeg(bytes(fakeweb::jpegPicture(164, 147, progressive)));
        ASSERT_TRUE(picture) << "progressive " << progressive;
        EXPECT_EQ(picture->width, 164);
        EXPECT_EQ(picture->height, 147);
        ASSERT_EQ(picture->rgb.size(), 164 * 147 * 3);
        for (const auto &[x, y] : {std::pair{0, 0}, {163, 0}, {80, 70}, {163, 146}}) {
            const auto want = fakeweb::jpegPictureColour(x, y, 164, 147);
            const auto *got = reinterpret_cast<const unsigned char *>(picture->rgb.constData()) +
                              (y * 164 + x) * 3;
            EXPECT_NEAR(got[0], want.red, 12) << x << "," << y;
            EXPECT_NEAR(got[1], want.green, 12) << x << "," << y;
            EXPECT_NEAR(got[2], want.blue, 12) << x << "," << y;
        }
    }
}

TEST(JpegDecoder, AnythingButAWholeJpegGivesNothing) {
    const std::string jpeg = fakeweb::jpegPicture(64, 48);
    const struct {
        const char *name;
        std::string body;
    } cases[] = {
        {"empty", ""},
        {"png", fakeweb::pngPicture()},
        {"gif", fakeweb::gifPicture()},
        {"html", "<html><body>not found</body></html>"},
        {"start marker only", "\xff\xd8"},
        {"half a jpeg", jpeg.substr(0, jpeg.size() / 2)},
        {"all but the end marker", jpeg.substr(0, jpeg.size() - 2)},
        {"leading blank", " " + jpeg},
    };
    for (const auto &c : cases)
        EXPECT_FALSE(decodeJpeg(bytes(c.body))) << c.name;
}

// The frame header's size fields: a tiny file may claim a picture of gigabytes.
TEST(JpegDecoder, RefusesPicturesOverTheSizeLimitBeforeDecoding) {
    std::string jpeg = fakeweb::jpegPicture(16, 16);
    const size_t frame = jpeg.find("\xff\xc0", 2);
    ASSERT_NE(frame, std::string::npos);
    // Marker (2), length (2), precision (1), then height and width, big-endian.
    const auto claim = [&](unsigned height, unsigned width) {
        std::string patched = jpeg;
        patched[frame + 5] = static_cast<char>(height >> 8);
        patched[frame + 6] = static_cast<char>(height & 0xff);
        patched[frame + 7] = static_cast<char>(width >> 8);
        patched[frame + 8] = static_cast<char>(width & 0xff);
        return bytes(patched);
    };
    EXPECT_FALSE(decodeJpeg(claim(65500, 65500)));
    EXPECT_FALSE(decodeJpeg(claim(16, tolvera::kMaxPictureSide + 1)));
    EXPECT_TRUE(decodeJpeg(claim(16, 16)));
}

void expectWellFormedOrNothing(const QByteArray &body) {
    if (const auto picture = decodeJpeg(body)) {
        ASSERT_GT(picture->width, 0);
        ASSERT_LE(picture->width, tolvera::kMaxPictureSide);
        ASSERT_EQ(picture->rgb.size(), qsizetype(picture->width) * picture->height * 3);
    }
}

// Thousands of broken bodies; the sanitizer build watches for overruns and leaks.
TEST(JpegDecoder, SurvivesTruncatedCorruptAndRandomBodies) {
    std::mt19937 random(20261210);
    for (const bool progressive : {false, true}) {
        const std::string jpeg = fakeweb::jpegPicture(24, 16, progressive);
        for (size_t cut = 0; cut < jpeg.size(); ++cut)
            EXPECT_FALSE(decodeJpeg(bytes(jpeg.substr(0, cut)))) << "cut at " << cut;
        for (int i = 0; i < 1000; ++i) {
            std::string corrupt = jpeg;
            for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips)
                corrupt[random() % corrupt.size()] = static_cast<char>(random());
            expectWellFormedOrNothing(bytes(corrupt));
        }
    }
    for (int i = 0; i < 1000; ++i) {
        std::string noise(random() % 600, '\0');
        for (char &c : noise)
            c = static_cast<char>(random());
        if (i % 2 == 0)
            noise.insert(0, "\xff\xd8\xff");
        expectWellFormedOrNothing(bytes(noise));
    }
}

} // namespace
