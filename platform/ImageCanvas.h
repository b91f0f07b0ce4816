// CImageCanvas: the drawing primitives in plain C++ over a Bitmap, for tools and tests.
#pragma once

#include "platform/Canvas.h"

// Draws straight into the pixels of a Bitmap that outlives the canvas. Lines follow
// Bresenham's algorithm from the first point; text uses a built-in bitmap font of printable
// ASCII, 5 x 7 pixel letters with two rows of descent, each pixel drawn as a 2 x 2 square
// (12 pixels of advance per character, 18 pixels of height); other characters are drawn as a
// hollow box.
class CImageCanvas : public ICanvas {
public:
    explicit CImageCanvas(Bitmap& target) : m_target(target) {}

    void CopyBitmap(const Bitmap& src, int x, int y) override;
    void CopyBitmap(const Bitmap& src, int x, int y, int srcX, int srcY, int w, int h) override;
    void CopyBitmapKeyed(const Bitmap& src, int x, int y, int srcX, int srcY, int w,
                         int h) override;
    void DrawLine(int x1, int y1, int x2, int y2, uint32_t colour) override;
    void DrawTextAt(int x, int y, int width, std::string_view text, uint32_t colour) override;

private:
    void Copy(const Bitmap& src, int x, int y, int srcX, int srcY, int w, int h, bool keyed);
    void Plot(int x, int y, uint32_t colour);

    Bitmap& m_target;
};
