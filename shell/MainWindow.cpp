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
#include "ui/SudokuApp.h"

namespace {

constexpr int kFontPixels = 13;  // the text of boxes and menus at scale 1
// Moments after the window is shown at which its frame, now known, is checked against the
// desktop: a window manager tells the frame's size some time after the window appears.
constexpr int kFrameChecksMs[] = {50, 250, 1000};
// How long a window manager is given to act on a request for full screen or back.
constexpr int kWindowManagerMs = 150;

// While a soft key's popup is open: notes the popup that a press outside it asks for (one on
// the other soft key), which closes the popup, so that the other popup can open at once.
class CPopupSwitch : public QObject {
public:
    using Menu = std::optional<CSudokuApp::SMenuOpen>;
    explicit CPopupSwitch(std::function<Menu(QPoint)> menuAt) : m_menuAt(std::move(menuAt)) {
        qApp->installEventFilter(this);
    }
    ~CPopupSwitch() override { qApp->removeEventFilter(this); }
    CPopupSwitch(const CPopupSwitch&) = delete;
    CPopupSwitch& operator=(const CPopupSwitch&) = delete;

    Menu Next() const { return m_next; }

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
        if (Menu menu = m_menuAt(global)) {
            m_next = menu;
        }
        return false;
    }

private:
    std::function<Menu(QPoint)> m_menuAt;
    Menu m_next;
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

void CMainWindow::Present(const Bitmap& deviceScreen, bool splash) {
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
    if (m_presented) {
        m_presented();
    }

    if (!m_timing.Enabled()) {
        return;
    }
    if (m_started && !m_boardNoted && !splash) {
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

std::optional<QPoint> CMainWindow::DevicePointAt(QPoint global) const {
    const QPoint p = mapFromGlobal(global) - m_shown.offset;
    const int scale = std::max(m_shown.scale, 1);
    if (p.x() < 0 || p.y() < 0) {
        return std::nullopt;
    }
    return QPoint(p.x() / scale, p.y() / scale);
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
    if (const auto menu = m_app->OnPointerDown(p->x(), p->y())) {
        OpenMenu(*menu);
    }
}

void CMainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_app == nullptr || !event->buttons().testFlag(Qt::LeftButton)) {
        return;
    }
    // Outside the device screen counts as off the button held.
    const QPoint p = DevicePoint(*event).value_or(QPoint(-1, -1));
    m_app->OnPointerMove(p.x(), p.y());
}

void CMainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_app == nullptr) {
        return;
    }
    const QPoint p = DevicePoint(*event).value_or(QPoint(-1, -1));
    m_app->OnPointerUp(p.x(), p.y());
}

void CMainWindow::OpenMenu(const CSudokuApp::SMenuOpen& menu) {
    const QPoint under = mapToGlobal(m_shown.offset + QPoint(menu.left, menu.top) * m_shown.scale);
    CSudokuApp* app = m_app;
    std::optional<CSudokuApp::SMenuOpen> next;
    std::optional<CommandId> chosen;
    {
        const CPopupSwitch switcher([this, menu](QPoint global) {
            const std::optional<QPoint> p = DevicePointAt(global);
            return p ? m_app->OtherSoftKeyMenuAt(p->x(), p->y(), menu.key) : std::nullopt;
        });
        chosen = softkey::Run(
            menu.language, menu.key, m_shown.scale,
            [app](CommandId id) { return app->MenuItemState(id); }, under);
        next = switcher.Next();
    }
    if (chosen) {
        m_app->OnCommand(static_cast<int>(*chosen));
    } else if (next) {
        OpenMenu(*next);
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
    if (const std::optional<uint32_t> key = m_keys.Press(qtKey, scanCode)) {
        const bool control = event->modifiers().testFlag(Qt::ControlModifier);
        if (const auto menu = m_app->OnKeyDown(*key, control)) {
            OpenMenu(*menu);
        }
    }
}

void CMainWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || m_app == nullptr || !m_started) {
        return;
    }
    if (const std::optional<uint32_t> key = m_keys.Release(event->key(), event->nativeScanCode())) {
        m_app->OnKeyUp(*key);
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
