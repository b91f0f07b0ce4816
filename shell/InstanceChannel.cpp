// One game per data folder: the running game serves a local socket named after its data
// folder, and a second start hands it the saved game to open, then ends.
#include "shell/InstanceChannel.h"

#include <QApplication>
#include <QByteArray>
#include <QCryptographicHash>
#include <QLocalSocket>
#include <QWidget>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <thread>

#include "script/DataFolderClaim.h"

namespace {

namespace fs = std::filesystem;

// A request is the absolute path of the saved game (nothing for none), ended by a NUL byte; the
// answer is kAnswer once the request is queued.
constexpr char kAnswer[] = "ok\n";
constexpr qint64 kMaxRequestBytes = 64 * 1024;
constexpr int kAnswerWaitMs = 10000;
// A game that has just taken the folder serves it a moment later; a game that is ending lets
// it go a moment later.
constexpr int kTries = 30;
constexpr auto kRetryPause = std::chrono::milliseconds(100);
constexpr int kBusyRetryMs = 250;

// The user's own folder for sockets: $XDG_RUNTIME_DIR, else a folder of /tmp that only the user
// may enter (made when missing; refused when anyone else owns it or may enter it).
std::optional<fs::path> RuntimeFolder(std::string* why) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        return fs::path(runtime);
    }
    const fs::path folder = fs::temp_directory_path() / ("sudoku-" + std::to_string(::getuid()));
    ::mkdir(folder.c_str(), 0700);
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        *why = folder.string() + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 077) != 0) {
        *why = folder.string() + " is not a folder of this user's alone";
        return std::nullopt;
    }
    return folder;
}

// The socket of a data folder: sudoku-<the first 16 hex digits of the SHA-1 of its canonical
// path> in the runtime folder.
std::optional<QString> ServerName(const fs::path& dataFolder, std::string* why) {
    const auto runtime = RuntimeFolder(why);
    if (!runtime) {
        return std::nullopt;
    }
    std::error_code ec;
    fs::path canonical = fs::canonical(dataFolder, ec);
    if (ec) {
        canonical = fs::absolute(dataFolder, ec);
    }
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(canonical.string()),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    return QString::fromStdString((*runtime / ("sudoku-" + hash.toStdString())).string());
}

// Sends the request to the game serving the folder; true once it answered.
bool HandOff(const fs::path& dataFolder, const std::optional<fs::path>& savedGame) {
    std::string why;
    const auto name = ServerName(dataFolder, &why);
    if (!name) {
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(*name);
    if (!socket.waitForConnected(kAnswerWaitMs)) {
        return false;
    }
    std::error_code ec;
    QByteArray request =
        savedGame ? QByteArray::fromStdString(fs::absolute(*savedGame, ec).string()) : QByteArray();
    request.append('\0');
    socket.write(request);
    if (!socket.waitForBytesWritten(kAnswerWaitMs)) {
        return false;
    }
    QByteArray answer;
    while (answer.size() < static_cast<qsizetype>(sizeof kAnswer - 1) &&
           socket.waitForReadyRead(kAnswerWaitMs)) {
        answer += socket.readAll();
    }
    return answer == kAnswer;
}

}  // namespace

std::optional<int> ClaimDataFolderForWindow(CInstanceLock& lock, const fs::path& dataFolder,
                                            const std::optional<fs::path>& savedGame) {
    if (dataFolder.empty()) {
        return std::nullopt;
    }
    for (int i = 0; i < kTries; ++i) {
        switch (lock.Take(dataFolder)) {
            case CInstanceLock::EState::kHeld:
                return std::nullopt;
            case CInstanceLock::EState::kImpossible:
                SayDataFolderNotLocked(dataFolder, lock);
                return std::nullopt;
            case CInstanceLock::EState::kInUse:
                if (HandOff(dataFolder, savedGame)) {
                    return 0;
                }
                break;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
    std::cerr << "sudoku: the data folder " << dataFolder.string()
              << " is in use by a game that does not answer (a script run)\n";
    return 2;
}

CInstanceServer::CInstanceServer(QWidget& window, std::function<void(const fs::path&)> open,
                                 std::function<bool()> busy)
    : m_window(window), m_open(std::move(open)), m_busy(std::move(busy)) {
    m_retry.setSingleShot(true);
    QObject::connect(&m_retry, &QTimer::timeout, &m_server, [this] { OpenPending(); });
    QObject::connect(&m_server, &QLocalServer::newConnection, &m_server, [this] { Accept(); });
}

bool CInstanceServer::Listen(const fs::path& dataFolder, std::string* why) {
    const auto name = ServerName(dataFolder, why);
    if (!name) {
        return false;
    }
    // This game holds the folder: a socket left by a game that was killed is its own to replace.
    QLocalServer::removeServer(*name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(*name)) {
        *why = m_server.errorString().toStdString();
        return false;
    }
    return true;
}

void CInstanceServer::SetStarted() {
    m_started = true;
    m_retry.start(0);
}

void CInstanceServer::Accept() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (socket->bytesAvailable() > kMaxRequestBytes) {
                socket->abort();
                return;
            }
            const QByteArray bytes = socket->peek(socket->bytesAvailable());
            const qsizetype end = bytes.indexOf('\0');
            if (end < 0) {
                return;  // the rest is on its way
            }
            if (m_started && m_window.isHidden()) {
                // The game is ending: no answer, so that the second start waits for the folder
                // and plays its file itself.
                socket->abort();
                return;
            }
            socket->readAll();
            socket->write(kAnswer, sizeof kAnswer - 1);
            socket->flush();
            socket->disconnectFromServer();
            const std::string path = bytes.left(end).toStdString();
            Request(path.empty() ? std::nullopt : std::optional<fs::path>(path));
        });
    }
}

void CInstanceServer::Request(std::optional<fs::path> savedGame) {
    m_raise = true;
    if (savedGame) {
        m_pending.push_back(std::move(*savedGame));
    }
    OpenPending();
}

void CInstanceServer::Raise() {
    m_window.setWindowState((m_window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_window.raise();
    m_window.activateWindow();
}

void CInstanceServer::OpenPending() {
    // The window is closed once the game is ending: what is left is not opened. (A minimized
    // window is not hidden: it is not visible, but it comes back.)
    if (!m_started || m_opening || m_window.isHidden()) {
        return;
    }
    if (m_raise) {
        m_raise = false;
        Raise();
    }
    if (m_pending.empty()) {
        return;
    }
    // A box, dialog or menu is waiting for the player, or a solve is running: the file waits for
    // it to end.
    if (QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr || (m_busy && m_busy())) {
        m_retry.start(kBusyRetryMs);
        return;
    }
    const fs::path path = std::move(m_pending.front());
    m_pending.pop_front();
    m_opening = true;
    m_open(path);
    m_opening = false;
    if (!m_pending.empty()) {
        m_retry.start(0);
    }
}
