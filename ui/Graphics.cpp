// The drawing context: the primitives routed to the back buffer or the window surface.
#include "ui/Graphics.h"

void CGraphics::CopyBitmap(const Bitmap& bmp, int x, int y) {
    if (m_backBuffer != nullptr) {
        m_backBuffer->CopyBitmap(bmp, x, y);
    }
}

void CGraphics::CopyBitmap(const Bitmap& bmp, int x, int y, int srcX, int srcY, int w, int h) {
    if (m_backBuffer != nullptr) {
        m_backBuffer->CopyBitmap(bmp, x, y, srcX, srcY, w, h);
    }
}

void CGraphics::CopyBitmapKeyed(const Bitmap& bmp, int x, int y, int srcX, int srcY, int w, int h) {
    if (m_backBuffer != nullptr) {
        m_backBuffer->CopyBitmapKeyed(bmp, x, y, srcX, srcY, w, h);
    }
}

void CGraphics::DrawLine(int x1, int y1, int x2, int y2, uint32_t colour) {
    if (m_backBuffer != nullptr) {
        m_backBuffer->DrawLine(x1, y1, x2, y2, colour);
    }
}

void CGraphics::DrawTextAt(int x, int y, std::string_view text, bool toBackBuffer,
                           uint32_t colour) {
    ICanvas* target = toBackBuffer ? m_backBuffer : m_windowSurface;
    if (target != nullptr) {
        target->DrawTextAt(x, y, GetScreenSize().width, text, colour);
    }
}
