// CSudokuApp: the start-up sequence, the commands the application serves itself, and the
// orderly end of the program.
#pragma once

#include <filesystem>
#include <memory>

class CGameRoot;
class CMainFrame;
class CSudokuDoc;
class CSudokuView;
class IForeground;
class IShell;
class ISound;
class ITimers;
class IWindow;

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
    };

    CSudokuApp(CGameRoot& root, SServices services);
    // Ends the program in the orderly way if nothing has yet (Shutdown).
    ~CSudokuApp();
    CSudokuApp(const CSudokuApp&) = delete;
    CSudokuApp& operator=(const CSudokuApp&) = delete;

    // The start-up sequence: the document (drawing context, InitGame with options.cfg, the
    // splash pictures), the frame (disabled English bar, splash timer, splash sound, size), the
    // view in the splash state, the first new document (resume or new game, the bar in the
    // stored language), the window shown. False when the program cannot start.
    bool InitInstance();
    // A saved game named on the command line, opened as Load opens it, after InitInstance.
    bool OpenDocumentFile(const std::filesystem::path& path);

    // Any command, from a menu, the toolbar, an accelerator or a script. Its update rule is asked
    // first. About, Save and Exit and the Exit button are served here, the rest by the document;
    // Cut, Copy, Paste and numbers that are no command do nothing.
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
    bool m_shutDown = false;
};
