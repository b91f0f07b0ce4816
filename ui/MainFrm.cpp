// CMainFrame: creation, the splash timer, the device screen of the command bar and the view.
#include "ui/MainFrm.h"

#include <algorithm>
#include <memory>

#include "game/Texts.h"
#include "platform/Sound.h"
#include "platform/Timers.h"
#include "platform/Window.h"
#include "ui/Game.h"
#include "ui/GameRoot.h"
#include "ui/Splash.h"
#include "ui/SudokuView.h"

namespace {

constexpr int kScreenBottom = CMainFrame::kFrameHeight;

}  // namespace

CMainFrame::CMainFrame(CGameRoot& root, ITimers& timers, ISound& sound, IWindow& window,
                       ICanvasFactory& canvases, BitmapSource bitmaps)
    : m_root(root),
      m_timers(timers),
      m_sound(sound),
      m_window(window),
      m_canvases(canvases),
      m_bar(*this, bitmaps) {}

CMainFrame::~CMainFrame() {
    StopSplashTimer();
}

int CMainFrame::OnCreate() {
    if (!m_bar.Build(0)) {
        return -1;
    }
    m_bar.Enable(false);
    m_splashTicks = 0;
    m_timers.StartTimer(kSplashTimer, kSplashPeriodMs, [this] { OnTimer(kSplashTimer); });
    m_sound.PlayAsync(m_root.Data().MakeProgramPath("\\splash\\splash.wav"));
    const SScreenSize screen = m_root.Screen().GetScreenSize();
    m_frameSize = {screen.width, std::min(screen.height, kScreenBottom)};
    return 0;
}

void CMainFrame::RebuildCommandBar(int language) {
    m_bar.Rebuild(language);
    Refresh();
}

void CMainFrame::OnTimer(int id) {
    if (id != kSplashTimer) {
        return;
    }
    const CSudokuView::CEvent event(m_view);
    m_root.Splash().NextFrame();
    ++m_splashTicks;
    if (m_splashTicks >= kSplashTicks) {
        StopSplashTimer();
        if (m_view != nullptr) {
            m_view->EndSplash();
        }
        m_bar.Enable(true);
    }
    m_root.Game().Redraw();
}

void CMainFrame::StopSplashTimer() {
    m_timers.StopTimer(kSplashTimer);
}

void CMainFrame::StretchToScreen() {
    m_frameSize = m_root.Screen().GetScreenSize();
}

void CMainFrame::StretchOverSquareScreen() {
    const SScreenSize screen = m_root.Screen().GetScreenSize();
    if (screen.width == screen.height && !m_languageDlgOpen) {
        StretchToScreen();
    }
}

void CMainFrame::OnSplashEnd() {
    m_bar.Enable(true);
    StopSplashTimer();
}

void CMainFrame::ReleaseToolbarButtons() {
    if (!m_bar.PressedButton()) {
        return;
    }
    for (const CommandId id : {CommandId::kPencilmarks, CommandId::kEraser}) {
        m_bar.SetButtonPressed(id, true);
        m_bar.SetButtonPressed(id, false);
    }
    Refresh();
}

bool CMainFrame::IsCommandEnabled(CommandId id) const {
    return m_rules == nullptr || m_rules->Update(id).enabled;
}

SToolModes CMainFrame::ToolModes() const {
    const CGame& game = m_root.Game();
    return {game.GetPencilMode(), game.GetEraserMode()};
}

int CMainFrame::CaptionLanguage() const {
    return TextLanguage(m_root.Options());
}

void CMainFrame::DrawOnView(const std::function<void(ICanvas&)>& draw) {
    if (m_view != nullptr) {
        m_view->DrawOnWindow(draw);
    }
}

void CMainFrame::Repaint() {
    m_root.Game().Redraw();
}

bool CMainFrame::ShowsEachPicture() const {
    return m_window.ShowsEachPicture();
}

void CMainFrame::Present() {
    // A clock tick left undrawn is drawn first; drawing it presents.
    if (m_view != nullptr && m_view->DrawPendingClock()) {
        return;
    }
    const SScreenSize screen = m_root.Screen().GetScreenSize();
    if (m_screen.width != screen.width || m_screen.height != screen.height) {
        m_screen = Bitmap(screen.width, screen.height);
    }
    {
        const std::unique_ptr<ICanvas> canvas = m_canvases.Create(m_screen);
        // The bar and the view cover the frame; below a frame of 272 rows the desktop shows,
        // black.
        if (m_frameSize.height < screen.height) {
            canvas->DrawRect({0, m_frameSize.height, screen.width, screen.height}, Rgb(0, 0, 0),
                             Rgb(0, 0, 0));
        }
        m_bar.Draw(*canvas);
        if (m_view != nullptr) {
            canvas->CopyBitmap(m_view->WindowSurface(), 0, kCommandBarHeight);
        }
    }
    m_window.Present(m_screen, m_view == nullptr || m_view->IsSplash());
}

void CMainFrame::Refresh() {
    if (m_view != nullptr) {
        m_view->InvalidateScreen();
    }
}

bool CMainFrame::OnButtonDown(CommandId command) {
    const CSudokuView::CEvent event(m_view);
    return m_bar.OnButtonDown(command);
}

void CMainFrame::OnButtonUp(CommandId command) {
    const CSudokuView::CEvent event(m_view);
    m_bar.OnButtonUp(command);
}
