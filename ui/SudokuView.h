// CSudokuView: the view window below the command bar: paint, taps, keys, the clock timer and the
// splash state.
#pragma once

#include <cstdint>

#include "platform/Bitmap.h"
#include "platform/Screen.h"

class CGame;
class CMainFrame;
class CSplash;
class CSudokuDoc;
class IForeground;
class ITimers;

// The view owns no game state. Every paint draws the whole view (the splash, or the board) into
// a fresh back buffer, which becomes the view's part of the device screen; the main frame then
// shows the device screen. Taps and keys go to the game; the clock timer 10 adds a second only
// while the main window is in the foreground and the splash is off.
class CSudokuView {
public:
    // Registers itself with the game (CGame::SetView); starts in the splash state.
    CSudokuView(CGame& game, CSplash& splash, CMainFrame& frame, ITimers& timers,
                const IForeground& foreground);
    ~CSudokuView();
    CSudokuView(const CSudokuView&) = delete;
    CSudokuView& operator=(const CSudokuView&) = delete;

    // The document whose toolbar the Enter key refreshes; set once both exist.
    void SetDocument(CSudokuDoc* doc) { m_doc = doc; }

    bool IsSplash() const { return m_bSplash; }
    // The square-screen stretch of the main window.
    void OnInitialUpdate();
    // Draws the whole view into the back buffer (splash or board), puts it on the device screen
    // and shows it; after a board, CGame::AfterPaint.
    void OnPaint();
    // A stylus tap at a client point: ends the splash, or goes to the game.
    void OnLButtonDown(int32_t x, int32_t y);
    void OnKeyDown(uint32_t key);
    void OnKeyUp(uint32_t key);
    void OnTimer(int id);
    // Loads the skin, leaves the splash state, enables the command bar, stops the splash timer
    // and redraws.
    void EndSplash();

    // The clock timer, as the game's RestartClock starts and stops it: timer `id` of this view
    // delivers OnTimer(id). Gives the id.
    int SetTimer(int id, int periodMs);
    void KillTimer(int id);

    // The view's client area, from the main frame's size.
    SScreenSize ClientSize() const;
    // The last frame the view painted (the clock is restored from it before each tick) and the
    // window surface the player sees, which the clock draws onto between paints.
    const Bitmap& LastFrame() const { return m_frame; }
    Bitmap& WindowSurface() { return m_window; }

private:
    CGame& m_game;
    CSplash& m_splash;
    CMainFrame& m_frameWnd;
    ITimers& m_timers;
    const IForeground& m_foreground;
    CSudokuDoc* m_doc = nullptr;
    bool m_bSplash = true;
    Bitmap m_frame;
    Bitmap m_window;
};
