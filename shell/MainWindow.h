// CMainWindow: the desktop window that shows the device screen and forwards the player's input.
#pragma once

#include <QImage>
#include <QMargins>
#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

#include "platform/Window.h"
#include "res/Commands.h"
#include "shell/KeyMap.h"
#include "shell/Timing.h"
#include "ui/SudokuApp.h"

// Shows the device screen (command bar and view) at a whole-number scale with nearest-neighbour
// pixels. The window opens at the largest scale at which it fits the desktop, its frame
// included (or at --scale, lowered when that would not fit); maximized, in full screen (F11) or
// resized, it shows the device screen at the largest whole scale that fits, centred on black.
// Mouse points are mapped back to device pixels and go to the game's entry surface
// (CSudokuApp::OnPointerDown/Move/Up) with the left button; keys go there as the device's
// virtual keys, the code fixed as the key goes down (shell/KeyMap.h), with Ctrl. When the game
// answers with a soft key's popup, the window shows it as a QMenu under the key. F11 is the
// window's own: full screen or back. Closing the window is the orderly end of the program.
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

    // The scale the device screen is shown at now.
    int Scale() const { return m_shown.scale; }
    // The device screen's rectangle on the desktop, which the dialogs cover.
    QRect DeviceScreenRect() const {
        return {mapToGlobal(m_shown.offset), m_image.size() * m_shown.scale};
    }

    void Present(const Bitmap& deviceScreen, bool splash) override;
    // Told after each picture presented (the screen reader's description follows it).
    void SetPresentObserver(std::function<void()> observer) { m_presented = std::move(observer); }
    // Opens a soft key's popup where the game says, and runs the command chosen; a click on the
    // other soft key while a popup is open opens that one at once.
    void OpenMenu(const CSudokuApp::SMenuOpen& menu);

    // The largest whole scale, 1 at least and `limit` at most, at which a window showing a
    // device screen of `device` pixels, with a frame of `frame`, fits `available`.
    static int FitScale(QSize device, QSize available, QMargins frame, int limit);
    // Where a device screen of `device` pixels is shown in a window of `window` pixels: the
    // largest whole scale that fits (1 at least), centred.
    struct SPlacement {
        int scale = 1;
        QPoint offset;
    };
    static SPlacement Place(QSize device, QSize window);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The device point under a point of the desktop (which may lie beyond the device screen).
    std::optional<QPoint> DevicePointAt(QPoint global) const;
    // The scale of the window's normal size: the one asked for, lowered to what fits the
    // desktop with the frame the window has (or would have).
    int NormalScale() const;
    // Sizes the window for the device screen at its normal scale, unless maximized or in full
    // screen; moves it back inside the desktop when it sticks out.
    void FitToDesktop();
    // F11: full screen, or back to the window as it was.
    void ToggleFullScreen();
    // The device point under a point of the window; nullopt outside the device screen.
    std::optional<QPoint> DevicePoint(const QMouseEvent& event) const;
    // The text of boxes and menus follows the scale shown.
    void FollowScale();

    CSudokuApp* m_app = nullptr;
    const CTimingLog& m_timing;
    QImage m_image;
    int m_requestedScale;  // 0: the largest that fits
    int m_normalScale = 0;
    bool m_scaleLowered = false;
    bool m_frameChecked = false;
    QRect m_normalGeometry;     // the window's place before full screen
    bool m_tookScreen = false;  // full screen taken by the window itself, without a manager
    SPlacement m_shown;
    int m_fontScale = 0;
    bool m_started = false;
    CKeyMap m_keys;
    std::function<void()> m_presented;
    // Timing: what has been noted, and when the event being handled started.
    bool m_splashNoted = false;
    bool m_boardNoted = false;
    bool m_tapPending = false;
    long long m_eventStart = 0;
};
