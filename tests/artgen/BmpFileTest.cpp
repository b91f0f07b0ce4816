// The artwork generator's BMP encoders, read back by the game's own reader, and its colour
// reduction.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/artgen/BmpFile.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/Raster.h"

namespace {

QImage Pattern(int w, int h, int colours) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int i = (x * 7 + y * 13) % colours;
            img.setPixel(x, y, qRgb((i * 37) & 0xFF, (i * 91 + 11) & 0xFF, (i * 53 + 200) & 0xFF));
        }
    }
    img.setPixel(0, 0, kMagenta);
    return img;
}

uint32_t Field32(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8U) | (b[at + 2] << 16U) |
           (static_cast<uint32_t>(b[at + 3]) << 24U);
}

// Every channel of `got` lies within `tolerance` of `want`, and magenta is exactly where it was.
void ExpectNear(const QImage& got, const QImage& want, int tolerance) {
    ASSERT_EQ(got.size(), want.size());
    for (int y = 0; y < want.height(); ++y) {
        for (int x = 0; x < want.width(); ++x) {
            const QRgb g = got.pixel(x, y);
            const QRgb w = want.pixel(x, y);
            EXPECT_LE(std::abs(qRed(g) - qRed(w)), tolerance) << x << "," << y;
            EXPECT_LE(std::abs(qGreen(g) - qGreen(w)), tolerance) << x << "," << y;
            EXPECT_LE(std::abs(qBlue(g) - qBlue(w)), tolerance) << x << "," << y;
            EXPECT_EQ(g == kMagenta, w == kMagenta) << x << "," << y;
        }
    }
}

// Odd widths exercise the padding of rows to four bytes in every encoding.
class RoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(RoundTrip, Rgb24KeepsEveryPixel) {
    const QImage img = Pattern(GetParam(), 3, 1000);
    std::string why;
    EXPECT_EQ(ReadBmpAsGame(EncodeBmp24(img), &why), img) << why;
}

TEST_P(RoundTrip, Indexed8KeepsEveryPixelOfASmallPalette) {
    const QImage img = Pattern(GetParam(), 3, 200);
    const SIndexedImage indexed = Quantize(img);
    ASSERT_LE(indexed.palette.size(), 256U);
    std::string why;
    EXPECT_EQ(ReadBmpAsGame(EncodeBmp8(indexed), &why), img) << why;
}

// The game widens 5-6-5 by rounding, the encoder reckons with bit replication: they part by
// one level at most.
TEST_P(RoundTrip, Rgb565ReadsAsTheNearestColours) {
    const QImage img = Pattern(GetParam(), 3, 1000);
    QImage nearest(img.size(), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            nearest.setPixel(x, y, Expand565(Nearest565(img.pixel(x, y))));
        }
    }
    std::string why;
    const QImage back = ReadBmpAsGame(EncodeBmp565(img, false), &why);
    ASSERT_FALSE(back.isNull()) << why;
    ExpectNear(back, nearest, 1);
    EXPECT_EQ(back.pixel(0, 0), kMagenta);
}

INSTANTIATE_TEST_SUITE_P(Widths, RoundTrip, ::testing::Values(1, 2, 3, 5, 231));

TEST(Rgb565, EveryValueSurvivesWideningAndNarrowing) {
    for (uint32_t v = 0; v <= 0xFFFF; ++v) {
        ASSERT_EQ(Nearest565(Expand565(static_cast<uint16_t>(v))), v);
    }
    EXPECT_EQ(Expand565(0xF81F), kMagenta);
    EXPECT_EQ(Expand565(0xFFFF), qRgb(255, 255, 255));
}

// All 65536 values in one file: the game tells every one apart, each near what the encoder
// meant, so no two bits of a pixel are swapped or lost on the way.
TEST(Rgb565, TheGameReadsEveryValueApart) {
    QImage img(256, 256, QImage::Format_RGB32);
    for (int v = 0; v <= 0xFFFF; ++v) {
        img.setPixel(v % 256, v / 256, Expand565(static_cast<uint16_t>(v)));
    }
    std::string why;
    const QImage back = ReadBmpAsGame(EncodeBmp565(img, false), &why);
    ASSERT_FALSE(back.isNull()) << why;
    ExpectNear(back, img, 1);
    std::vector<bool> seen(1U << 24U, false);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const QRgb c = back.pixel(x, y) & 0xFFFFFFU;
            ASSERT_FALSE(seen[c]) << x << "," << y;
            seen[c] = true;
        }
    }
}

TEST(Rgb565, DitherLeavesExactColoursAloneAndStaysWithinOneStep) {
    QImage img(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            img.setPixel(x, y,
                         x < 4 ? Expand565(static_cast<uint16_t>(x * 2311 + y * 977))
                               : qRgb(100 + x, 150 + y, 77));
        }
    }
    std::string why;
    const QImage back = ReadBmpAsGame(EncodeBmp565(img, true), &why);
    const QImage plain = ReadBmpAsGame(EncodeBmp565(img, false), &why);
    ASSERT_FALSE(back.isNull()) << why;
    ASSERT_FALSE(plain.isNull()) << why;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const QRgb a = img.pixel(x, y);
            const QRgb b = back.pixel(x, y);
            if (x < 4) {
                EXPECT_EQ(b, plain.pixel(x, y));
            }
            // One 5-6-5 step, and the one level the game's widening may add.
            EXPECT_LE(std::abs(qRed(a) - qRed(b)), 9);
            EXPECT_LE(std::abs(qGreen(a) - qGreen(b)), 5);
            EXPECT_LE(std::abs(qBlue(a) - qBlue(b)), 9);
        }
    }
    // Dithered: the colours without an exact form mix two neighbouring values.
    EXPECT_NE(back.copy(4, 0, 4, 8), plain.copy(4, 0, 4, 8));
}

TEST(BmpHeaders, BitFieldsFollowTheFortyByteHeader) {
    const std::vector<uint8_t> file = EncodeBmp565(Pattern(5, 2, 10), false);
    EXPECT_EQ(Field32(file, 2), file.size());  // bfSize
    EXPECT_EQ(Field32(file, 10), 66U);         // bfOffBits: 14 + 40 + 3 masks
    EXPECT_EQ(Field32(file, 14), 40U);         // biSize
    EXPECT_EQ(file[28], 16);                   // biBitCount
    EXPECT_EQ(Field32(file, 30), 3U);          // BI_BITFIELDS
    EXPECT_EQ(Field32(file, 54), 0xF800U);
    EXPECT_EQ(Field32(file, 58), 0x07E0U);
    EXPECT_EQ(Field32(file, 62), 0x001FU);
    EXPECT_EQ(file.size(), 66U + 2 * 12);  // rows of 10 bytes padded to 12
}

TEST(BmpHeaders, PaletteSizeIsTheColoursUsed) {
    const SIndexedImage indexed = Quantize(Pattern(9, 9, 40));
    const std::vector<uint8_t> file = EncodeBmp8(indexed);
    EXPECT_EQ(Field32(file, 46), indexed.palette.size());
    EXPECT_EQ(Field32(file, 10), 54U + 4U * indexed.palette.size());
}

// The size fields the encoders write are the ones the game's reader checks: a file a row short
// or with another magic number is refused.
TEST(GameReader, RefusesOurFilesDamaged) {
    const QImage img = Pattern(5, 4, 5);
    const std::vector<std::vector<uint8_t>> files = {EncodeBmp24(img), EncodeBmp8(Quantize(img)),
                                                     EncodeBmp565(img, false)};
    for (const std::vector<uint8_t>& good : files) {
        std::string why;
        ASSERT_FALSE(ReadBmpAsGame(good, &why).isNull()) << why;
        const auto rowBytes = static_cast<std::ptrdiff_t>((good.size() - Field32(good, 10)) / 4);
        const std::vector<uint8_t> shortFile(good.begin(), good.end() - rowBytes);
        EXPECT_TRUE(ReadBmpAsGame(shortFile, &why).isNull())
            << static_cast<int>(good[28]) << " bits";
        std::vector<uint8_t> wrongMagic = good;
        wrongMagic[0] = 'X';
        EXPECT_TRUE(ReadBmpAsGame(wrongMagic, &why).isNull())
            << static_cast<int>(good[28]) << " bits";
    }
    std::string why;
    EXPECT_TRUE(ReadBmpAsGame({}, &why).isNull());
    EXPECT_FALSE(why.empty());
}

TEST(Quantize, ManyColoursShrinkToAPaletteThatStaysClose) {
    QImage img(256, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 256; ++x) {
            img.setPixel(x, y, qRgb(x, 255 - x / 2, y * 4));
        }
    }
    const SIndexedImage indexed = Quantize(img);
    EXPECT_LE(indexed.palette.size(), 256U);
    const SQuantizeError error = MeasureQuantizeError(img, indexed);
    EXPECT_LT(error.mean, 4.0);
    EXPECT_LE(error.worst, 24);
}

}  // namespace
