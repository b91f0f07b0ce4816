// The generator's check of each file it writes: what the game's reader sees, against the
// picture intended.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/artgen/Assets.h"
#include "tools/artgen/BmpFile.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/Raster.h"

namespace {

QImage Sheet() {
    QImage img(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            img.setPixel(x, y, (x + y) % 3 == 0 ? kMagenta : qRgb(40 * x, 200 - 30 * y, 90));
        }
    }
    return img;
}

QImage Nearest565(const QImage& img) {
    QImage out(img.size(), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            out.setPixel(x, y, Expand565(::Nearest565(img.pixel(x, y))));
        }
    }
    return out;
}

uint32_t OffBits(const std::vector<uint8_t>& file) {
    return file[10] | (file[11] << 8U) | (file[12] << 16U) |
           (static_cast<uint32_t>(file[13]) << 24U);
}

SAsset Rgb24Asset() {
    return {"a.bmp", EncodeBmp24(Sheet()), "24-bit", Sheet(), {0, 0, 0}, false};
}

SAsset Indexed8Asset() {
    return {"b.bmp", EncodeBmp8(Quantize(Sheet())), "8-bit", Sheet(), {0, 0, 0}, false};
}

// As the generator makes a glyph sheet in 5-6-5.
SAsset Rgb565Asset() {
    return {"c.bmp", EncodeBmp565(Sheet(), false), "16-bit", Nearest565(Sheet()), {1, 1, 1}, true};
}

// A desktop icon: alpha matters, and the file is read by Qt rather than by the game.
SAsset PngAsset() {
    QImage icon(6, 6, QImage::Format_ARGB32);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            icon.setPixel(x, y, qRgba(30 * x, 40 * y, 200, x == 0 ? 0 : 40 * (x + y) + 15));
        }
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    icon.save(&buffer, "PNG");
    return {"icons/6.png", std::vector<uint8_t>(data.begin(), data.end()), "PNG", icon};
}

struct SCase {
    const char* name;
    std::function<SAsset()> make;
    bool accepted;
    const char* reason = "";  // a part of the reason given for a refusal
};

class VerifyAssetCase : public ::testing::TestWithParam<SCase> {};

TEST_P(VerifyAssetCase, AcceptsOnlyWhatTheGameReadsAsIntended) {
    std::string why;
    EXPECT_EQ(VerifyAsset(GetParam().make(), &why), GetParam().accepted) << why;
    if (!GetParam().accepted) {
        EXPECT_NE(why.find(GetParam().reason), std::string::npos) << why;
        EXPECT_EQ(why.rfind(GetParam().make().path, 0), 0U) << why;
    }
}

const SCase kCases[] = {
    {"Rgb24", Rgb24Asset, true},
    {"Indexed8", Indexed8Asset, true},
    {"Rgb565", Rgb565Asset, true},
    {"Sound",
     [] {
         return SAsset{"s.wav", {1, 2, 3}, "sound", QImage(), {0, 0, 0}, false};
     },
     true},
    {"Png", PngAsset, true},
    {"PngAlphaOff",
     [] {
         SAsset a = PngAsset();
         a.expected.setPixel(3, 3, a.expected.pixel(3, 3) ^ 0x01000000U);
         return a;
     },
     false, "other pixels"},
    {"PngCutShort",
     [] {
         SAsset a = PngAsset();
         a.bytes.resize(a.bytes.size() / 2);
         return a;
     },
     false, "not a PNG"},
    {"PngThatIsABmp",
     [] {
         SAsset a = Rgb24Asset();
         a.path = "icons/7.png";
         a.expected = a.expected.convertToFormat(QImage::Format_ARGB32);
         return a;
     },
     false, "not a PNG"},
    {"Rgb24OnePixelOff",
     [] {
         SAsset a = Rgb24Asset();
         a.bytes[OffBits(a.bytes) + 4] ^= 1U;
         return a;
     },
     false, "other pixels"},
    {"Rgb24CutShort",
     [] {
         SAsset a = Rgb24Asset();
         a.bytes.resize(a.bytes.size() / 2);
         return a;
     },
     false, "refuses"},
    {"Indexed8PaletteEntryChanged",
     [] {
         SAsset a = Indexed8Asset();
         a.bytes[54 + 1] ^= 0x10U;  // green of colour 0
         return a;
     },
     false, "other pixels"},
    {"ExpectedOfAnotherSize",
     [] {
         SAsset a = Rgb24Asset();
         a.expected = a.expected.copy(0, 0, 6, 5);
         return a;
     },
     false, "another size"},
    {"Rgb565BeyondTheWidening",
     [] {
         SAsset a = Rgb565Asset();
         a.expected = Sheet();  // the drawing itself lies up to half a 5-6-5 step away
         return a;
     },
     false, "other pixels"},
    {"Rgb565PixelTurnedMagenta",
     [] {
         SAsset a = Rgb565Asset();
         const uint32_t at = OffBits(a.bytes) + 2;  // bottom row, second pixel: not magenta
         a.bytes[at] = 0x1F;
         a.bytes[at + 1] = 0xF8;
         a.tolerance = {255, 255, 255};
         return a;
     },
     false, "transparent"},
};

INSTANTIATE_TEST_SUITE_P(Assets, VerifyAssetCase, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
