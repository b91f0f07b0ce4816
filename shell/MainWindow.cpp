// CMainWindow: the desktop window that shows the device screen and forwards the player's input.
#include "shell/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "platform/Screen.h"
#include "shell/CommandLine.h"
#include "shell/SoftKeyMenu.h"
#include "ui/GameRoot.h"
#include "ui/MainFrm.h"
#include "ui/SudokuApp.h"
#include "ui/SudokuView.h"

namespace {

constexpr int kFontPixels = 13;  // the text of boxes and menus at scale 1

}  // namespace

CMainWindow::CMainWindow(int scale, const CTimingLog& timing) : m_timing(timing), m_scale(scale) {
    setWindowTitle(QString::fromUtf8("Судоку"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

uint32_t CMainWindow::VirtualKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return CGame::kKeyLeft;
        case Qt::Key_Up:
            return CGame::kKeyUp;
        case Qt::Key_Right:
            return CGame::kKeyRight;
        case Qt::Key_Down:
            return CGame::kKeyDown;
        case Qt::Key_F8:
        case Qt::Key_Asterisk:
            return CGame::kKeyStar;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return CGame::kKeyEnter;
        default:
            break;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return CGame::kKey0 + static_cast<uint32_t>(qtKey - Qt::Key_0);
    }
    return 0;
}

int CMainWindow::ChooseScale(QSize device) const {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr || device.isEmpty()) {
        return 1;
    }
    const QRect available = screen->availableGeometry();
    const int fit =
        std::min(available.width() / device.width(), available.height() / device.height());
    return std::clamp(fit, 1, SCommandLine::kMaxScale);
}

void CMainWindow::Present(const Bitmap& deviceScreen) {
    if (deviceScreen.IsNull()) {
        return;
    }
    m_image = QImage(reinterpret_cast<const uchar*>(deviceScreen.pixels.data()), deviceScreen.width,
                     deviceScreen.height, static_cast<qsizetype>(deviceScreen.width) * 4,
                     QImage::Format_RGB32)
                  .copy();
    if (m_scale == 0) {
        m_scale = ChooseScale(m_image.size());
    }
    if (!m_fontSet) {
        // The message boxes take it: their text grows with the device screen.
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPixelSize(kFontPixels * m_scale);
        setFont(font);
        m_fontSet = true;
    }
    const QSize wanted = m_image.size() * m_scale;
    if (size() != wanted) {
        setFixedSize(wanted);
    }
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
    // No smoothing: each device pixel becomes a square of scale x scale.
    painter.drawImage(QRect(QPoint(0, 0), m_image.size() * m_scale), m_image);
    // The splash is on the desktop once the window has painted it the first time.
    if (m_timing.Enabled() && !m_splashNoted) {
        painter.end();
        m_timing.Note("splash");
        m_splashNoted = true;
    }
}

QPoint CMainWindow::DevicePoint(const QMouseEvent& event) const {
    const QPoint p = event.position().toPoint();
    const int scale = std::max(m_scale, 1);
    return {p.x() / scale, p.y() / scale};
}

void CMainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_app == nullptr || !m_started) {
        return;
    }
    m_eventStart = CTimingLog::Now();
    m_tapPending = true;
    const QPoint p = DevicePoint(*event);
    CMainFrame& frame = m_app->Frame();
    if (p.y() >= kCommandBarHeight) {
        m_app->View().OnLButtonDown(p.x(), p.y() - kCommandBarHeight);
        return;
    }
    // A disabled bar (the splash) hits nothing.
    const CMainFrame::SBarHit hit = frame.HitTest(p.x(), p.y());
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
    const QPoint p = DevicePoint(*event);
    if (p.y() < 0 || p.y() >= kCommandBarHeight) {
        return;
    }
    const CMainFrame::SBarHit hit = frame.HitTest(p.x(), p.y());
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
    const QPoint under = mapToGlobal(QPoint(left * m_scale, kCommandBarHeight * m_scale));
    CSudokuApp* app = m_app;
    const auto chosen = softkey::Run(
        language, key, m_scale, [app](CommandId id) { return app->Doc().Update(id); }, under);
    if (chosen) {
        m_app->OnCommand(static_cast<int>(*chosen));
    }
}

void CMainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || m_app == nullptr || !m_started) {
        return;
    }
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        switch (event->key()) {
            case Qt::Key_N:
                m_app->OnCommand(static_cast<int>(CommandId::kNew));
                return;
            case Qt::Key_Z:
                m_app->OnCommand(static_cast<int>(CommandId::kUndo));
                return;
            case Qt::Key_X:
            case Qt::Key_C:
            case Qt::Key_V:
                return;  // Cut, Copy and Paste have no handler
            default:
                break;
        }
    }
    if (event->key() == Qt::Key_F1 || event->key() == Qt::Key_F2) {
        OpenSoftKey(event->key() == Qt::Key_F1 ? 0 : 1);
        return;
    }
    if (const uint32_t key = VirtualKey(event->key()); key != 0) {
        m_app->View().OnKeyDown(key);
    }
}

void CMainWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || m_app == nullptr || !m_started) {
        return;
    }
    if (const uint32_t key = VirtualKey(event->key()); key != 0) {
        m_app->View().OnKeyUp(key);
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
