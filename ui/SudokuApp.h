// CSudokuApp: the start-up sequence, the commands the application serves itself, and the
// orderly end of the program.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

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

    // The orderly end, whatever asks for it (Save and Exit, the Exit button, closing the window,
    // SIGINT or SIGTERM, the end of the desktop session): the autosave and the options are
    // written exactly once. Further calls do nothing.
    void Shutdown();
    bool IsShutDown() const { return m_shutDown; }

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
    bool m_shutDown = false;
};
