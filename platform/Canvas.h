// ICanvas: the few drawing primitives the game screen is made of, over a target image.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/Bitmap.h"

// A rectangle from (left, top) to (right, bottom), the right column and the bottom row not
// included (the platform's RECT).
struct SRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const SRect&) const = default;
};

// The extent of one line of text in the canvas's font: its advance width and its line height.
struct STextSize {
    int width = 0;
    int height = 0;

    bool operator==(const STextSize&) const = default;
};

// Where a line of text sits vertically in its rectangle; horizontally it is always centred.
enum class TextVAlign { kCentre, kBottom };

// Coordinates are pixels of the target, x to the right, y downwards; they may be negative or
// run past the target, and everything is clipped at the target's edges. Colours are
// 0xFFRRGGBB (Rgb()). Text is UTF-8. Two implementations draw the same pixels for copies, keyed
// copies, horizontal or vertical lines and rectangles: CImageCanvas (pure C++,
// platform/ImageCanvas.h) and CQtCanvas (platform/qt/QtCanvas.h). Their fonts differ, so text
// differs in size between them; each measures its own text exactly as it draws it.
class ICanvas {
public:
    // The height of the text rectangle of DrawTextAt.
    static constexpr int kTextBoxHeight = 24;

    virtual ~ICanvas() = default;

    // Opaque copy of the whole bitmap, at its own width and height, to (x, y).
    virtual void CopyBitmap(const Bitmap& src, int x, int y) = 0;
    // Opaque copy of the w x h rectangle at (srcX, srcY) of the bitmap to (x, y). Parts of the
    // rectangle outside the bitmap are not drawn.
    virtual void CopyBitmap(const Bitmap& src, int x, int y, int srcX, int srcY, int w, int h) = 0;
    // As the rectangle copy, but source pixels of magenta (kKeyColour) are left out.
    virtual void CopyBitmapKeyed(const Bitmap& src, int x, int y, int srcX, int srcY, int w,
                                 int h) = 0;
    // A solid line one pixel wide from (x1, y1) towards (x2, y2); (x2, y2) itself is not drawn.
    virtual void DrawLine(int x1, int y1, int x2, int y2, uint32_t colour) = 0;
    // Text in the rectangle (x, y) to (x + width, y + kTextBoxHeight), on one line,
    // left-aligned and bottom-aligned, in the colour; only the letters are drawn.
    virtual void DrawTextAt(int x, int y, int width, std::string_view text, uint32_t colour) = 0;

    // The width and line height of one line of text as DrawTextInRect draws it.
    virtual STextSize MeasureText(std::string_view text) = 0;
    // A rectangle as the platform draws one with a one-pixel pen and a brush: its outermost ring
    // of pixels in `pen`, everything inside in `brush`. Nothing is drawn when it is empty.
    virtual void DrawRect(const SRect& rect, uint32_t pen, uint32_t brush) = 0;
    // One line of text centred horizontally in the rectangle, centred vertically or standing on
    // its bottom edge, clipped to it; only the letters are drawn.
    virtual void DrawTextInRect(const SRect& rect, std::string_view text, uint32_t colour,
                                TextVAlign align) = 0;
};

// Makes a canvas over a Bitmap, for the code that draws the device screen without knowing
// which implementation it draws with: the game draws through Qt's fonts in the window and
// through the plain canvas in tests and tools. The target must outlive the canvas; the drawing
// is complete when the canvas is destroyed.
class ICanvasFactory {
public:
    virtual ~ICanvasFactory() = default;
    virtual std::unique_ptr<ICanvas> Create(Bitmap& target) = 0;
};

// The part of a rectangle copy that lies inside both the source bitmap and a target of
// targetW x targetH; empty when w or h is 0 or less. Both canvases clip through it.
struct SCopyRect {
    int x = 0;  // target position
    int y = 0;
    int srcX = 0;
    int srcY = 0;
    int w = 0;
    int h = 0;

    bool IsEmpty() const { return w <= 0 || h <= 0; }
};

inline SCopyRect ClipCopy(const Bitmap& src, int targetW, int targetH, int x, int y, int srcX,
                          int srcY, int w, int h) {
    // Work in 64 bits: the arguments may be anything a caller computed.
    int64_t dx = x;
    int64_t dy = y;
    int64_t sx = srcX;
    int64_t sy = srcY;
    int64_t cw = w;
    int64_t ch = h;
    const auto clipLow = [](int64_t& s, int64_t& d, int64_t& len) {
        // Moves the start of a span up to where both s and d are at least 0.
        const int64_t cut = std::max<int64_t>({0, -s, -d});
        s += cut;
        d += cut;
        len -= cut;
    };
    clipLow(sx, dx, cw);
    clipLow(sy, dy, ch);
    cw = std::min({cw, int64_t{src.width} - sx, int64_t{targetW} - dx});
    ch = std::min({ch, int64_t{src.height} - sy, int64_t{targetH} - dy});
    if (cw <= 0 || ch <= 0) {
        return {};
    }
    return {static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(sx),
            static_cast<int>(sy), static_cast<int>(cw), static_cast<int>(ch)};
}

// Whether a pixel is the transparent colour of keyed copies (its alpha byte is not looked at).
constexpr bool IsKeyColour(uint32_t pixel) {
    return (pixel & 0x00FFFFFFU) == (kKeyColour & 0x00FFFFFFU);
}
