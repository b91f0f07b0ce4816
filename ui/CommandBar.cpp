// CCommandBar: the soft keys and toolbar buttons drawn onto the device screen, their hit test,
// the captions and the caption box of a held button.
#include "ui/CommandBar.h"

#include <algorithm>
#include <iostream>
#include <string_view>

#include "platform/BmpReader.h"
#include "platform/Screen.h"
#include "res/Bitmaps.h"
#include "res/Menus.h"
#include "res/Strings.h"

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

// Strip 110 first, then the strips of the modes.
constexpr std::array<int, CCommandBar::kStripCount> kStripIds = {
    res::kToolbarBitmap, res::kToolbarPlain, res::kToolbarPencil, res::kToolbarEraser,
    res::kToolbarBoth};

std::size_t StripIndex(int id) {
    const auto* it = std::find(kStripIds.begin(), kStripIds.end(), id);
    return it == kStripIds.end() ? 0 : static_cast<std::size_t>(it - kStripIds.begin());
}

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

CCommandBar::CCommandBar(ICommandBarHost& host, BitmapSource bitmaps)
    : m_host(host), m_bitmaps(bitmaps != nullptr ? bitmaps : &res::BitmapResource) {}

bool CCommandBar::Build(int language) {
    m_built = false;
    m_pressed.reset();
    m_language = res::LanguageIndex(language);
    for (std::size_t i = 0; i < kStripCount; ++i) {
        m_strips[i] = Bitmap();
        DecodeBmp(m_bitmaps(kStripIds[i]), m_strips[i]);
    }
    if (m_strips[0].IsNull()) {
        std::cerr << "Failed to create CommandBar\n";
        return false;
    }
    m_built = true;
    return true;
}

void CCommandBar::Rebuild(int language) {
    if (Build(language)) {
        m_enabled = true;
    }
}

int CCommandBar::StripFor(bool live, SToolModes modes) {
    if (!live) {
        return res::kToolbarBitmap;
    }
    if (modes.pencil) {
        return modes.eraser ? res::kToolbarBoth : res::kToolbarPencil;
    }
    return modes.eraser ? res::kToolbarEraser : res::kToolbarPlain;
}

int CCommandBar::ToolbarImage() const {
    // The bar of the frame's creation, disabled until the game is in play, keeps strip 110.
    return StripFor(m_enabled && m_host.HasGame(), m_host.ToolModes());
}

const Bitmap& CCommandBar::Strip(int id) const {
    const Bitmap& strip = m_strips[StripIndex(id)];
    return strip.IsNull() ? m_strips[0] : strip;
}

void CCommandBar::SetButtonPressed(CommandId command, bool pressed) {
    if (pressed) {
        m_pressed = command;
    } else if (m_pressed == command) {
        m_pressed.reset();
    }
}

SRect CCommandBar::SoftKeyRect(int index) {
    const int left = 2 + index * (kSoftKeyWidth + 2);
    return {left, kButtonTop, left + kSoftKeyWidth, kButtonTop + kButtonSize};
}

SRect CCommandBar::ButtonRect(CommandId command) const {
    const int index = ButtonIndex(command);
    if (index < 0) {
        return {};
    }
    const int left = command == CommandId::kExit ? m_host.BarWidth() - 2 - kButtonSize
                                                 : kFirstButtonX + index * kButtonStep;
    return {left, kButtonTop, left + kButtonSize, kButtonTop + kButtonSize};
}

SRect CCommandBar::CaptionBox(STextSize text, int centreX, int screenWidth) {
    const int width = text.width + 6;
    const int height = text.height + 2;
    // Centred on the button, unless that would cut it at an edge of the screen (the Exit
    // button's at the right).
    const int left = std::max(0, std::min(centreX - width / 2, screenWidth - width));
    return {left, kCaptionBottom - height, left + width, kCaptionBottom};
}

CCommandBar::SBarHit CCommandBar::HitTest(int32_t x, int32_t y) const {
    SBarHit hit;
    if (!m_enabled || !m_built || y < 0 || y >= kCommandBarHeight) {
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

std::string CCommandBar::ButtonCaption(CommandId command) const {
    if (ButtonIndex(command) < 0) {
        return {};
    }
    const std::string_view tip =
        res::TipText(m_host.CaptionLanguage(), res::ToolbarCaptionIndex(command));
    const SToolModes modes = m_host.ToolModes();
    bool on = false;
    if (command == CommandId::kPencilmarks) {
        on = modes.pencil;
    } else if (command == CommandId::kEraser) {
        on = modes.eraser;
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

bool CCommandBar::OnButtonDown(CommandId command) {
    const SRect button = ButtonRect(command);
    if (button.Width() <= 0 || !m_enabled || !m_built || !m_host.IsCommandEnabled(command)) {
        return false;
    }
    m_pressed = command;
    const std::string caption = ButtonCaption(command);
    const int screenWidth = m_host.BarWidth();
    m_host.DrawOnView([&](ICanvas& canvas) {
        const SRect box =
            CaptionBox(canvas.MeasureText(caption), button.left + button.Width() / 2, screenWidth);
        canvas.DrawRect(box, kCaptionPen, kCaptionBrush);
        SRect text = box;
        --text.bottom;
        canvas.DrawTextInRect(text, caption, kText, TextVAlign::kBottom);
    });
    return true;
}

void CCommandBar::OnButtonUp(CommandId command) {
    SetButtonPressed(command, false);
    m_host.Repaint();
}

void CCommandBar::Draw(ICanvas& canvas) const {
    const int width = m_host.BarWidth();
    canvas.DrawRect({0, 0, width, kCommandBarHeight}, kBarColour, kBarColour);
    canvas.DrawLine(0, kCommandBarHeight - 1, width, kCommandBarHeight - 1, kBarBorder);
    if (!m_built) {
        return;
    }
    const uint32_t text = m_enabled ? kText : kGreyText;
    if (const res::SSoftKeyBar* bar = res::FindSoftKeyBar(res::kMainResource + m_language)) {
        for (int k = 0; k < 2; ++k) {
            const SRect r = SoftKeyRect(k);
            canvas.DrawRect(r, kKeyFrame, kKeyFace);
            canvas.DrawTextInRect(
                r, res::FindString(bar->keys[static_cast<std::size_t>(k)].captionString), text,
                TextVAlign::kCentre);
        }
    }
    const Bitmap& strip = Strip(ToolbarImage());
    const auto buttons = ToolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const SRect r = ButtonRect(buttons[i]);
        if (r.Width() <= 0) {
            continue;
        }
        if (m_pressed == buttons[i]) {
            canvas.DrawRect(r, kPressedFrame, kPressedFace);
        }
        const int srcX = static_cast<int>(i) * kImageSize;
        if (srcX + kImageSize > strip.width) {
            continue;  // strip 110 has no Exit image
        }
        const int x = r.left + (kButtonSize - kImageSize) / 2;
        const int y = r.top + (kButtonSize - kImageSize) / 2;
        if (m_enabled && m_host.IsCommandEnabled(buttons[i])) {
            canvas.CopyBitmapKeyed(strip, x, y, srcX, 0, kImageSize, kImageSize);
        } else {
            canvas.CopyBitmapKeyed(Greyed(strip, srcX, kImageSize, kImageSize), x, y, 0, 0,
                                   kImageSize, kImageSize);
        }
    }
}
