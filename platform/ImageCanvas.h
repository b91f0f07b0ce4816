// CImageCanvas: the drawing primitives in plain C++ over a Bitmap, for tools and tests.
#pragma once

#include "platform/Canvas.h"

// Draws straight into the pixels of a Bitmap that outlives the canvas. Lines follow
// Bresenham's algorithm from the first point; text uses a built-in bitmap font of printable
// ASCII, 5 x 7 pixel letters with two rows of descent (6 pixels of advance per character, a
// line 9 pixels high); every other character of the UTF-8 text, and every byte that is not
// well-formed UTF-8, is drawn as a hollow box of the same advance.
class CImageCanvas : public ICanvas {
public:
    explicit CImageCanvas(Bitmap& target) : m_target(target) {}

    void CopyBitmap(const Bitmap& src, int x, int y) override;
    void CopyBitmap(const Bitmap& src, int x, int y, int srcX, int srcY, int w, int h) override;
    void CopyBitmapKeyed(const Bitmap& src, int x, int y, int srcX, int srcY, int w,
                         int h) override;
    void DrawLine(int x1, int y1, int x2, int y2, uint32_t colour) override;
    void DrawTextAt(int x, int y, int width, std::string_view text, uint32_t colour) override;
    STextSize MeasureText(std::string_view text) override;
    void DrawRect(const SRect& rect, uint32_t pen, uint32_t brush) override;
    void DrawTextInRect(const SRect& rect, std::string_view text, uint32_t colour,
                        TextVAlign align) override;

private:
    // The glyphs from (penX, top), the top of the line, inside `clip`.
    void DrawText(int penX, int top, std::string_view text, uint32_t colour, const SRect& clip);
    void Copy(const Bitmap& src, int x, int y, int srcX, int srcY, int w, int h, bool keyed);
    void Plot(int x, int y, uint32_t colour);

    Bitmap& m_target;
};

// Makes CImageCanvas: the canvas of tests and tools.
class CImageCanvasFactory : public ICanvasFactory {
public:
    std::unique_ptr<ICanvas> Create(Bitmap& target) override {
        return std::make_unique<CImageCanvas>(target);
    }
};
