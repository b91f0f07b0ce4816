// CSudokuView: the view window below the command bar: paint, taps, keys, the clock timer and the
// splash state.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Bitmap.h"
#include "platform/Screen.h"
#include "ui/Game.h"

class CGameRoot;
class CGraphics;
class CSplash;
class DataManager;
class ICanvas;
class ICanvasFactory;
class IForeground;
class ITimers;

// What the view has done for it by the main frame above it, which composes the device screen.
class IViewHost {
public:
    // Shows the device screen: the command bar over the view's window surface.
    virtual void PresentScreen() = 0;
    // False for a window nobody sees between looks at it (IWindow::ShowsEachPicture).
    virtual bool ShowsEachPicture() const = 0;
    // The frame's size: the view's client area is this less the command bar.
    virtual SScreenSize FrameSize() const = 0;
    // A square screen: the frame covers it whole, unless the Language dialog waits for its OK.
    virtual void StretchOverSquareScreen() = 0;
    // The splash has ended: the command bar is enabled and the splash timer stops.
    virtual void OnSplashEnd() = 0;
    // Enter went down or up: a held toolbar button comes up.
    virtual void ReleaseToolbarButtons() = 0;

protected:
    ~IViewHost() = default;
};

// The view owns no game state. Every paint draws the whole view (the splash, or the board) into
// a fresh back buffer, which becomes the view's part of the device screen; the main frame then
// shows the device screen. Taps and keys go to the game; the clock timer 10 adds a second only
// while the main window is in the foreground and the splash is off.
//
// Two images: the last frame (the back buffer of the last paint, kept whole, without the clock)
// and the window surface (what the player sees in the view: the last frame with the clock text
// over it, plus a caption box while a toolbar button is held). A paint replaces both and draws
// the current clock text at once; a clock tick first copies the clock's rectangle back from
// the last frame and then draws the text, so that the digits never smear over each other.
class CSudokuView final : public IGameHost {
public:
    // Registers itself as the game's host (CGame::SetHost); starts in the splash state. The root,
    // the frame and the services must outlive the view.
    CSudokuView(CGameRoot& root, IViewHost& frame, ITimers& timers, const IForeground& foreground,
                ICanvasFactory& canvases);
    // Stops the clock timer and leaves the game without a view.
    ~CSudokuView();
    CSudokuView(const CSudokuView&) = delete;
    CSudokuView& operator=(const CSudokuView&) = delete;

    bool IsSplash() const { return m_bSplash; }
    // On a square screen the main window covers the whole screen (the main frame's stretch),
    // except while the Language dialog is open and not yet confirmed.
    void OnInitialUpdate();
    // Draws the whole view into the back buffer (splash or board), puts it on the device screen
    // with the clock over the board, and shows it; after a board, CGame::AfterPaint.
    void OnPaint();
    // One event (a tap, a key, a timer tick, a command, a toolbar button) paints the screen at
    // most once, at its end: inside an event a repaint (Invalidate) or a present of the device
    // screen (InvalidateScreen) only waits, and the end of the outermost event does the one
    // that waits, a paint before a present. A message box or a modal dialog first shows what
    // waits (PaintPending), so that the board stands on the screen behind it. Outside an event
    // both happen at once.
    class CEvent {
    public:
        // `view` may be null: then nothing waits.
        explicit CEvent(CSudokuView* view) : m_view(view) {
            if (m_view != nullptr) {
                m_view->BeginEvent();
            }
        }
        ~CEvent() {
            if (m_view != nullptr) {
                m_view->EndEvent(m_paint);
            }
        }
        CEvent(const CEvent&) = delete;
        CEvent& operator=(const CEvent&) = delete;
        // The event ends without painting what waits (the program is ending).
        void Drop() { m_paint = false; }

    private:
        CSudokuView* m_view;
        bool m_paint = true;
    };
    // Repaints the whole view (OnPaint), at once or at the end of the event.
    void Invalidate() override;
    // Presents the device screen as it stands (after a change of the bar), at once or at the end
    // of the event; nothing before the first paint.
    void InvalidateScreen();
    // Paints or presents what waits, now.
    void PaintPending();
    // A stylus tap at a client point: ends the splash, or goes to the game.
    void OnLButtonDown(int32_t x, int32_t y);
    // Keys go to the game outside the splash (it acts on the key-up); Enter, down and up,
    // refreshes the toolbar (ReleaseToolbarButtons).
    void OnKeyDown(uint32_t key);
    void OnKeyUp(uint32_t key);
    // Timer 10: one second of play, counted only with the main window in the foreground and the
    // splash off. Other ids do nothing.
    void OnTimer(int id);
    // Loads the skin, leaves the splash state, enables the command bar, stops the splash timer
    // and redraws.
    void EndSplash();

    // The clock timer, as the game's RestartClock starts and stops it: timer `id` of this view
    // delivers OnTimer(id). Gives the id.
    int SetTimer(int id, int periodMs) override;
    void KillTimer(int id) override;

    // The clock tick's drawing: the clock's rectangle restored from the last frame, the clock
    // text on top, onto the window surface; then the device screen is shown. No full repaint.
    void DrawClockOnWindow() override;
    // Draws the clock of the ticks that DrawClockOnWindow left undrawn, for a window that does
    // not show each picture; true when it drew and presented.
    bool DrawPendingClock();
    // Draws onto the window surface between paints (the caption box), then shows the device
    // screen. Nothing happens before the first paint.
    void DrawOnWindow(const std::function<void(ICanvas&)>& draw);

    // The view's client area, from the main frame's size.
    SScreenSize ClientSize() const;
    // The last frame the view painted (the clock is restored from it before each tick) and the
    // window surface the player sees, which the clock draws onto between paints.
    const Bitmap& LastFrame() const { return m_frame; }
    const Bitmap& WindowSurface() const { return m_windowOwn ? m_window : m_frame; }

private:
    void BeginEvent() { ++m_eventDepth; }
    void EndEvent(bool paint);
    // The clock over the last frame, onto the window surface, not yet shown; false when this
    // screen has no clock or nothing has been painted.
    bool DrawClockOnSurface();
    // Draws onto the window surface without showing it; false before the first paint.
    bool DrawOnSurface(const std::function<void(ICanvas&)>& draw);

    CGame& m_game;
    CSplash& m_splash;
    CGraphics& m_graphics;
    IViewHost& m_frameWnd;
    ITimers& m_timers;
    const IForeground& m_foreground;
    ICanvasFactory& m_canvases;
    DataManager& m_data;
    bool m_bSplash = true;
    Bitmap m_frame;
    // What the window shows of the view, once the clock or a caption box has drawn onto it;
    // until then (m_windowOwn false) it is the last frame itself.
    Bitmap m_window;
    bool m_windowOwn = false;
    bool m_clockPending = false;
    // Events under way (an event may run inside another: the splash's end inside its timer's tick),
    // and what waits for the end of the outermost.
    int m_eventDepth = 0;
    bool m_paintPending = false;
    bool m_presentPending = false;
};
