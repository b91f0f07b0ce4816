// CQtLongWork: a long piece of engine work on a thread of its own while the window stays painted.
#include "platform/qt/QtLongWork.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cassert>
#include <thread>
#include <utility>

void CQtLongWork::Run(const std::function<void()>& work) {
    assert(!m_running);
    m_running = true;
    qApp->installEventFilter(this);
    QEventLoop loop;
    bool busyCursor = false;
    QTimer cursor;
    cursor.setSingleShot(true);
    QObject::connect(&cursor, &QTimer::timeout, &cursor, [&busyCursor] {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        busyCursor = true;
    });
    cursor.start(kBusyCursorMs);

    std::atomic<bool> ended{false};
    std::thread worker([&work, &ended, &loop] {
        work();
        ended.store(true, std::memory_order_release);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The loop also ends when the application is asked to exit; the work is then waited for
    // here, without painting.
    while (!ended.load(std::memory_order_acquire) && loop.exec() == 0) {
    }
    worker.join();

    cursor.stop();
    if (busyCursor) {
        QApplication::restoreOverrideCursor();
    }
    qApp->removeEventFilter(this);
    m_running = false;
    for (const QPointer<QWidget>& window : std::exchange(m_closes, {})) {
        if (window != nullptr) {
            QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
        }
    }
}

bool CQtLongWork::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        auto* window = static_cast<QWidget*>(watched);
        if (std::find(m_closes.begin(), m_closes.end(), window) == m_closes.end()) {
            m_closes.emplace_back(window);
        }
        event->ignore();
        return true;
    }
    return event->isInputEvent() || event->type() == QEvent::Shortcut;
}
