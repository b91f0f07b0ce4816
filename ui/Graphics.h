// CGraphics: the drawing context of the game screen: the back buffer of the paint in progress,
// the view's window surface, and the screen metrics.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Screen.h"

// A paint sets the back buffer for its own length through CBackBufferScope; the view captures
// its window surface at each paint. The canvases belong to the painter, which clears them
// (nullptr) before they go. Board and splash drawing goes to the back buffer; only the clock
// text may go to the window surface. Every primitive does nothing while its target is not set.
class CGraphics {
public:
    explicit CGraphics(const CScreen& screen) : m_screen(screen) {}

    void SetBackBuffer(ICanvas* canvas) { m_backBuffer = canvas; }
    ICanvas* GetBackBuffer() const { return m_backBuffer; }
    void SetWindowSurface(ICanvas* canvas) { m_windowSurface = canvas; }
    ICanvas* GetWindowSurface() const { return m_windowSurface; }

    // The full device screen, width and height in pixels.
    SScreenSize GetScreenSize() const { return m_screen.GetScreenSize(); }

    // On the back buffer.
    void CopyBitmap(const Bitmap& bmp, int x, int y);
    void CopyBitmap(const Bitmap& bmp, int x, int y, int srcX, int srcY, int w, int h);
    void CopyBitmapKeyed(const Bitmap& bmp, int x, int y, int srcX, int srcY, int w, int h);
    void DrawLine(int x1, int y1, int x2, int y2, uint32_t colour);
    // The text in the rectangle (x, y) to (x + screen width, y + 24), bottom-aligned, onto the
    // back buffer when toBackBuffer is set, else onto the window surface.
    void DrawTextAt(int x, int y, std::string_view text, bool toBackBuffer, uint32_t colour);

private:
    const CScreen& m_screen;
    ICanvas* m_backBuffer = nullptr;
    ICanvas* m_windowSurface = nullptr;
};

// The back buffer of one paint: set for the lifetime of the scope, then the one before it is
// set again.
class CBackBufferScope {
public:
    CBackBufferScope(CGraphics& graphics, ICanvas& canvas)
        : m_graphics(graphics), m_previous(graphics.GetBackBuffer()) {
        m_graphics.SetBackBuffer(&canvas);
    }
    ~CBackBufferScope() { m_graphics.SetBackBuffer(m_previous); }
    CBackBufferScope(const CBackBufferScope&) = delete;
    CBackBufferScope& operator=(const CBackBufferScope&) = delete;

private:
    CGraphics& m_graphics;
    ICanvas* m_previous;
};
