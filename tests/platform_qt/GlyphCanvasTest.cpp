// The glyph canvas draws and measures text as the Qt canvas does, from the committed glyph set.
#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/GlyphCanvas.h"
#include "platform/qt/QtCanvas.h"
#include "res/Glyphs.h"
#include "res/Strings.h"

namespace {

constexpr uint32_t kBackground = Rgb(10, 20, 30);
constexpr uint32_t kInk = Rgb(250, 240, 0);

const CGlyphSet& GameGlyphs() {
    static const CGlyphSet set = [] {
        CGlyphSet s;
        EXPECT_TRUE(s.Load(res::GlyphSetResource(res::kGlyphSetPixelSize)));
        return s;
    }();
    return set;
}

// The texts the device screen shows: soft-key captions and toolbar captions in every
// language, the clock, and a few of the longest.
std::vector<std::string> ScreenTexts() {
    std::vector<std::string> texts = {
        "59:23", "00:00", "Последнее действие отменить ещё раз", "提示标记开 关", " ", ""};
    for (int l = 0; l < res::kLanguageCount; ++l) {
        texts.emplace_back(res::FindString(res::kGameKeyCaption + l));
        texts.emplace_back(res::FindString(res::kOptionsKeyCaption + l));
        for (int t = 0; t < res::kTipCount; ++t) {
            const std::string tip(res::TipText(l, t));
            const std::size_t feed = tip.find('\n');
            texts.push_back(tip.substr(0, feed));
            if (feed != std::string::npos) {
                texts.push_back(tip.substr(feed + 1));
            }
        }
    }
    return texts;
}

// Draws through both canvases onto equal targets; gives the number of differing pixels.
int DifferingPixels(const std::function<void(ICanvas&)>& draw) {
    Bitmap plain(200, 40, kBackground);
    Bitmap qt(200, 40, kBackground);
    {
        CGlyphCanvas canvas(plain, GameGlyphs());
        draw(canvas);
    }
    {
        CQtCanvas canvas(qt);
        draw(canvas);
    }
    int differ = 0;
    for (std::size_t i = 0; i < plain.pixels.size(); ++i) {
        differ += (plain.pixels[i] | 0xFF000000U) != (qt.pixels[i] | 0xFF000000U) ? 1 : 0;
    }
    return differ;
}

TEST(GlyphCanvasTest, TextHasTheQtCanvasSizeAndPixelsInEveryBoxTheGameUses) {
    Bitmap scratch(1, 1);
    CQtCanvas qtMeasure(scratch);
    CGlyphCanvas glyphMeasure(scratch, GameGlyphs());
    for (const std::string& text : ScreenTexts()) {
        SCOPED_TRACE(text);
        const STextSize size = qtMeasure.MeasureText(text);
        EXPECT_EQ(glyphMeasure.MeasureText(text), size);
        // The clock's box, from the left edge and running off both edges.
        for (const int x : {0, 3, -7, 150}) {
            EXPECT_EQ(DifferingPixels([&](ICanvas& c) { c.DrawTextAt(x, 9, 480, text, kInk); }), 0)
                << "DrawTextAt at " << x;
        }
        // Soft keys and caption boxes: every width from clipped to roomy, heights around the
        // line height (the caption box is text height + 1) and the bar's.
        for (int width = 1; width <= size.width + 9; width += width < size.width - 4 ? 5 : 1) {
            for (const int height : {1, 13, 14, 15, 16, 21, 22, 27}) {
                for (const TextVAlign align : {TextVAlign::kCentre, TextVAlign::kBottom}) {
                    const SRect rect{-3 + width % 7, 2, -3 + width % 7 + width, 2 + height};
                    EXPECT_EQ(DifferingPixels(
                                  [&](ICanvas& c) { c.DrawTextInRect(rect, text, kInk, align); }),
                              0)
                        << "DrawTextInRect " << width << "x" << height << " align "
                        << static_cast<int>(align);
                }
            }
        }
    }
}

// Characters the set lacks, and bytes that are no UTF-8, are boxes of their own advance.
TEST(GlyphCanvasTest, MissingCharactersAreBoxesAndDamagedSetsAreRefused) {
    Bitmap target(60, 24, kBackground);
    CGlyphCanvas canvas(target, GameGlyphs());
    const STextSize one = canvas.MeasureText("\xF0\x9F\x98\x80");
    EXPECT_GT(one.width, 0);
    EXPECT_EQ(canvas.MeasureText("\xF0\x9F\x98\x80\xFF\xC3").width, 3 * one.width);
    canvas.DrawTextAt(0, 0, 60, "\xF0\x9F\x98\x80", kInk);
    int inked = 0;
    for (const uint32_t p : target.pixels) {
        inked += p != kBackground ? 1 : 0;
    }
    EXPECT_EQ(inked, 2 * 5 + 2 * 7);  // a 5 x 9 outline

    const std::span<const uint8_t> file = res::GlyphSetResource(res::kGlyphSetPixelSize);
    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{4}, std::size_t{30}, file.size() - 1}) {
        CGlyphSet set;
        EXPECT_FALSE(set.Load(file.first(cut))) << cut;
        EXPECT_EQ(set.GlyphCount(), 0);
    }
    std::vector<uint8_t> huge(file.begin(), file.end());
    huge[20] = 0xFF;  // a glyph count beyond the file
    CGlyphSet set;
    EXPECT_FALSE(set.Load(huge));
}

}  // namespace
