// CQtLongWork: a long piece of engine work on a thread of its own while the window stays painted.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

// Run starts the work on a worker thread and turns a local event loop until the work has ended,
// so that paints, exposes, resizes and the window's own timers go on. The player's input (mouse,
// keys, wheel, touch) is dropped meanwhile, as under a modal box; a request to close a window is
// refused and made again, queued, once the work has ended, so that no close is lost. After
// kBusyCursorMs the application shows Qt's busy cursor. The work must not touch Qt, the view,
// timers or files: it shares nothing with the main thread but what it was given.
class CQtLongWork : public QObject {
public:
    static constexpr int kBusyCursorMs = 100;

    CQtLongWork() = default;
    CQtLongWork(const CQtLongWork&) = delete;
    CQtLongWork& operator=(const CQtLongWork&) = delete;

    // Returns once `work` has ended. Called on the main thread, never from inside a work.
    void Run(const std::function<void()>& work);
    // A work is running: the game is not to be entered (its timers' ticks are dropped, a saved
    // game handed over waits).
    bool Running() const { return m_running; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_running = false;
    std::vector<QPointer<QWidget>> m_closes;  // windows asked to close meanwhile
};
