// CSudokuApp: the start-up sequence, the commands the application serves itself, and the
// orderly end of the program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "res/Commands.h"
#include "ui/SudokuDoc.h"

struct Bitmap;
class CGameRoot;
class CMainFrame;
class CSudokuDoc;
class CSudokuView;
class ICanvasFactory;
class IForeground;
class IShell;
class ISound;
class ITimers;
class IWindow;

// The end of the program. Every route ends in Shutdown, which runs once: the document's
// OnCloseDocument writes autosave.sdk and options.cfg (SaveOnExit) and the timers stop.
//
//   - The shell's own routes (the window closed, SIGINT or SIGTERM, the end of the desktop
//     session, the end of a script) call Shutdown and then leave the event loop.
//   - Save and Exit (57665) and the Exit button (command 1) come in through OnCommand, which
//     asks the shell to close: IShell::CloseApplication. The shell then takes its own route:
//     it calls Shutdown (at once or from its event loop) and leaves the event loop.
//   - A missing skin or splash bitmap asks the same, through DataManager::CloseApplication;
//     before the main window exists the shell ends the process with status 1 instead.
//
// CloseApplication may call Shutdown before it returns; it must not destroy the application,
// which is still inside the handler that asked. After Shutdown, commands do nothing.
class CSudokuApp {
public:
    // The desktop services the game runs on: Qt's in the window, scripted ones in script mode
    // and in tests. They and the root must outlive the application.
    struct SServices {
        IShell& shell;
        ITimers& timers;
        ISound& sound;
        const IForeground& foreground;
        IWindow& window;
        ICanvasFactory& canvases;
    };

    CSudokuApp(CGameRoot& root, SServices services);
    // Ends the program in the orderly way if nothing has yet (Shutdown).
    ~CSudokuApp();
    CSudokuApp(const CSudokuApp&) = delete;
    CSudokuApp& operator=(const CSudokuApp&) = delete;

    // A language index chosen on the command line (--language): applied after options.cfg has
    // been read and before the command bar is built in the stored language, as if it had been
    // chosen in the Language dialog before the first paint. Call it before InitInstance.
    void SetStartLanguage(int language) { m_startLanguage = language; }

    // The start-up sequence: the document (drawing context, InitGame with options.cfg, the
    // splash pictures), the frame (disabled English bar, splash timer, splash sound, size), the
    // view in the splash state, the first new document (resume or new game, the bar in the
    // stored language), the window shown (the first paint). False when the program cannot
    // start: the bar cannot be built, or the program was asked to close meanwhile.
    bool InitInstance();
    // A saved game named on the command line, opened as Load opens it, after InitInstance.
    bool OpenDocumentFile(const std::filesystem::path& path);

    // Any command, from a menu, the toolbar, an accelerator or a script. Its update rule is asked
    // first. About, Save and Exit and the Exit button are served here, the rest by the document;
    // Cut, Copy, Paste and numbers that are no command do nothing. A command that ran is
    // followed by a repaint of the screen, as the closing of its menu or box repaints it.
    enum class ECommand { kDone, kDisabled, kUnknown };
    ECommand OnCommand(int id);

    // ---- The entry surface: every front end drives the game through these ----
    // Points are device pixels of the whole device screen (the command bar on top, the view
    // below it); keys are the game's key codes (the device's virtual keys). Each call is one
    // event: it paints and presents the screen at most once. Input before the start-up has ended
    // (InitInstance) or after the end (Shutdown) does nothing. Ticks come through the timers the
    // application was given (ITimers: frame timer 1, clock timer 10), and whether the window is
    // in the foreground is asked of IForeground at each clock tick.

    // Where a soft key's popup opens, for the front end to show it: the popup's items (menu
    // 110 + language, res/Menus.h) and its top-left corner in device pixels, under the key.
    // Before each item shows, the front end asks MenuItemState; the item chosen is OnCommand.
    struct SMenuOpen {
        int key = 0;  // 0 Game, 1 Options
        int language = 0;
        int left = 0;
        int top = 0;
    };

    // The stylus (or a mouse's left button) goes down: on the command bar a soft key opens its
    // popup (the answer) and a toolbar button is held, its caption box shown; below the bar a
    // tap of the view (which also ends the splash). A disabled bar (the splash) takes nothing.
    std::optional<SMenuOpen> OnPointerDown(int x, int y);
    // While a toolbar button is held, the button is drawn sunken only with the point over it.
    void OnPointerMove(int x, int y);
    // Lets go a held button (the caption box goes); over that button, its command runs.
    void OnPointerUp(int x, int y);
    // A key goes down: F1 and F2 open the Game and Options popups (the answer), a key of the
    // accelerator table with Ctrl runs its command; these keys' key-ups are then swallowed.
    // Any other key goes to the view.
    std::optional<SMenuOpen> OnKeyDown(uint32_t key, bool control);
    void OnKeyUp(uint32_t key);
    // The popup of soft key 0 or 1 as F1 and F2 open it; nullopt while the bar is disabled.
    std::optional<SMenuOpen> SoftKeyMenu(int key) const;
    // While a popup is open: the popup of the other soft key when a press at this device point
    // is on it (a press there opens it at once, as in a menu bar).
    std::optional<SMenuOpen> OtherSoftKeyMenuAt(int x, int y, int openKey) const;
    // The update rule of a popup's item: enabled, checked.
    SCommandState MenuItemState(CommandId id) const;
    // The close request (the window closed, a signal, the end of the desktop session):
    // Shutdown.

    // The view's own input, for scripts, whose lines name view points and keys and toolbar
    // buttons: a tap at a client point of the view (any point goes to the view), a key down or
    // up in the view, a toolbar button pressed (its caption box; true when it showed, and then
    // its caption) or let go without its command.
    void TapView(int32_t x, int32_t y);
    void ViewKeyDown(uint32_t key);
    void ViewKeyUp(uint32_t key);
    std::optional<std::string> PressButton(CommandId command);
    void ReleaseButton(CommandId command);
    // The device screen as the player sees it now, for a screenshot: a clock tick that a window
    // not showing each picture left undrawn is drawn first.
    const Bitmap& CurrentScreen();

    // The orderly end, whatever asks for it (Save and Exit, the Exit button, closing the window,
    // SIGINT or SIGTERM, the end of the desktop session): the autosave and the options are
    // written exactly once. Further calls do nothing.
    void Shutdown();
    // Writes the autosave and options.cfg as Shutdown does while the game goes on (a browser's
    // page hidden or left, which may never come back). Nothing before the start-up has ended
    // (the autosave not yet read is kept) or after the end. False when nothing was written or a
    // file failed.
    bool SaveNow();
    bool IsShutDown() const { return m_shutDown; }
    // The start-up sequence has ended (InitInstance).
    bool IsStarted() const { return m_started; }

    CGameRoot& Root() { return m_root; }
    CSudokuDoc& Doc() { return *m_doc; }
    CSudokuView& View() { return *m_view; }
    CMainFrame& Frame() { return *m_frame; }

private:
    CGameRoot& m_root;
    SServices m_services;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CSudokuDoc> m_doc;
    std::unique_ptr<CSudokuView> m_view;
    std::optional<int> m_startLanguage;
    bool m_started = false;
    bool m_shutDown = false;
    // The toolbar button held by the pointer, and whether the point is over it.
    std::optional<CommandId> m_held;
    bool m_heldOver = false;
    // Keys that went down as a soft key or an accelerator: their key-ups go nowhere.
    std::set<uint32_t> m_swallowed;
};
