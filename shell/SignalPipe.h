// CSignalPipe: SIGINT, SIGTERM and SIGHUP turned into an event of the Qt event loop.
#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

// The signal handler only writes one byte into a pipe (the self-pipe trick); the event loop
// reads it and runs `onSignal`, outside the handler, between events. One object per process.
class CSignalPipe {
public:
    explicit CSignalPipe(std::function<void()> onSignal);
    ~CSignalPipe();
    CSignalPipe(const CSignalPipe&) = delete;
    CSignalPipe& operator=(const CSignalPipe&) = delete;

    // False when the pipe or the handlers could not be set up (the signals then keep their
    // default action).
    bool Installed() const { return m_notifier != nullptr; }

private:
    std::function<void()> m_onSignal;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
