// The Qt canvas draws the same pixels as the plain C++ one; PNG files read back through Qt.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "platform/ImageCanvas.h"
#include "platform/PngWriter.h"
#include "platform/qt/QtCanvas.h"
#include "tests/support/TempDir.h"

namespace {

constexpr uint32_t kBackground = Rgb(10, 20, 30);

// A source with a pattern of distinct colours and a scattering of magenta pixels, some of them
// with an alpha byte other than 0xFF (keyed all the same).
Bitmap PatternBitmap(int w, int h, std::mt19937& rng) {
    Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t r = rng();
            if (r % 5 == 0) {
                bmp.Set(x, y, r % 2 == 0 ? kKeyColour : (kKeyColour & 0x00FFFFFFU));
            } else {
                bmp.Set(x, y, Rgb(x * 7, y * 11, static_cast<int>(r & 0xFF)));
            }
        }
    }
    return bmp;
}

// Draws the same thing through both canvases onto equal targets and compares every pixel.
void ExpectSamePixels(const std::function<void(ICanvas&)>& draw, const std::string& what) {
    Bitmap plain(37, 29, kBackground);
    Bitmap qt(37, 29, kBackground);
    {
        CImageCanvas canvas(plain);
        draw(canvas);
    }
    {
        CQtCanvas canvas(qt);
        draw(canvas);
    }
    int differ = 0;
    for (int y = 0; y < plain.height; ++y) {
        for (int x = 0; x < plain.width; ++x) {
            if (plain.At(x, y) != (qt.At(x, y) | 0xFF000000U)) {
                if (++differ <= 3) {
                    ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") plain " << std::hex
                                  << plain.At(x, y) << " qt " << qt.At(x, y);
                }
            }
        }
    }
    EXPECT_EQ(differ, 0) << what;
}

TEST(QtCanvasTest, CopiesAndKeyedCopiesAgreeEverywhereIncludingTheEdges) {
    std::mt19937 rng(11);
    const Bitmap src = PatternBitmap(23, 17, rng);
    ExpectSamePixels([&](ICanvas& c) { c.CopyBitmap(src, 3, 4); }, "whole copy");
    ExpectSamePixels([&](ICanvas& c) { c.CopyBitmap(src, -8, -5); }, "whole copy off top-left");
    ExpectSamePixels([&](ICanvas& c) { c.CopyBitmap(src, 30, 20); }, "whole copy off bottom-right");
    std::uniform_int_distribution<int> pos(-30, 40);
    std::uniform_int_distribution<int> size(-2, 30);
    for (int i = 0; i < 300; ++i) {
        const int x = pos(rng);
        const int y = pos(rng);
        const int sx = pos(rng) / 2;
        const int sy = pos(rng) / 2;
        const int w = size(rng);
        const int h = size(rng);
        const std::string args = std::to_string(x) + "," + std::to_string(y) + " from " +
                                 std::to_string(sx) + "," + std::to_string(sy) + " " +
                                 std::to_string(w) + "x" + std::to_string(h);
        ExpectSamePixels([&](ICanvas& c) { c.CopyBitmap(src, x, y, sx, sy, w, h); },
                         "copy " + args);
        ExpectSamePixels([&](ICanvas& c) { c.CopyBitmapKeyed(src, x, y, sx, sy, w, h); },
                         "keyed copy " + args);
    }
}

TEST(QtCanvasTest, KeyedCopyLeavesMagentaOutAndOverwritesTheRest) {
    Bitmap src(2, 1);
    src.Set(0, 0, kKeyColour);
    src.Set(1, 0, Rgb(1, 2, 3));
    Bitmap target(2, 1, kBackground);
    {
        CQtCanvas canvas(target);
        canvas.CopyBitmapKeyed(src, 0, 0, 0, 0, 2, 1);
    }
    EXPECT_EQ(target.At(0, 0) | 0xFF000000U, kBackground);
    EXPECT_EQ(target.At(1, 0) | 0xFF000000U, Rgb(1, 2, 3));
}

TEST(QtCanvasTest, StraightLinesAgreeInEveryDirectionWithTheEndPointLeftOut) {
    struct Line {
        int x1, y1, x2, y2;
    };
    const Line lines[] = {
        {2, 3, 20, 3},    {20, 5, 2, 5},   {4, 1, 4, 25},    {6, 25, 6, 1},
        {-5, 7, 50, 7},   {50, 9, -5, 9},  {8, -10, 8, 40},  {9, 40, 9, -10},
        {0, 0, 1, 0},     {1, 0, 0, 0},    {36, 28, 36, 27}, {36, 27, 36, 28},
        {-3, -1, 10, -1}, {10, 29, 0, 29}, {37, 2, 37, 9},   {5, 5, 5, 5},
    };
    for (const Line& l : lines) {
        ExpectSamePixels([&](ICanvas& c) { c.DrawLine(l.x1, l.y1, l.x2, l.y2, Rgb(200, 0, 0)); },
                         "line " + std::to_string(l.x1) + "," + std::to_string(l.y1) + " to " +
                             std::to_string(l.x2) + "," + std::to_string(l.y2));
    }
}

TEST(QtCanvasTest, TextStaysInsideItsBoxAndSitsAtTheBottom) {
    Bitmap target(120, 60, kBackground);
    {
        CQtCanvas canvas(target);
        canvas.DrawTextAt(10, 20, 40, "01:05 WWWWWWWW", Rgb(255, 255, 255));
    }
    int inked = 0;
    int lowest = -1;
    for (int y = 0; y < target.height; ++y) {
        for (int x = 0; x < target.width; ++x) {
            if ((target.At(x, y) | 0xFF000000U) != kBackground) {
                ++inked;
                lowest = std::max(lowest, y);
                EXPECT_TRUE(x >= 10 && x < 50 && y >= 20 && y < 44) << x << "," << y;
            }
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_GE(lowest, 36);  // the lower part of the box holds the text
}

TEST(QtCanvasTest, RectanglesAgree) {
    const SRect rects[] = {{3, 4, 20, 15},   {0, 0, 37, 29}, {-5, -5, 10, 10},
                           {30, 20, 50, 40}, {5, 5, 6, 6},   {5, 5, 7, 7},
                           {5, 5, 8, 6},     {5, 5, 5, 9},   {9, 9, 4, 4}};
    for (const SRect& r : rects) {
        ExpectSamePixels([&](ICanvas& c) { c.DrawRect(r, Rgb(0, 0, 0), Rgb(255, 255, 255)); },
                         "rect " + std::to_string(r.left) + "," + std::to_string(r.top) + " to " +
                             std::to_string(r.right) + "," + std::to_string(r.bottom));
    }
}

// Where the ink of a drawing lies: its bounding box, empty when nothing was drawn.
SRect InkBox(const Bitmap& image, uint32_t background) {
    SRect box{image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if ((image.At(x, y) | 0xFF000000U) != background) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    return box;
}

// The caption box of the command bar, made as the main frame makes it (text width + 6 by text
// height + 2, the text centred and standing on the bottom edge raised by one pixel): with
// either canvas the text lies inside the box, centred, in its lower part; and the box of the
// tallest caption stays below the top of the view.
TEST(QtCanvasTest, TextInABoxIsCentredAndStandsOnItsBottomInBothCanvases) {
    const char* texts[] = {"Hint",         "Pencilmarks on",
                           "Пометки вкл.", "提示标记开",
                           " 关",          "Letzte Aktion rückgängig machen"};
    for (const char* text : texts) {
        for (const bool qt : {false, true}) {
            SCOPED_TRACE(std::string(text) + (qt ? " qt" : " plain"));
            Bitmap target(240, 40, kBackground);
            SRect box;
            {
                std::unique_ptr<ICanvas> canvas;
                if (qt) {
                    canvas = std::make_unique<CQtCanvas>(target);
                } else {
                    canvas = std::make_unique<CImageCanvas>(target);
                }
                const STextSize size = canvas->MeasureText(text);
                EXPECT_GT(size.width, 0);
                EXPECT_LE(size.height + 2, 17) << "the box must fit above row 17";
                const int width = size.width + 6;
                box = {120 - width / 2, 30 - (size.height + 2), 120 - width / 2 + width, 30};
                SRect inner = box;
                --inner.bottom;
                canvas->DrawTextInRect(inner, text, Rgb(255, 255, 255), TextVAlign::kBottom);
            }
            const SRect ink = InkBox(target, kBackground);
            ASSERT_GT(ink.Width(), 0);
            EXPECT_GE(ink.left, box.left + 1);
            EXPECT_LE(ink.right, box.right - 1);
            EXPECT_GE(ink.top, box.top);
            EXPECT_LE(ink.bottom, box.bottom - 1);
            EXPECT_GE(ink.bottom, box.bottom - 1 - box.Height() / 2);
            // Centred: the ink's middle within a few pixels of the box's.
            EXPECT_NEAR(ink.left + ink.right, box.left + box.right, 6);
        }
    }
}

TEST(QtCanvasTest, TextIsDrawnInThePinnedFont) {
    const QFontInfo info(CQtCanvas::Font());
    EXPECT_EQ(info.family().toStdString(), CQtCanvas::kFontFamily);
    EXPECT_EQ(info.pixelSize(), CQtCanvas::kFontPixelSize);
    // Latin, Cyrillic and Chinese letters all come from it: none of them is missing.
    const QFontMetrics metrics(CQtCanvas::Font());
    for (const char* text : {"Options", "Настройки", "选择"}) {
        for (const QChar ch : QString::fromUtf8(text)) {
            EXPECT_TRUE(metrics.inFont(ch)) << text;
        }
    }
}

TEST(PngWriterTest, FilesReadBackPixelForPixel) {
    std::mt19937 rng(5);
    Bitmap image = PatternBitmap(31, 7, rng);
    for (uint32_t& p : image.pixels) {
        p |= 0xFF000000U;
    }
    const testsupport::TempDir dir;
    const auto path = dir / "image.png";
    std::string why;
    ASSERT_TRUE(WritePng(path, image, &why)) << why;
    QImage read(QString::fromStdString(path.string()));
    ASSERT_FALSE(read.isNull());
    ASSERT_EQ(read.width(), 31);
    ASSERT_EQ(read.height(), 7);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 31; ++x) {
            ASSERT_EQ(read.pixel(x, y), image.At(x, y)) << x << "," << y;
        }
    }
}

// The encoder of builds without zlib: a picture larger than one stored block (65535 bytes).
TEST(PngWriterTest, StoredBlocksReadBackPixelForPixel) {
    std::mt19937 rng(6);
    Bitmap image = PatternBitmap(200, 120, rng);
    for (uint32_t& p : image.pixels) {
        p |= 0xFF000000U;
    }
    const std::vector<uint8_t> bytes = EncodePngStored(image);
    QImage read;
    ASSERT_TRUE(read.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG"));
    ASSERT_EQ(read.width(), 200);
    ASSERT_EQ(read.height(), 120);
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 200; ++x) {
            ASSERT_EQ(read.pixel(x, y), image.At(x, y)) << x << "," << y;
        }
    }
    EXPECT_TRUE(EncodePngStored(Bitmap{}).empty());
}

TEST(PngWriterTest, NullImageIsRefusedAndNothingIsWritten) {
    const testsupport::TempDir dir;
    const auto path = dir / "null.png";
    std::string why;
    EXPECT_FALSE(WritePng(path, Bitmap{}, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
