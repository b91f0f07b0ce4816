// The drawing primitives in plain C++ over a Bitmap, with a small built-in font.
#include "platform/ImageCanvas.h"

#include <array>
#include <cstdint>
#include <cstdlib>

#include "platform/Utf8.h"

namespace {

// The font: one entry per character from ' ' to '~'. Each glyph is up to nine rows of five
// pixels separated by '|' ('#' drawn, '.' not); rows 0..6 stand on the baseline, rows 7 and 8
// hang below it. Rows left out are empty.
constexpr int kGlyphW = 5;
constexpr int kGlyphRows = 9;
constexpr int kScale = 1;
constexpr int kAdvance = (kGlyphW + 1) * kScale;
constexpr int kTextHeight = kGlyphRows * kScale;
constexpr char kFirstChar = ' ';

constexpr std::array<std::string_view, 95> kFont = {
    "",                                                       // ' '
    "..#..|..#..|..#..|..#..|..#..|.....|..#..",              // !
    ".#.#.|.#.#.",                                            // "
    ".#.#.|.#.#.|#####|.#.#.|#####|.#.#.|.#.#.",              // #
    "..#..|.####|#.#..|.###.|..#.#|####.|..#..",              // $
    "##...|##..#|...#.|..#..|.#...|#..##|...##",              // %
    ".##..|#..#.|#.#..|.#...|#.#.#|#..#.|.##.#",              // &
    "..#..|..#..|.#...",                                      // '
    "...#.|..#..|.#...|.#...|.#...|..#..|...#.",              // (
    ".#...|..#..|...#.|...#.|...#.|..#..|.#...",              // )
    ".....|..#..|#.#.#|.###.|#.#.#|..#..",                    // *
    ".....|..#..|..#..|#####|..#..|..#..",                    // +
    ".....|.....|.....|.....|.....|.##..|..#..|.#...",        // ,
    ".....|.....|.....|#####",                                // -
    ".....|.....|.....|.....|.....|.##..|.##..",              // .
    ".....|....#|...#.|..#..|.#...|#....",                    // /
    ".###.|#...#|#..##|#.#.#|##..#|#...#|.###.",              // 0
    "..#..|.##..|..#..|..#..|..#..|..#..|.###.",              // 1
    ".###.|#...#|....#|...#.|..#..|.#...|#####",              // 2
    "#####|...#.|..#..|...#.|....#|#...#|.###.",              // 3
    "...#.|..##.|.#.#.|#..#.|#####|...#.|...#.",              // 4
    "#####|#....|####.|....#|....#|#...#|.###.",              // 5
    "..##.|.#...|#....|####.|#...#|#...#|.###.",              // 6
    "#####|....#|...#.|..#..|.#...|.#...|.#...",              // 7
    ".###.|#...#|#...#|.###.|#...#|#...#|.###.",              // 8
    ".###.|#...#|#...#|.####|....#|...#.|.##..",              // 9
    ".....|.##..|.##..|.....|.##..|.##..",                    // :
    ".....|.##..|.##..|.....|.##..|..#..|.#...",              // ;
    "...#.|..#..|.#...|#....|.#...|..#..|...#.",              // <
    ".....|.....|#####|.....|#####",                          // =
    ".#...|..#..|...#.|....#|...#.|..#..|.#...",              // >
    ".###.|#...#|....#|...#.|..#..|.....|..#..",              // ?
    ".###.|#...#|....#|.##.#|#.#.#|#.#.#|.###.",              // @
    ".###.|#...#|#...#|#####|#...#|#...#|#...#",              // A
    "####.|#...#|#...#|####.|#...#|#...#|####.",              // B
    ".###.|#...#|#....|#....|#....|#...#|.###.",              // C
    "###..|#..#.|#...#|#...#|#...#|#..#.|###..",              // D
    "#####|#....|#....|####.|#....|#....|#####",              // E
    "#####|#....|#....|####.|#....|#....|#....",              // F
    ".###.|#...#|#....|#.###|#...#|#...#|.####",              // G
    "#...#|#...#|#...#|#####|#...#|#...#|#...#",              // H
    ".###.|..#..|..#..|..#..|..#..|..#..|.###.",              // I
    "..###|...#.|...#.|...#.|...#.|#..#.|.##..",              // J
    "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#",              // K
    "#....|#....|#....|#....|#....|#....|#####",              // L
    "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#",              // M
    "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#",              // N
    ".###.|#...#|#...#|#...#|#...#|#...#|.###.",              // O
    "####.|#...#|#...#|####.|#....|#....|#....",              // P
    ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#",              // Q
    "####.|#...#|#...#|####.|#.#..|#..#.|#...#",              // R
    ".####|#....|#....|.###.|....#|....#|####.",              // S
    "#####|..#..|..#..|..#..|..#..|..#..|..#..",              // T
    "#...#|#...#|#...#|#...#|#...#|#...#|.###.",              // U
    "#...#|#...#|#...#|#...#|#...#|.#.#.|..#..",              // V
    "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#.",              // W
    "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#",              // X
    "#...#|#...#|#...#|.#.#.|..#..|..#..|..#..",              // Y
    "#####|....#|...#.|..#..|.#...|#....|#####",              // Z
    ".###.|.#...|.#...|.#...|.#...|.#...|.###.",              // [
    ".....|#....|.#...|..#..|...#.|....#",                    // backslash
    ".###.|...#.|...#.|...#.|...#.|...#.|.###.",              // ]
    "..#..|.#.#.|#...#",                                      // ^
    ".....|.....|.....|.....|.....|.....|.....|#####",        // _
    ".#...|..#..|...#.",                                      // `
    ".....|.....|.###.|....#|.####|#...#|.####",              // a
    "#....|#....|#.##.|##..#|#...#|#...#|####.",              // b
    ".....|.....|.###.|#....|#....|#...#|.###.",              // c
    "....#|....#|.##.#|#..##|#...#|#...#|.####",              // d
    ".....|.....|.###.|#...#|#####|#....|.###.",              // e
    "..##.|.#..#|.#...|###..|.#...|.#...|.#...",              // f
    ".....|.....|.####|#...#|#...#|#...#|.####|....#|.###.",  // g
    "#....|#....|#.##.|##..#|#...#|#...#|#...#",              // h
    "..#..|.....|.##..|..#..|..#..|..#..|.###.",              // i
    "...#.|.....|..##.|...#.|...#.|...#.|...#.|#..#.|.##..",  // j
    "#....|#....|#..#.|#.#..|##...|#.#..|#..#.",              // k
    ".##..|..#..|..#..|..#..|..#..|..#..|.###.",              // l
    ".....|.....|##.#.|#.#.#|#.#.#|#...#|#...#",              // m
    ".....|.....|#.##.|##..#|#...#|#...#|#...#",              // n
    ".....|.....|.###.|#...#|#...#|#...#|.###.",              // o
    ".....|.....|####.|#...#|#...#|#...#|####.|#....|#....",  // p
    ".....|.....|.####|#...#|#...#|#...#|.####|....#|....#",  // q
    ".....|.....|#.##.|##..#|#....|#....|#....",              // r
    ".....|.....|.###.|#....|.###.|....#|####.",              // s
    ".#...|.#...|###..|.#...|.#...|.#..#|..##.",              // t
    ".....|.....|#...#|#...#|#...#|#..##|.##.#",              // u
    ".....|.....|#...#|#...#|#...#|.#.#.|..#..",              // v
    ".....|.....|#...#|#...#|#.#.#|#.#.#|.#.#.",              // w
    ".....|.....|#...#|.#.#.|..#..|.#.#.|#...#",              // x
    ".....|.....|#...#|#...#|#...#|#...#|.####|....#|.###.",  // y
    ".....|.....|#####|...#.|..#..|.#...|#####",              // z
    "...#.|..#..|..#..|.#...|..#..|..#..|...#.",              // {
    "..#..|..#..|..#..|..#..|..#..|..#..|..#..",              // |
    ".#...|..#..|..#..|...#.|..#..|..#..|.#...",              // }
    ".....|.....|.#...|#.#.#|...#.",                          // ~
};

// The glyph drawn for characters the font lacks: a hollow box.
constexpr std::string_view kMissingGlyph = "#####|#...#|#...#|#...#|#...#|#...#|#####";

std::string_view GlyphOf(uint32_t codePoint) {
    if (codePoint < static_cast<uint32_t>(kFirstChar) ||
        codePoint - static_cast<uint32_t>(kFirstChar) >= kFont.size()) {
        return kMissingGlyph;
    }
    return kFont[codePoint - static_cast<uint32_t>(kFirstChar)];
}

int CharacterCount(std::string_view text) {
    int n = 0;
    for (std::size_t pos = 0; pos < text.size(); ++n) {
        utf8::NextCodePoint(text, pos);
    }
    return n;
}

}  // namespace

void CImageCanvas::Plot(int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < m_target.width && y < m_target.height) {
        m_target.Set(x, y, colour);
    }
}

void CImageCanvas::Copy(const Bitmap& src, int x, int y, int srcX, int srcY, int w, int h,
                        bool keyed) {
    const SCopyRect r = ClipCopy(src, m_target.width, m_target.height, x, y, srcX, srcY, w, h);
    for (int row = 0; row < r.h; ++row) {
        for (int col = 0; col < r.w; ++col) {
            const uint32_t p = src.At(r.srcX + col, r.srcY + row);
            if (!keyed || !IsKeyColour(p)) {
                // The target is an opaque image: a copied pixel is opaque whatever its source.
                m_target.Set(r.x + col, r.y + row, p | 0xFF000000U);
            }
        }
    }
}

void CImageCanvas::CopyBitmap(const Bitmap& src, int x, int y) {
    Copy(src, x, y, 0, 0, src.width, src.height, false);
}

void CImageCanvas::CopyBitmap(const Bitmap& src, int x, int y, int srcX, int srcY, int w, int h) {
    Copy(src, x, y, srcX, srcY, w, h, false);
}

void CImageCanvas::CopyBitmapKeyed(const Bitmap& src, int x, int y, int srcX, int srcY, int w,
                                   int h) {
    Copy(src, x, y, srcX, srcY, w, h, true);
}

void CImageCanvas::DrawLine(int x1, int y1, int x2, int y2, uint32_t colour) {
    const uint32_t c = colour | 0xFF000000U;
    // Straight lines are clipped first, so that their cost is bounded by the target's size.
    // Their pixels run from the first point towards the second, the second excluded: the
    // span [lo, hi] along the line.
    if (y1 == y2) {
        if (y1 < 0 || y1 >= m_target.height) {
            return;
        }
        const int64_t lo = x1 <= x2 ? int64_t{x1} : int64_t{x2} + 1;
        const int64_t hi = x1 <= x2 ? int64_t{x2} - 1 : int64_t{x1};
        for (int64_t x = std::max<int64_t>(lo, 0); x <= std::min<int64_t>(hi, m_target.width - 1);
             ++x) {
            m_target.Set(static_cast<int>(x), y1, c);
        }
        return;
    }
    if (x1 == x2) {
        if (x1 < 0 || x1 >= m_target.width) {
            return;
        }
        const int64_t lo = y1 <= y2 ? int64_t{y1} : int64_t{y2} + 1;
        const int64_t hi = y1 <= y2 ? int64_t{y2} - 1 : int64_t{y1};
        for (int64_t y = std::max<int64_t>(lo, 0); y <= std::min<int64_t>(hi, m_target.height - 1);
             ++y) {
            m_target.Set(x1, static_cast<int>(y), c);
        }
        return;
    }
    // Bresenham from (x1, y1), stopping before (x2, y2).
    const int64_t dx = std::llabs(int64_t{x2} - x1);
    const int64_t dy = -std::llabs(int64_t{y2} - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int64_t err = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        Plot(x, y, c);
        const int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void CImageCanvas::DrawText(int penX, int top, std::string_view text, uint32_t colour,
                            const SRect& clip) {
    const uint32_t c = colour | 0xFF000000U;
    const int left = std::max(clip.left, 0);
    const int right = std::min(clip.right, m_target.width);
    const int clipTop = std::max(clip.top, 0);
    const int bottom = std::min(clip.bottom, m_target.height);
    int64_t x0 = penX;
    for (std::size_t pos = 0; pos < text.size() && x0 < right; x0 += kAdvance) {
        const std::string_view glyph = GlyphOf(utf8::NextCodePoint(text, pos));
        int row = 0;
        int col = 0;
        for (const char g : glyph) {
            if (g == '|') {
                ++row;
                col = 0;
                continue;
            }
            if (g == '#') {
                for (int py = 0; py < kScale; ++py) {
                    for (int px = 0; px < kScale; ++px) {
                        const int64_t tx = x0 + col * kScale + px;
                        const int ty = top + row * kScale + py;
                        if (tx >= left && tx < right && ty >= clipTop && ty < bottom) {
                            m_target.Set(static_cast<int>(tx), ty, c);
                        }
                    }
                }
            }
            ++col;
        }
    }
}

void CImageCanvas::DrawTextAt(int x, int y, int width, std::string_view text, uint32_t colour) {
    const SRect box{x, y, static_cast<int>(std::min<int64_t>(int64_t{x} + width, INT32_MAX)),
                    y + kTextBoxHeight};
    DrawText(x, box.bottom - kTextHeight, text, colour, box);
}

STextSize CImageCanvas::MeasureText(std::string_view text) {
    return {CharacterCount(text) * kAdvance, kTextHeight};
}

void CImageCanvas::DrawRect(const SRect& rect, uint32_t pen, uint32_t brush) {
    if (rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, m_target.width);
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, m_target.height);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const bool edge =
                x == rect.left || x == rect.right - 1 || y == rect.top || y == rect.bottom - 1;
            m_target.Set(x, y, (edge ? pen : brush) | 0xFF000000U);
        }
    }
}

void CImageCanvas::DrawTextInRect(const SRect& rect, std::string_view text, uint32_t colour,
                                  TextVAlign align) {
    const STextSize size = MeasureText(text);
    const int x = rect.left + (rect.Width() - size.width) / 2;
    const int top = align == TextVAlign::kBottom ? rect.bottom - size.height
                                                 : rect.top + (rect.Height() - size.height) / 2;
    DrawText(x, top, text, colour, rect);
}
