// One game per data folder: the running game serves a local socket named after its data
// folder, and a second start hands it the saved game to open, then ends.
#pragma once

#include <QLocalServer>
#include <QTimer>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/InstanceLock.h"

class QWidget;

// A start in a window: takes the data folder, or hands `savedGame` (none: only "come to the
// front") to the game that holds it. Nothing when this start is to run the game (it holds the
// folder, or the folder cannot be locked, which is said once on standard error); else the exit
// status: 0 once the running game took the hand-off, 2 (with one line) when the game holding
// the folder does not answer, as a script run does not.
std::optional<int> ClaimDataFolderForWindow(CInstanceLock& lock,
                                            const std::filesystem::path& dataFolder,
                                            const std::optional<std::filesystem::path>& savedGame);

// The running game's end of the socket. A request raises the window; its saved game is opened
// through `open` once the game has started and no modal box, dialog or menu is open, one at a
// time, in the order they came; `busy`, when given, says that the game is in the middle of a
// long piece of work (a solve), which the file waits for as for a box. A game whose window has
// closed (it is ending) answers nothing, and the second start then waits for the folder.
class CInstanceServer {
public:
    CInstanceServer(QWidget& window, std::function<void(const std::filesystem::path&)> open,
                    std::function<bool()> busy = {});

    // Serves the data folder (which this game holds); false, with the reason, when the socket
    // cannot be made.
    bool Listen(const std::filesystem::path& dataFolder, std::string* why);
    // The game has started: requests are served from now on.
    void SetStarted();

private:
    void Accept();
    void Request(std::optional<std::filesystem::path> savedGame);
    void Raise();
    void OpenPending();

    QWidget& m_window;
    std::function<void(const std::filesystem::path&)> m_open;
    std::function<bool()> m_busy;
    QLocalServer m_server;
    QTimer m_retry;
    std::deque<std::filesystem::path> m_pending;
    bool m_started = false;
    bool m_raise = false;
    bool m_opening = false;
};
