// CQtLongWork: a window stays painted and its timers tick while a long piece of work runs;
// input, closes and the game's timers wait.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <future>

#include "platform/qt/QtLongWork.h"
#include "platform/qt/QtTimers.h"

namespace {

class CProbeWindow : public QWidget {
public:
    int paints = 0;
    int presses = 0;
    int closes = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::black);
        ++paints;
    }
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        event->accept();
    }
};

TEST(QtLongWork, TheWindowPaintsWhileInputClosesAndTheGamesTimersWaitForTheResult) {
    CQtLongWork longWork;
    CProbeWindow window;
    window.resize(40, 40);
    window.show();
    CQtTimers gameTimers;
    gameTimers.SetHold([&longWork] { return longWork.Running(); });
    int gameTicks = 0;
    gameTimers.StartTimer(10, 1, [&gameTicks] { ++gameTicks; });
    QApplication::processEvents();

    // The work ends when the main thread has seen two paints and two frame ticks of its own
    // while it ran, and has pressed the mouse and asked for a close meanwhile.
    std::promise<void> seen;
    std::future<void> seenLater = seen.get_future();
    const int paintsBefore = window.paints;
    const int gameTicksBefore = gameTicks;
    int frameTicks = 0;
    int gameTicksWhile = -1;
    bool closedAtOnce = true;
    QTimer frame;
    QObject::connect(&frame, &QTimer::timeout, [&] {
        if (!longWork.Running() || gameTicksWhile >= 0) {
            return;
        }
        ++frameTicks;
        window.update();
        if (frameTicks >= 2 && window.paints - paintsBefore >= 2) {
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5),
                              window.mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &press);
            closedAtOnce = window.close();
            gameTicksWhile = gameTicks;
            seen.set_value();
        }
    });
    frame.start(16);

    int result = 0;
    longWork.Run([&seenLater, &result] {
        // A bound for a broken loop only: the checks below then fail.
        seenLater.wait_for(std::chrono::seconds(30));
        result = 42;
    });

    EXPECT_EQ(result, 42);
    EXPECT_GE(window.paints - paintsBefore, 2);
    EXPECT_EQ(gameTicksWhile, gameTicksBefore);
    EXPECT_EQ(window.presses, 0);
    EXPECT_FALSE(closedAtOnce);
    EXPECT_TRUE(window.isVisible());
    // The close asked for meanwhile comes once the work has ended.
    QApplication::processEvents();
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
