// CSignalPipe: SIGINT, SIGTERM and SIGHUP turned into an event of the Qt event loop.
#include "shell/SignalPipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

int g_pipe[2] = {-1, -1};

// SIGHUP comes when the terminal the game was started from is closed.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void SetAction(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

void OnSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // Async-signal-safe; a full pipe already has a wake-up waiting.
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

CSignalPipe::CSignalPipe(std::function<void()> onSignal) : m_onSignal(std::move(onSignal)) {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
        char buffer[16];
        while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
        }
        m_onSignal();
    });
    SetAction(OnSignal);
}

CSignalPipe::~CSignalPipe() {
    if (m_notifier == nullptr) {
        return;
    }
    SetAction(SIG_DFL);
    m_notifier.reset();
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}
