// CMainWindow: the desktop window that shows the device screen and forwards the player's input.
#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

#include <optional>

#include "platform/Window.h"
#include "res/Commands.h"
#include "shell/Timing.h"

class CSudokuApp;

// Shows the device screen (command bar and view) at a whole-number scale with nearest-neighbour
// pixels, at a fixed size. Mouse points are divided by the scale: in the command bar (device
// y < kCommandBarHeight) a soft key opens its popup menu and a toolbar button shows its caption
// while held, running its command when let go over it; the bar ignores the mouse while it is
// disabled. Below the bar a left-button press is a stylus tap of the view. Keys go to the view
// as the device's virtual keys (one key-up for each key-down: auto-repeat is dropped); F1 and
// F2 open the Game and Options popups; Ctrl+N and Ctrl+Z are the accelerators of New and Undo.
// Closing the window is the orderly end of the program.
class CMainWindow : public QWidget, public IWindow {
public:
    // `scale` 0 chooses the largest whole number at which the window fits the desktop.
    CMainWindow(int scale, const CTimingLog& timing);

    // The application whose view, frame and commands receive the input; set once it is built.
    void SetApp(CSudokuApp* app) { m_app = app; }
    // The start-up sequence is over: input is taken from now on.
    void SetStarted() { m_started = true; }
    // A timer tick starts now (for the timing of the splash's end).
    void NoteEventStart() { m_eventStart = CTimingLog::Now(); }

    int Scale() const { return m_scale; }
    // The device screen's rectangle on the desktop, which the dialogs cover.
    QRect DeviceScreenRect() const { return {mapToGlobal(QPoint(0, 0)), size()}; }

    void Present(const Bitmap& deviceScreen) override;

    // The device's virtual-key code of a Qt key (0 for a key the device does not have).
    static uint32_t VirtualKey(int qtKey);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Opens the popup of soft key 0 (Game) or 1 (Options) under the key, and runs the command
    // chosen.
    void OpenSoftKey(int key);
    void OpenSoftKeyAt(int key, int left);
    int ChooseScale(QSize device) const;
    QPoint DevicePoint(const QMouseEvent& event) const;

    CSudokuApp* m_app = nullptr;
    const CTimingLog& m_timing;
    QImage m_image;
    int m_scale;
    bool m_started = false;
    bool m_fontSet = false;
    std::optional<CommandId> m_pressed;  // the toolbar button held down
    // Timing: what has been noted, and when the event being handled started.
    bool m_splashNoted = false;
    bool m_boardNoted = false;
    bool m_tapPending = false;
    long long m_eventStart = 0;
};
