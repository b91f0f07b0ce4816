// CScreen: the emulated device screen: its size in pixels and the command bar above the view.
#pragma once

#include <cstdint>
#include <string_view>

struct SScreenSize {
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const SScreenSize&) const = default;
};

// The device screens the game has layouts for; 480 x 272 is the default.
constexpr SScreenSize kScreen480x272{480, 272};
constexpr SScreenSize kScreen320x240{320, 240};
// The command bar takes this many rows at the top of the screen; the view gets the rest.
constexpr int32_t kCommandBarHeight = 28;
// Largest side accepted for an emulated screen: a handheld's screen (320 x 240 up to WVGA
// 800 x 480) fits with room to spare, an image of the device screen stays within 4 MiB, and the
// window at scale 1 fits a 1920 x 1080 desktop.
constexpr int32_t kMaxScreenSide = 1024;

// The screen the program emulates, chosen at start-up (--screen) and read wherever the
// platform's system metrics would be asked.
class CScreen {
public:
    CScreen() = default;
    explicit CScreen(SScreenSize size) : m_size(size) {}

    SScreenSize GetScreenSize() const { return m_size; }
    void SetScreenSize(SScreenSize size) { m_size = size; }
    // The view's client area: the whole width, the height below the command bar.
    SScreenSize GetClientSize() const { return {m_size.width, m_size.height - kCommandBarHeight}; }

private:
    SScreenSize m_size = kScreen480x272;
};

// Reads "WxH" (decimal, 'x' or 'X'); each side must be 1..kMaxScreenSide and the height must
// leave the view at least one row under the command bar. `out` is changed only on success.
bool ParseScreenSize(std::string_view text, SScreenSize& out);
