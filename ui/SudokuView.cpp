// CSudokuView: paint through a back buffer, taps, keys, the clock timer and the splash state.
#include "ui/SudokuView.h"

#include <algorithm>
#include <memory>

#include "platform/Canvas.h"
#include "platform/Foreground.h"
#include "platform/Timers.h"
#include "ui/Game.h"
#include "ui/GameRoot.h"
#include "ui/Graphics.h"
#include "ui/Splash.h"

CSudokuView::CSudokuView(CGameRoot& root, IViewHost& frame, ITimers& timers,
                         const IForeground& foreground, ICanvasFactory& canvases)
    : m_game(root.Game()),
      m_splash(root.Splash()),
      m_graphics(root.Graphics()),
      m_frameWnd(frame),
      m_timers(timers),
      m_foreground(foreground),
      m_canvases(canvases),
      m_data(root.Data()) {
    m_game.SetHost(this);
    m_data.SetBeforeModal([this] { PaintPending(); });
}

CSudokuView::~CSudokuView() {
    m_timers.StopTimer(CGame::kClockTimer);
    if (m_game.GetHost() == this) {
        m_game.SetHost(nullptr);
        m_data.SetBeforeModal(nullptr);
    }
}

void CSudokuView::OnInitialUpdate() {
    m_frameWnd.StretchOverSquareScreen();
}

void CSudokuView::OnPaint() {
    m_paintPending = false;
    m_presentPending = false;
    m_frameWnd.StretchOverSquareScreen();
    const SScreenSize client = ClientSize();
    // The back buffer, cleared to black: the board or the splash picture covers it on the
    // device's screens. It keeps its memory from paint to paint.
    if (m_frame.width != client.width || m_frame.height != client.height) {
        m_frame = Bitmap(client.width, client.height);
    } else {
        std::fill(m_frame.pixels.begin(), m_frame.pixels.end(), Rgb(0, 0, 0));
    }
    {
        const std::unique_ptr<ICanvas> canvas = m_canvases.Create(m_frame);
        if (m_bSplash) {
            const CBackBufferScope scope(m_graphics, *canvas);
            m_splash.DrawSplash();
        } else {
            m_game.DrawFrame(*canvas);
        }
    }
    // The window shows the new frame as it is, until something draws onto the window itself:
    // on the game screen the clock does at once, so that it never goes blank between ticks.
    m_windowOwn = false;
    m_clockPending = false;
    if (!m_bSplash) {
        DrawClockOnSurface();
    }
    m_frameWnd.PresentScreen();
    if (!m_bSplash) {
        m_game.AfterPaint();
    }
}

void CSudokuView::Invalidate() {
    if (m_eventDepth > 0) {
        m_paintPending = true;
    } else {
        OnPaint();
    }
}

void CSudokuView::InvalidateScreen() {
    if (m_frame.IsNull()) {
        return;
    }
    if (m_eventDepth > 0) {
        m_presentPending = true;
    } else {
        m_frameWnd.PresentScreen();
    }
}

void CSudokuView::PaintPending() {
    if (m_paintPending) {
        OnPaint();
    } else if (m_presentPending) {
        m_presentPending = false;
        m_frameWnd.PresentScreen();
    }
}

void CSudokuView::EndEvent(bool paint) {
    if (--m_eventDepth > 0) {
        return;
    }
    if (paint) {
        PaintPending();
    } else {
        m_paintPending = false;
        m_presentPending = false;
    }
}

void CSudokuView::OnLButtonDown(int32_t x, int32_t y) {
    const CEvent event(this);
    if (m_bSplash) {
        EndSplash();
    } else {
        m_game.OnTap(x, y);
    }
}

void CSudokuView::OnKeyDown(uint32_t key) {
    const CEvent event(this);
    if (!m_bSplash) {
        m_game.NoteKeyDown();
    }
    if (key == CGame::kKeyEnter) {
        m_frameWnd.ReleaseToolbarButtons();
    }
}

void CSudokuView::OnKeyUp(uint32_t key) {
    const CEvent event(this);
    if (!m_bSplash) {
        m_game.OnKey(key);
    }
    if (key == CGame::kKeyEnter) {
        m_frameWnd.ReleaseToolbarButtons();
    }
}

void CSudokuView::OnTimer(int id) {
    const CEvent event(this);
    if (id == CGame::kClockTimer && m_foreground.IsMainWindowForeground() && !m_bSplash) {
        m_game.TickClock();
    }
}

void CSudokuView::EndSplash() {
    m_game.ReloadSkin();
    m_bSplash = false;
    m_frameWnd.OnSplashEnd();
    Invalidate();
}

int CSudokuView::SetTimer(int id, int periodMs) {
    m_timers.StartTimer(id, periodMs, [this, id] { OnTimer(id); });
    return id;
}

void CSudokuView::KillTimer(int id) {
    m_timers.StopTimer(id);
}

bool CSudokuView::DrawClockOnSurface() {
    const SRect box = m_game.ClockRect();
    if (box.Width() <= 0) {
        return false;
    }
    return DrawOnSurface([&](ICanvas& canvas) {
        canvas.CopyBitmap(m_frame, box.left, box.top, box.left, box.top, box.Width(), box.Height());
        m_graphics.SetWindowSurface(&canvas);
        m_game.DrawClock(false);
        m_graphics.SetWindowSurface(nullptr);
    });
}

void CSudokuView::DrawClockOnWindow() {
    // Each tick draws the whole clock: for a window nobody sees between looks at it, only the
    // last tick before the next look is drawn.
    m_clockPending = true;
    if (m_frameWnd.ShowsEachPicture()) {
        DrawPendingClock();
    }
}

bool CSudokuView::DrawPendingClock() {
    if (!m_clockPending) {
        return false;
    }
    m_clockPending = false;
    if (!DrawClockOnSurface()) {
        return false;
    }
    m_frameWnd.PresentScreen();
    return true;
}

bool CSudokuView::DrawOnSurface(const std::function<void(ICanvas&)>& draw) {
    if (m_frame.IsNull()) {
        return false;
    }
    // A tick's clock left undrawn goes first, in the order of the ticks and the drawings.
    if (m_clockPending) {
        m_clockPending = false;
        DrawClockOnSurface();
    }
    if (!m_windowOwn) {
        m_window = m_frame;
        m_windowOwn = true;
    }
    const std::unique_ptr<ICanvas> canvas = m_canvases.Create(m_window);
    draw(*canvas);
    return true;
}

void CSudokuView::DrawOnWindow(const std::function<void(ICanvas&)>& draw) {
    if (DrawOnSurface(draw)) {
        m_frameWnd.PresentScreen();
    }
}

SScreenSize CSudokuView::ClientSize() const {
    const SScreenSize frame = m_frameWnd.FrameSize();
    return {frame.width, std::max(frame.height - kCommandBarHeight, 0)};
}
