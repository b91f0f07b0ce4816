// CMainFrame: creation, the splash timer, the command bar drawn onto the device screen and the
// caption box of a held toolbar button.
#include "ui/MainFrm.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <string_view>

#include "engine/Options.h"
#include "game/Texts.h"
#include "platform/BmpReader.h"
#include "platform/Sound.h"
#include "platform/Timers.h"
#include "platform/Window.h"
#include "res/Bitmaps.h"
#include "res/Menus.h"
#include "res/Strings.h"
#include "ui/Game.h"
#include "ui/GameRoot.h"
#include "ui/Splash.h"
#include "ui/SudokuDoc.h"
#include "ui/SudokuView.h"

namespace {

constexpr uint32_t kBarColour = Rgb(232, 232, 228);
constexpr uint32_t kBarBorder = Rgb(150, 150, 146);
constexpr uint32_t kKeyFace = Rgb(246, 246, 244);
constexpr uint32_t kKeyFrame = Rgb(170, 170, 166);
constexpr uint32_t kPressedFace = Rgb(208, 208, 204);
constexpr uint32_t kPressedFrame = Rgb(110, 110, 106);
constexpr uint32_t kText = Rgb(0, 0, 0);
constexpr uint32_t kGreyText = Rgb(160, 160, 156);
constexpr uint32_t kCaptionPen = Rgb(0, 0, 0);
constexpr uint32_t kCaptionBrush = Rgb(255, 255, 255);
constexpr int kScreenBottom = CMainFrame::kFrameHeight;

// The toolbar's buttons, left to right, in the order of their images in a strip.
constexpr std::size_t kButtonCount = 6;
std::array<CommandId, kButtonCount> ToolbarButtons() {
    std::array<CommandId, kButtonCount> buttons{};
    std::size_t n = 0;
    if (const res::SToolbar* toolbar = res::FindToolbar(res::kMainResource)) {
        for (const CommandId id : toolbar->positions) {
            if (id != res::kToolbarSeparator && n < buttons.size()) {
                buttons[n++] = id;
            }
        }
    }
    return buttons;
}

// The index of a command's button, or -1.
int ButtonIndex(CommandId command) {
    if (command == res::kToolbarSeparator) {
        return -1;
    }
    const auto buttons = ToolbarButtons();
    const auto it = std::find(buttons.begin(), buttons.end(), command);
    return it == buttons.end() ? -1 : static_cast<int>(it - buttons.begin());
}

// A greyed copy of a rectangle of the strip: every pixel a light grey of its brightness,
// magenta kept, so that a disabled button still shows its shape.
Bitmap Greyed(const Bitmap& strip, int srcX, int w, int h) {
    Bitmap out(w, h, kKeyColour);
    for (int y = 0; y < h && y < strip.height; ++y) {
        for (int x = 0; x < w && srcX + x < strip.width; ++x) {
            const uint32_t p = strip.At(srcX + x, y);
            if (IsKeyColour(p)) {
                continue;
            }
            const int r = static_cast<int>((p >> 16U) & 0xFFU);
            const int g = static_cast<int>((p >> 8U) & 0xFFU);
            const int b = static_cast<int>(p & 0xFFU);
            const int grey = 150 + (r * 30 + g * 59 + b * 11) / 100 * 90 / 255;
            out.Set(x, y, Rgb(grey, grey, grey));
        }
    }
    return out;
}

}  // namespace

CMainFrame::CMainFrame(CGameRoot& root, ITimers& timers, ISound& sound, IWindow& window,
                       ICanvasFactory& canvases, BitmapSource bitmaps)
    : m_root(root),
      m_timers(timers),
      m_sound(sound),
      m_window(window),
      m_canvases(canvases),
      m_bitmaps(bitmaps != nullptr ? bitmaps : &res::BitmapResource) {}

CMainFrame::~CMainFrame() {
    StopSplashTimer();
}

Bitmap CMainFrame::LoadBitmap(int id) const {
    Bitmap bmp;
    DecodeBmp(m_bitmaps(id), bmp);
    return bmp;
}

bool CMainFrame::BuildBar(int language) {
    m_barBuilt = false;
    m_pressed.reset();
    m_barLanguage = res::LanguageIndex(language);
    m_toolbarImage = res::kToolbarBitmap;
    m_strip = LoadBitmap(res::kToolbarBitmap);
    if (m_strip.IsNull()) {
        std::cerr << "Failed to create CommandBar\n";
        return false;
    }
    m_barBuilt = true;
    return true;
}

int CMainFrame::OnCreate() {
    if (!BuildBar(0)) {
        return -1;
    }
    m_barEnabled = false;
    m_splashTicks = 0;
    m_timers.StartTimer(kSplashTimer, kSplashPeriodMs, [this] { OnTimer(kSplashTimer); });
    m_sound.PlayAsync(m_root.Data().MakeProgramPath("\\splash\\splash.wav"));
    const SScreenSize screen = m_root.Screen().GetScreenSize();
    m_frameSize = {screen.width, std::min(screen.height, kScreenBottom)};
    return 0;
}

void CMainFrame::RebuildCommandBar(int language) {
    if (BuildBar(language)) {
        m_barEnabled = true;
    }
    Refresh();
}

void CMainFrame::SetToolbarImage(int bitmapId) {
    if (bitmapId == m_toolbarImage || !m_barBuilt) {
        return;
    }
    Bitmap strip = LoadBitmap(bitmapId);
    if (strip.IsNull()) {
        return;
    }
    m_toolbarImage = bitmapId;
    m_strip = std::move(strip);
}

void CMainFrame::SetButtonPressed(CommandId command, bool pressed) {
    if (pressed) {
        m_pressed = command;
    } else if (m_pressed == command) {
        m_pressed.reset();
    }
}

void CMainFrame::OnTimer(int id) {
    if (id != kSplashTimer) {
        return;
    }
    m_root.Splash().NextFrame();
    ++m_splashTicks;
    if (m_splashTicks >= kSplashTicks) {
        StopSplashTimer();
        if (m_view != nullptr) {
            m_view->EndSplash();
        }
        m_barEnabled = true;
    }
    m_root.Game().Redraw();
}

void CMainFrame::StopSplashTimer() {
    m_timers.StopTimer(kSplashTimer);
}

void CMainFrame::StretchToScreen() {
    m_frameSize = m_root.Screen().GetScreenSize();
}

SRect CMainFrame::SoftKeyRect(int index) {
    const int left = 2 + index * (kSoftKeyWidth + 2);
    return {left, kButtonTop, left + kSoftKeyWidth, kButtonTop + kButtonSize};
}

SRect CMainFrame::ButtonRect(CommandId command) const {
    const int index = ButtonIndex(command);
    if (index < 0) {
        return {};
    }
    const int left = command == CommandId::kExit ? m_frameSize.width - 2 - kButtonSize
                                                 : kFirstButtonX + index * kButtonStep;
    return {left, kButtonTop, left + kButtonSize, kButtonTop + kButtonSize};
}

SRect CMainFrame::CaptionBox(STextSize text, int centreX, int screenWidth) {
    const int width = text.width + 6;
    const int height = text.height + 2;
    // Centred on the button, unless that would cut it at an edge of the screen (the Exit
    // button's at the right).
    const int left = std::max(0, std::min(centreX - width / 2, screenWidth - width));
    return {left, kCaptionBottom - height, left + width, kCaptionBottom};
}

CMainFrame::SBarHit CMainFrame::HitTest(int32_t x, int32_t y) const {
    SBarHit hit;
    if (!m_barEnabled || !m_barBuilt || y < 0 || y >= kCommandBarHeight) {
        return hit;
    }
    for (int k = 0; k < 2; ++k) {
        const SRect r = SoftKeyRect(k);
        if (r.Contains(x, y)) {
            hit.kind = k == 0 ? SBarHit::Kind::kGameKey : SBarHit::Kind::kOptionsKey;
            hit.left = r.left;
            hit.width = r.Width();
            return hit;
        }
    }
    for (const CommandId id : ToolbarButtons()) {
        const SRect r = ButtonRect(id);
        if (r.Contains(x, y)) {
            hit.kind = SBarHit::Kind::kButton;
            hit.command = id;
            hit.left = r.left;
            hit.width = r.Width();
            return hit;
        }
    }
    return hit;
}

std::string CMainFrame::ButtonCaption(CommandId command) const {
    if (ButtonIndex(command) < 0) {
        return {};
    }
    const std::string_view tip = TipText(m_root.Options(), res::ToolbarCaptionIndex(command));
    const CGame& game = m_root.Game();
    bool on = false;
    if (command == CommandId::kPencilmarks) {
        on = game.GetPencilMode();
    } else if (command == CommandId::kEraser) {
        on = game.GetEraserMode();
    } else {
        return std::string(tip);
    }
    // Two captions: the one before the first line feed names what a press does while the
    // mode is off, the one after it while the mode is on.
    const std::size_t feed = tip.find('\n');
    if (feed == std::string_view::npos) {
        return std::string(tip);
    }
    return std::string(on ? tip.substr(feed + 1) : tip.substr(0, feed));
}

bool CMainFrame::OnButtonDown(CommandId command) {
    const SRect button = ButtonRect(command);
    if (button.Width() <= 0 || !m_barEnabled || !m_barBuilt ||
        (m_doc != nullptr && !m_doc->Update(command).enabled)) {
        return false;
    }
    m_pressed = command;
    const std::string caption = ButtonCaption(command);
    if (m_view != nullptr) {
        m_view->DrawOnWindow([&](ICanvas& canvas) {
            const SRect box = CaptionBox(canvas.MeasureText(caption),
                                         button.left + button.Width() / 2, m_frameSize.width);
            canvas.DrawRect(box, kCaptionPen, kCaptionBrush);
            SRect text = box;
            --text.bottom;
            canvas.DrawTextInRect(text, caption, kText, TextVAlign::kBottom);
        });
    }
    return true;
}

void CMainFrame::OnButtonUp(CommandId command) {
    SetButtonPressed(command, false);
    m_root.Game().Redraw();
}

void CMainFrame::DrawCommandBar(ICanvas& canvas) {
    const int width = m_frameSize.width;
    canvas.DrawRect({0, 0, width, kCommandBarHeight}, kBarColour, kBarColour);
    canvas.DrawLine(0, kCommandBarHeight - 1, width, kCommandBarHeight - 1, kBarBorder);
    if (!m_barBuilt) {
        return;
    }
    const uint32_t text = m_barEnabled ? kText : kGreyText;
    if (const res::SSoftKeyBar* bar = res::FindSoftKeyBar(res::kMainResource + m_barLanguage)) {
        for (int k = 0; k < 2; ++k) {
            const SRect r = SoftKeyRect(k);
            canvas.DrawRect(r, kKeyFrame, kKeyFace);
            canvas.DrawTextInRect(
                r, res::FindString(bar->keys[static_cast<std::size_t>(k)].captionString), text,
                TextVAlign::kCentre);
        }
    }
    // The rules first: those of the Pencilmarks and Eraser buttons also bring the strip up to
    // date, and every button is drawn from the same strip.
    const auto buttons = ToolbarButtons();
    std::array<bool, kButtonCount> enabled{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        enabled[i] = m_barEnabled && (m_doc == nullptr || m_doc->UpdateButton(buttons[i]).enabled);
    }
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const SRect r = ButtonRect(buttons[i]);
        if (r.Width() <= 0) {
            continue;
        }
        if (m_pressed == buttons[i]) {
            canvas.DrawRect(r, kPressedFrame, kPressedFace);
        }
        const int srcX = static_cast<int>(i) * kImageSize;
        if (srcX + kImageSize > m_strip.width) {
            continue;  // strip 110 has no Exit image
        }
        const int x = r.left + (kButtonSize - kImageSize) / 2;
        const int y = r.top + (kButtonSize - kImageSize) / 2;
        if (enabled[i]) {
            canvas.CopyBitmapKeyed(m_strip, x, y, srcX, 0, kImageSize, kImageSize);
        } else {
            canvas.CopyBitmapKeyed(Greyed(m_strip, srcX, kImageSize, kImageSize), x, y, 0, 0,
                                   kImageSize, kImageSize);
        }
    }
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
        DrawCommandBar(*canvas);
        if (m_view != nullptr) {
            canvas->CopyBitmap(m_view->WindowSurface(), 0, kCommandBarHeight);
        }
    }
    m_window.Present(m_screen);
}

void CMainFrame::Refresh() {
    if (m_view != nullptr && !m_view->LastFrame().IsNull()) {
        Present();
    }
}
