// The pictures and sound in res/ follow the geometry and formats the game relies on, read as
// the game reads them.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/FileIO.h"
#include "tools/artgen/BmpFile.h"
#include "tools/artgen/IconArt.h"
#include "tools/artgen/Raster.h"
#include "tools/artgen/SkinStyles.h"
#include "tools/artgen/SplashArt.h"
#include "ui/Layout.h"

namespace {

std::vector<uint8_t> ReadRes(const std::string& rel) {
    const auto bytes = fileio::ReadFile(std::string(SUDOKU_SOURCE_DIR) + "/res/" + rel, 1U << 22U);
    return bytes ? *bytes : std::vector<uint8_t>{};
}

QImage LoadRes(const std::string& rel) {
    std::string why;
    const QImage img = ReadBmpAsGame(ReadRes(rel), &why);
    EXPECT_FALSE(img.isNull()) << rel << ": " << why;
    return img;
}

int Luma(QRgb c) {
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

bool AllMagenta(const QImage& img, int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            if (img.pixel(x, y) != kMagenta) {
                return false;
            }
        }
    }
    return true;
}

int Ink(const QImage& img, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            n += img.pixel(x, y) != kMagenta ? 1 : 0;
        }
    }
    return n;
}

struct SFileCase {
    const char* path;
    int width;
    int height;
    int bits;
    int compression;
};

class ShippedBitmap : public ::testing::TestWithParam<SFileCase> {};

TEST_P(ShippedBitmap, HasTheSizeAndEncodingTheGameExpects) {
    const SFileCase& c = GetParam();
    const std::vector<uint8_t> file = ReadRes(c.path);
    ASSERT_GE(file.size(), 54U) << c.path;
    EXPECT_EQ(file[14], 40) << "information header of 40 bytes";
    EXPECT_EQ(file[28], c.bits);
    EXPECT_EQ(file[30], c.compression);
    const QImage img = LoadRes(c.path);
    EXPECT_EQ(img.width(), c.width);
    EXPECT_EQ(img.height(), c.height);
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedBitmap,
                         ::testing::Values(SFileCase{"Skin1/board.bmp", 480, 272, 24, 0},
                                           SFileCase{"Skin1/numbers.bmp", 231, 84, 24, 0},
                                           SFileCase{"Skin2/board.bmp", 480, 272, 8, 0},
                                           SFileCase{"Skin2/numbers.bmp", 231, 84, 8, 0},
                                           SFileCase{"Skin3/board.bmp", 480, 272, 16, 3},
                                           SFileCase{"Skin3/numbers.bmp", 231, 84, 16, 3},
                                           SFileCase{"Splash/Splash.bmp", 480, 272, 24, 0},
                                           SFileCase{"Splash/Anim.bmp", 176, 825, 24, 0},
                                           SFileCase{"bitmaps/toolbar110.bmp", 80, 16, 24, 0},
                                           SFileCase{"bitmaps/toolbar132.bmp", 96, 16, 24, 0},
                                           SFileCase{"bitmaps/toolbar134.bmp", 96, 16, 24, 0},
                                           SFileCase{"bitmaps/toolbar135.bmp", 96, 16, 24, 0},
                                           SFileCase{"bitmaps/toolbar136.bmp", 96, 16, 24, 0},
                                           SFileCase{"bitmaps/about139.bmp", 176, 52, 8, 0}));

class SkinArt : public ::testing::TestWithParam<int> {
protected:
    std::string Folder() const { return SkinStyle(GetParam()).folder; }
};

TEST_P(SkinArt, GlyphSheetFollowsTheMap) {
    const QImage sheet = LoadRes(Folder() + "/numbers.bmp");
    ASSERT_FALSE(sheet.isNull());
    constexpr int kMarksX = kSheetMarkColumn * kCellSize;   // 189
    constexpr int kFrameX = kSheetFrameColumn * kCellSize;  // 210
    constexpr int kIllegalY = kStyleIllegal * kCellSize;    // 42
    for (int row = 0; row < kSheetRows; ++row) {
        for (int k = 0; k < 9; ++k) {
            const int x = k * kCellSize;
            const int y = row * kCellSize;
            EXPECT_GT(Ink(sheet, x + 5, y + 4, 11, 13), 20) << "digit " << k + 1 << " row " << row;
            EXPECT_EQ(sheet.pixel(x, y), kMagenta);
            EXPECT_EQ(sheet.pixel(x + 20, y + 20), kMagenta);
        }
    }
    for (int k = 0; k < 9; ++k) {
        const int x = kMarksX + kMarkSize * (k % 3);
        const int y = kMarkSize * (k / 3);
        EXPECT_GE(Ink(sheet, x, y, kMarkSize, kMarkSize), 6) << "pencil mark " << k + 1;
        EXPECT_TRUE(AllMagenta(sheet, x, y, kMarkSize, 1)) << "a mark keeps a free row above it";
        EXPECT_EQ(Ink(sheet, x, kIllegalY + y, kMarkSize, kMarkSize), 32)
            << "illegal mark: a chip with cut corners";
    }
    // Frames: rings round a magenta middle.
    for (const int row : {kSheetSelectionRow, kSheetHintRow}) {
        const int y = row * kCellSize;
        EXPECT_TRUE(AllMagenta(sheet, kFrameX + 4, y + 4, 13, 11));
        EXPECT_NE(sheet.pixel(kFrameX + 1, y + 9), kMagenta);
        EXPECT_NE(sheet.pixel(kFrameX + 19, y + 9), kMagenta);
        EXPECT_NE(sheet.pixel(kFrameX + 10, y), kMagenta);
        EXPECT_NE(sheet.pixel(kFrameX + 10, y + 18), kMagenta);
    }
    // Unused corners of the sheet: under each block of marks, and the frame column's first
    // and last rows.
    EXPECT_TRUE(AllMagenta(sheet, kMarksX, 3 * kMarkSize, kCellSize, kIllegalY - 3 * kMarkSize));
    EXPECT_TRUE(AllMagenta(sheet, kMarksX, kIllegalY + 3 * kMarkSize, kCellSize,
                           kSheetRows * kCellSize - kIllegalY - 3 * kMarkSize));
    EXPECT_TRUE(AllMagenta(sheet, kFrameX, 0, kCellSize, kCellSize));
    EXPECT_TRUE(AllMagenta(sheet, kFrameX, 3 * kCellSize, kCellSize, kCellSize));
}

TEST_P(SkinArt, BoardHasFacesWhereGlyphsGoAndLinesBetween) {
    const SSkinStyle& style = SkinStyle(GetParam());
    const QImage board = LoadRes(Folder() + "/board.bmp");
    ASSERT_FALSE(board.isNull());
    // The mean of the 3 x 3 pixels round (x, y) is close to the colour glyphs are smoothed on.
    auto nearCell = [&](int x, int y) {
        int r = 0;
        int g = 0;
        int b = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QRgb c = board.pixel(x + dx, y + dy);
                r += qRed(c);
                g += qGreen(c);
                b += qBlue(c);
            }
        }
        return std::abs(r / 9 - qRed(style.cell)) <= 10 &&
               std::abs(g / 9 - qGreen(style.cell)) <= 10 &&
               std::abs(b / 9 - qBlue(style.cell)) <= 10;
    };
    const SLayoutValues& layout = kLayout480x272;
    for (int j = 0; j < 9; ++j) {
        for (int i = 0; i < 9; ++i) {
            const int px = layout.gridX + i * kCellSize;
            const int py = layout.gridY + j * kCellSize;
            EXPECT_TRUE(nearCell(px + 10, py + 10)) << i << "," << j;
            EXPECT_TRUE(nearCell(px + 3, py + 10)) << i << "," << j;
            EXPECT_TRUE(nearCell(px + 17, py + 10)) << i << "," << j;
            // Lines on both sides of the face, equally dark, so a glyph sits centred.
            EXPECT_LT(Luma(board.pixel(px, py + 10)), Luma(style.cell) - 20);
            EXPECT_LT(Luma(board.pixel(px + 20, py + 10)), Luma(style.cell) - 20);
            EXPECT_LT(Luma(board.pixel(px + 10, py)), Luma(style.cell) - 20);
            EXPECT_LT(Luma(board.pixel(px + 10, py + 20)), Luma(style.cell) - 20);
        }
        EXPECT_TRUE(nearCell(layout.paletteX + j * kCellSize + 10, layout.paletteY + 10))
            << "key " << j;
    }
}

TEST_P(SkinArt, ClockLabelIsLightForBlackText) {
    const QImage board = LoadRes(Folder() + "/board.bmp");
    ASSERT_FALSE(board.isNull());
    ASSERT_EQ(kClockColour, Rgb(0, 0, 0));
    // The text starts at kClockX and stays within its text box, whichever way it is aligned.
    for (int y = kClockY; y <= kClockY + ICanvas::kTextBoxHeight; ++y) {
        for (int x = kClockX - 2; x <= kClockX + 42; ++x) {
            ASSERT_GE(Luma(board.pixel(x, y)), 190) << x << "," << y;
        }
    }
}

// The game draws the crosshatch lines through the middle of the cells in the skin's colour:
// they must stand out from every cell face of the board.
TEST_P(SkinArt, CrosshatchStandsOutFromTheCells) {
    const QImage board = LoadRes(Folder() + "/board.bmp");
    ASSERT_FALSE(board.isNull());
    const int hatch = Luma(kHatchColour[static_cast<std::size_t>(SkinColumn(GetParam()))]);
    for (int j = 0; j < 9; ++j) {
        for (int i = 0; i < 9; ++i) {
            const int cx = kLayout480x272.gridX + i * kCellSize + kCellSize / 2;
            const int cy = kLayout480x272.gridY + j * kCellSize + kCellSize / 2;
            for (const auto& [x, y] :
                 {std::pair{cx, cy}, std::pair{cx - 7, cy}, std::pair{cx, cy - 7}}) {
                EXPECT_GE(std::abs(Luma(board.pixel(x, y)) - hatch), 40) << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinArt, ::testing::Values(0, 1, 2));

TEST(SplashArt, EveryFrameBlendsWithThePictureUnderIt) {
    const QImage splash = LoadRes("Splash/Splash.bmp");
    const QImage anim = LoadRes("Splash/Anim.bmp");
    ASSERT_FALSE(splash.isNull());
    ASSERT_FALSE(anim.isNull());
    for (int f = 0; f < kFrameCount; ++f) {
        for (int t = 0; t < kFrameWidth; ++t) {
            for (const int y : {0, kFrameHeight - 1}) {
                ASSERT_EQ(anim.pixel(t, f * kFrameHeight + y), splash.pixel(kAnimX + t, kAnimY + y))
                    << "frame " << f;
            }
        }
        for (int t = 0; t < kFrameHeight; ++t) {
            for (const int x : {0, kFrameWidth - 1}) {
                ASSERT_EQ(anim.pixel(x, f * kFrameHeight + t), splash.pixel(kAnimX + x, kAnimY + t))
                    << "frame " << f;
            }
        }
    }
    // Frame 0 is painted into the picture itself; the others differ from it.
    EXPECT_EQ(anim.copy(0, 0, kFrameWidth, kFrameHeight),
              splash.copy(kAnimX, kAnimY, kFrameWidth, kFrameHeight));
    for (int f = 1; f < kFrameCount; ++f) {
        EXPECT_NE(anim.copy(0, f * kFrameHeight, kFrameWidth, kFrameHeight),
                  anim.copy(0, (f - 1) * kFrameHeight, kFrameWidth, kFrameHeight));
    }
}

TEST(Toolbars, OnlyTheButtonsOfALitModeChange) {
    const QImage off = LoadRes("bitmaps/toolbar132.bmp");
    const QImage pencil = LoadRes("bitmaps/toolbar134.bmp");
    const QImage eraser = LoadRes("bitmaps/toolbar135.bmp");
    const QImage both = LoadRes("bitmaps/toolbar136.bmp");
    const QImage five = LoadRes("bitmaps/toolbar110.bmp");
    auto slot = [](const QImage& img, int i) { return img.copy(i * 16, 0, 16, 16); };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(slot(pencil, i) == slot(off, i), i != 1) << i;
        EXPECT_EQ(slot(eraser, i) == slot(off, i), i != 2) << i;
        EXPECT_EQ(slot(both, i) == slot(off, i), i != 1 && i != 2) << i;
        if (i < 5) {
            EXPECT_EQ(slot(five, i), slot(off, i)) << i;
        }
    }
    EXPECT_EQ(slot(both, 1), slot(pencil, 1));
    EXPECT_EQ(slot(both, 2), slot(eraser, 2));
    EXPECT_EQ(off.pixel(0, 0), kMagenta) << "magenta shows the toolbar through";
}

// The desktop icons: a square with rounded, see-through corners round an opaque tile, with the
// centre cell's digit in the tile's blue ink.
class AppIcon : public ::testing::TestWithParam<int> {};

TEST_P(AppIcon, IsAnOpaqueTileWithRoundedCornersAndABlueCentre) {
    const int n = GetParam();
    const std::string path = "icons/" + std::to_string(n) + ".png";
    const std::vector<uint8_t> bytes = ReadRes(path);
    QImage icon;
    ASSERT_TRUE(icon.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG")) << path;
    ASSERT_EQ(icon.size(), QSize(n, n));
    ASSERT_TRUE(icon.hasAlphaChannel());
    icon = icon.convertToFormat(QImage::Format_ARGB32);
    for (const auto& [x, y] :
         {std::pair{0, 0}, std::pair{n - 1, 0}, std::pair{0, n - 1}, std::pair{n - 1, n - 1}}) {
        EXPECT_LT(qAlpha(icon.pixel(x, y)), 128) << path << " corner " << x << "," << y;
    }
    int blue = 0;
    for (int y = n / 4; y < n - n / 4; ++y) {
        for (int x = n / 4; x < n - n / 4; ++x) {
            const QRgb c = icon.pixel(x, y);
            ASSERT_EQ(qAlpha(c), 255) << path << " at " << x << "," << y;
            if (y >= n / 3 && y < n - n / 3 && x >= n / 3 && x < n - n / 3) {
                blue += qBlue(c) > qRed(c) + 60 && qBlue(c) > qGreen(c) + 40 ? 1 : 0;
            }
        }
    }
    EXPECT_GE(blue, 2) << path << ": the centre digit";
    // Coming in from the middle of the left side, the first opaque pixel is the tile's dark
    // edge, no further in than a sixth of the icon.
    int x = 0;
    while (x < n / 6 && qAlpha(icon.pixel(x, n / 2)) < 255) {
        ++x;
    }
    EXPECT_EQ(qAlpha(icon.pixel(x, n / 2)), 255) << path;
    EXPECT_LT(Luma(icon.pixel(x, n / 2)), 80) << path;
}

INSTANTIATE_TEST_SUITE_P(Sizes, AppIcon, ::testing::ValuesIn(kAppIconSizes));

uint32_t Le(const std::vector<uint8_t>& b, std::size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) {
        v = (v << 8U) | b[at + static_cast<std::size_t>(i)];
    }
    return v;
}

TEST(SplashSound, IsAShortQuietMonoPcmWaveThatStartsAndEndsInSilence) {
    const std::vector<uint8_t> wav = ReadRes("splash/splash.wav");
    ASSERT_GE(wav.size(), 44U);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(Le(wav, 4, 4), wav.size() - 8);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(Le(wav, 20, 2), 1U);  // PCM
    EXPECT_EQ(Le(wav, 22, 2), 1U);  // mono
    const uint32_t rate = Le(wav, 24, 4);
    EXPECT_TRUE(rate == 22050 || rate == 44100);
    EXPECT_EQ(Le(wav, 34, 2), 16U);
    EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
    const uint32_t samples = Le(wav, 40, 4) / 2;
    ASSERT_EQ(44U + samples * 2U, wav.size());
    EXPECT_GE(samples, rate);
    EXPECT_LE(samples, 2 * rate);
    int peak = 0;
    for (uint32_t i = 0; i < samples; ++i) {
        const auto s = static_cast<int16_t>(Le(wav, 44 + 2 * i, 2));
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    EXPECT_LE(peak, 16384) << "modest volume";
    EXPECT_GT(peak, 2000);
    EXPECT_EQ(Le(wav, 44, 2), 0U);
    EXPECT_EQ(Le(wav, 44 + 2 * (samples - 1), 2), 0U);
}

}  // namespace
