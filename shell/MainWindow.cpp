// CMainWindow: the desktop window that shows the device screen and forwards the player's input.
#include "shell/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <iostream>

#include "platform/Screen.h"
#include "script/CommandLine.h"
#include "shell/SoftKeyMenu.h"
#include "ui/GameRoot.h"
#include "ui/MainFrm.h"
#include "ui/SudokuApp.h"
#include "ui/SudokuView.h"

namespace {

constexpr int kFontPixels = 13;  // the text of boxes and menus at scale 1
// Moments after the window is shown at which its frame, now known, is checked against the
// desktop: a window manager tells the frame's size some time after the window appears.
constexpr int kFrameChecksMs[] = {50, 250, 1000};
// How long a window manager is given to act on a request for full screen or back.
constexpr int kWindowManagerMs = 150;

// While a soft key's popup is open: notes a press on the other soft key, which closes the
// popup, so that the other popup can open at once (as in a menu bar).
class CPopupSwitch : public QObject {
public:
    CPopupSwitch(std::function<std::optional<int>(QPoint)> keyAt, int current)
        : m_keyAt(std::move(keyAt)), m_current(current) {
        qApp->installEventFilter(this);
    }
    ~CPopupSwitch() override { qApp->removeEventFilter(this); }
    CPopupSwitch(const CPopupSwitch&) = delete;
    CPopupSwitch& operator=(const CPopupSwitch&) = delete;

    std::optional<int> Next() const { return m_next; }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress || qobject_cast<QMenu*>(watched) == nullptr) {
            return false;
        }
        const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMenu*>(widget) != nullptr && widget->isVisible() &&
                widget->geometry().contains(global)) {
                return false;  // a press inside a popup
            }
        }
        const std::optional<int> key = m_keyAt(global);
        if (key && *key != m_current) {
            m_next = key;
        }
        return false;
    }

private:
    std::function<std::optional<int>(QPoint)> m_keyAt;
    int m_current;
    std::optional<int> m_next;
};

}  // namespace

CMainWindow::CMainWindow(int scale, const CTimingLog& timing)
    : m_timing(timing), m_requestedScale(scale) {
    setWindowTitle(QString::fromUtf8("Судоку"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int CMainWindow::FitScale(QSize device, QSize available, QMargins frame, int limit) {
    if (device.isEmpty()) {
        return 1;
    }
    const int width = available.width() - frame.left() - frame.right();
    const int height = available.height() - frame.top() - frame.bottom();
    const int fit = std::min(width / device.width(), height / device.height());
    return std::clamp(fit, 1, std::max(limit, 1));
}

CMainWindow::SPlacement CMainWindow::Place(QSize device, QSize window) {
    SPlacement placement;
    if (device.isEmpty()) {
        return placement;
    }
    placement.scale =
        std::max(1, std::min(window.width() / device.width(), window.height() / device.height()));
    const QSize shown = device * placement.scale;
    placement.offset = {std::max(0, (window.width() - shown.width()) / 2),
                        std::max(0, (window.height() - shown.height()) / 2)};
    return placement;
}

int CMainWindow::NormalScale() const {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    const int limit = m_requestedScale > 0 ? m_requestedScale : SCommandLine::kMaxScale;
    if (screen == nullptr) {
        return std::clamp(limit, 1, SCommandLine::kMaxScale);
    }
    // The frame the window manager gave the window; before the window is shown, one as high as
    // the style's title bar.
    QMargins frame;
    if (windowHandle() != nullptr && isVisible()) {
        frame = windowHandle()->frameMargins();
    } else {
        const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        frame = {border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
    }
    return FitScale(m_image.size(), screen->availableGeometry().size(), frame, limit);
}

void CMainWindow::FitToDesktop() {
    if (m_image.isNull() || isMaximized() || isFullScreen() || m_tookScreen) {
        return;
    }
    const int scale = NormalScale();
    if (m_requestedScale > scale && !m_scaleLowered) {
        std::cerr << "sudoku: --scale " << m_requestedScale
                  << " does not fit the desktop; the window opens at scale " << scale << '\n';
        m_scaleLowered = true;
    }
    // A size the player chose is kept; only the size the window was given is brought to fit.
    if (m_normalScale == 0 || size() == m_image.size() * m_normalScale) {
        m_normalScale = scale;
        resize(m_image.size() * scale);
    }
    const QScreen* screen = this->screen();
    if (screen == nullptr || !isVisible()) {
        return;
    }
    // A frame that sticks out of the desktop is moved back inside it.
    const QRect available = screen->availableGeometry();
    const QRect frame = frameGeometry();
    QPoint to = frame.topLeft();
    to.setX(std::clamp(to.x(), available.left(),
                       std::max(available.left(), available.right() + 1 - frame.width())));
    to.setY(std::clamp(to.y(), available.top(),
                       std::max(available.top(), available.bottom() + 1 - frame.height())));
    if (to != frame.topLeft()) {
        move(to);
    }
}

void CMainWindow::FollowScale() {
    m_shown = Place(m_image.size(), size());
    if (m_fontScale == m_shown.scale) {
        return;
    }
    // The message boxes take it: their text grows with the device screen.
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(kFontPixels * m_shown.scale);
    setFont(font);
    m_fontScale = m_shown.scale;
}

void CMainWindow::Present(const Bitmap& deviceScreen) {
    if (deviceScreen.IsNull()) {
        return;
    }
    const bool first = m_image.isNull();
    m_image = QImage(reinterpret_cast<const uchar*>(deviceScreen.pixels.data()), deviceScreen.width,
                     deviceScreen.height, static_cast<qsizetype>(deviceScreen.width) * 4,
                     QImage::Format_RGB32)
                  .copy();
    if (first) {
        setMinimumSize(m_image.size());
        FitToDesktop();
    }
    FollowScale();
    if (isVisible()) {
        repaint();
    }

    if (!m_timing.Enabled()) {
        return;
    }
    if (m_started && !m_boardNoted && m_app != nullptr && !m_app->View().IsSplash()) {
        m_timing.Note("splash-end", m_eventStart);
        m_timing.Note("board");
        m_boardNoted = true;
    }
    if (m_tapPending) {
        m_timing.Note("tap-press", m_eventStart);
        m_timing.Note("tap");
        m_tapPending = false;
    }
}

void CMainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_image.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // No smoothing: each device pixel becomes a square of scale x scale; black around it when
    // the window is larger (maximized, full screen).
    const QRect shown(m_shown.offset, m_image.size() * m_shown.scale);
    if (shown != rect()) {
        const QRegion around = QRegion(rect()).subtracted(QRegion(shown));
        for (const QRect& part : around) {
            painter.fillRect(part, Qt::black);
        }
    }
    painter.drawImage(shown, m_image);
    // The splash is on the desktop once the window has painted it the first time.
    if (m_timing.Enabled() && !m_splashNoted) {
        painter.end();
        m_timing.Note("splash");
        m_splashNoted = true;
    }
}

void CMainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FollowScale();
}

void CMainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_frameChecked) {
        return;
    }
    m_frameChecked = true;
    for (const int ms : kFrameChecksMs) {
        QTimer::singleShot(ms, this, [this] { FitToDesktop(); });
    }
}

void CMainWindow::ToggleFullScreen() {
    // Without a window manager nobody acts on the request: the window then takes the screen,
    // or gives it back, itself (a size set by the window ends Qt's full-screen state, so the
    // window remembers that it took the screen).
    if (isFullScreen() || m_tookScreen) {
        m_tookScreen = false;
        showNormal();
        QTimer::singleShot(kWindowManagerMs, this, [this] {
            if (!isFullScreen() && !isMaximized() && geometry() != m_normalGeometry) {
                setGeometry(m_normalGeometry);
            }
        });
        return;
    }
    m_normalGeometry = geometry();
    showFullScreen();
    QTimer::singleShot(kWindowManagerMs, this, [this] {
        if (isFullScreen() && screen() != nullptr && geometry() != screen()->geometry()) {
            setGeometry(screen()->geometry());
            m_tookScreen = true;
        }
    });
}

std::optional<QPoint> CMainWindow::DevicePoint(const QMouseEvent& event) const {
    const QPoint p = event.position().toPoint() - m_shown.offset;
    const int scale = std::max(m_shown.scale, 1);
    if (p.x() < 0 || p.y() < 0) {
        return std::nullopt;
    }
    const QPoint device(p.x() / scale, p.y() / scale);
    if (device.x() >= m_image.width() || device.y() >= m_image.height()) {
        return std::nullopt;
    }
    return device;
}

std::optional<int> CMainWindow::SoftKeyAt(QPoint global) const {
    if (m_app == nullptr) {
        return std::nullopt;
    }
    const QPoint p = mapFromGlobal(global) - m_shown.offset;
    const int scale = std::max(m_shown.scale, 1);
    if (p.x() < 0 || p.y() < 0) {
        return std::nullopt;
    }
    const CMainFrame::SBarHit hit = m_app->Frame().HitTest(p.x() / scale, p.y() / scale);
    switch (hit.kind) {
        case CMainFrame::SBarHit::Kind::kGameKey:
            return 0;
        case CMainFrame::SBarHit::Kind::kOptionsKey:
            return 1;
        default:
            return std::nullopt;
    }
}

void CMainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_app == nullptr || !m_started) {
        return;
    }
    const std::optional<QPoint> p = DevicePoint(*event);
    if (!p) {
        return;
    }
    m_eventStart = CTimingLog::Now();
    m_tapPending = true;
    CMainFrame& frame = m_app->Frame();
    if (p->y() >= kCommandBarHeight) {
        m_app->View().OnLButtonDown(p->x(), p->y() - kCommandBarHeight);
        return;
    }
    // A disabled bar (the splash) hits nothing.
    const CMainFrame::SBarHit hit = frame.HitTest(p->x(), p->y());
    switch (hit.kind) {
        case CMainFrame::SBarHit::Kind::kGameKey:
            OpenSoftKeyAt(0, hit.left);
            break;
        case CMainFrame::SBarHit::Kind::kOptionsKey:
            OpenSoftKeyAt(1, hit.left);
            break;
        case CMainFrame::SBarHit::Kind::kButton:
            m_pressed = hit.command;
            frame.OnButtonDown(hit.command);
            break;
        case CMainFrame::SBarHit::Kind::kNone:
            break;
    }
}

void CMainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_app == nullptr || !m_pressed) {
        return;
    }
    const CommandId command = *m_pressed;
    m_pressed.reset();
    CMainFrame& frame = m_app->Frame();
    frame.OnButtonUp(command);
    const std::optional<QPoint> p = DevicePoint(*event);
    if (!p || p->y() >= kCommandBarHeight) {
        return;
    }
    const CMainFrame::SBarHit hit = frame.HitTest(p->x(), p->y());
    if (hit.kind == CMainFrame::SBarHit::Kind::kButton && hit.command == command) {
        m_app->OnCommand(static_cast<int>(command));
    }
}

void CMainWindow::OpenSoftKey(int key) {
    // The key's place on the bar, found by asking the bar along its middle row (a disabled bar
    // has none).
    const CMainFrame& frame = m_app->Frame();
    const auto wanted =
        key == 0 ? CMainFrame::SBarHit::Kind::kGameKey : CMainFrame::SBarHit::Kind::kOptionsKey;
    for (int x = 0; x < m_image.width(); ++x) {
        const CMainFrame::SBarHit hit = frame.HitTest(x, kCommandBarHeight / 2);
        if (hit.kind == wanted) {
            OpenSoftKeyAt(key, hit.left);
            return;
        }
    }
}

void CMainWindow::OpenSoftKeyAt(int key, int left) {
    const int language = m_app->Root().Options().GetLanguage();
    const QPoint under = mapToGlobal(
        m_shown.offset + QPoint(left * m_shown.scale, kCommandBarHeight * m_shown.scale));
    CSudokuApp* app = m_app;
    std::optional<int> next;
    std::optional<CommandId> chosen;
    {
        const CPopupSwitch switcher([this](QPoint global) { return SoftKeyAt(global); }, key);
        chosen = softkey::Run(
            language, key, m_shown.scale, [app](CommandId id) { return app->Doc().Update(id); },
            under);
        next = switcher.Next();
    }
    if (chosen) {
        m_app->OnCommand(static_cast<int>(*chosen));
    } else if (next) {
        OpenSoftKey(*next);
    }
}

void CMainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || m_app == nullptr || !m_started) {
        return;
    }
    const int qtKey = event->key();
    const uint32_t scanCode = event->nativeScanCode();
    if (qtKey == Qt::Key_F11) {
        m_keys.Swallow(qtKey, scanCode);
        ToggleFullScreen();
        return;
    }
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        switch (qtKey) {
            case Qt::Key_N:
                m_keys.Swallow(qtKey, scanCode);
                m_app->OnCommand(static_cast<int>(CommandId::kNew));
                return;
            case Qt::Key_Z:
                m_keys.Swallow(qtKey, scanCode);
                m_app->OnCommand(static_cast<int>(CommandId::kUndo));
                return;
            case Qt::Key_X:
            case Qt::Key_C:
            case Qt::Key_V:
                m_keys.Swallow(qtKey, scanCode);
                return;  // Cut, Copy and Paste have no handler
            default:
                break;
        }
    }
    if (qtKey == Qt::Key_F1 || qtKey == Qt::Key_F2) {
        m_keys.Swallow(qtKey, scanCode);
        OpenSoftKey(qtKey == Qt::Key_F1 ? 0 : 1);
        return;
    }
    if (const std::optional<uint32_t> key = m_keys.Press(qtKey, scanCode)) {
        m_app->View().OnKeyDown(*key);
    }
}

void CMainWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || m_app == nullptr || !m_started) {
        return;
    }
    if (const std::optional<uint32_t> key = m_keys.Release(event->key(), event->nativeScanCode())) {
        m_app->View().OnKeyUp(*key);
    }
}

void CMainWindow::closeEvent(QCloseEvent* event) {
    if (m_app != nullptr) {
        m_app->Shutdown();
    }
    event->accept();
    // Also ends the loops of a message box or dialog that may be open.
    QCoreApplication::exit(0);
}
