// CQtCanvas: the drawing primitives on a QPainter over a QImage.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>

#include "platform/Canvas.h"

// Paints onto a QImage of Format_RGB32 (the view's back buffer) or straight into the pixels of
// a Bitmap, which it wraps without copying; the image or Bitmap must outlive the canvas, and
// the painting is finished when the canvas is destroyed. Copies, keyed copies and horizontal
// or vertical lines and rectangles give exactly the pixels of CImageCanvas; sloping lines
// follow Qt's own rasterisation (the game draws none). All text is drawn in one pinned font,
// kFontFamily at kFontPixelSize pixels, which holds Latin, Cyrillic and Chinese letters and
// fits the 28-row command bar; text is not antialiased, so that it stays crisp when the
// device screen is scaled up.
class CQtCanvas : public ICanvas {
public:
    static constexpr const char* kFontFamily = "WenQuanYi Micro Hei";
    static constexpr int kFontPixelSize = 12;

    explicit CQtCanvas(QImage& target);
    explicit CQtCanvas(Bitmap& target);
    ~CQtCanvas() override;
    CQtCanvas(const CQtCanvas&) = delete;
    CQtCanvas& operator=(const CQtCanvas&) = delete;

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

    // The pinned font.
    static QFont Font();

private:
    void DrawTextIn(const QRect& box, std::string_view text, uint32_t colour, int flags);

    QImage m_wrapped;  // the Bitmap's pixels, when the canvas was made over a Bitmap
    QImage& m_image;
    QPainter m_painter;
};
