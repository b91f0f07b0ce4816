// The window's scale and placement on the desktop, and the key codes it hands to the view.
#include <gtest/gtest.h>

#include <Qt>

#include "shell/KeyMap.h"
#include "shell/MainWindow.h"
#include "ui/Game.h"

namespace {

TEST(MainWindowScale, LargestThatFitsWithTheFrame) {
    const struct {
        QSize device, available;
        QMargins frame;
        int limit, scale;
    } cases[] = {
        // 320 x 240 on a 1280 x 720 desktop: 3 fits the desktop but not with a title bar.
        {{320, 240}, {1280, 720}, {}, 16, 3},
        {{320, 240}, {1280, 720}, {1, 30, 1, 1}, 16, 2},
        // 480 x 272 on 1920 x 1080 (a panel takes 40 rows) and on 3840 x 2160.
        {{480, 272}, {1920, 1040}, {2, 28, 2, 2}, 16, 3},
        {{480, 272}, {3840, 2120}, {2, 28, 2, 2}, 16, 7},
        {{480, 272}, {3840, 2160}, {}, 16, 7},
        // A scale asked for is kept when it fits and lowered when it does not.
        {{480, 272}, {3840, 2160}, {}, 4, 4},
        {{480, 272}, {1920, 1080}, {0, 30, 0, 0}, 16, 3},
        // A desktop smaller than the device screen still gets scale 1.
        {{480, 272}, {400, 200}, {0, 30, 0, 0}, 16, 1},
        {{4096, 4096}, {1920, 1080}, {}, 16, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CMainWindow::FitScale(c.device, c.available, c.frame, c.limit), c.scale)
            << c.device.width() << "x" << c.device.height() << " on " << c.available.width() << "x"
            << c.available.height();
    }
}

TEST(MainWindowScale, LargerWindowsShowTheScreenCentredAtAWholeScale) {
    const struct {
        QSize window;
        int scale;
        QPoint offset;
    } cases[] = {
        {{480, 272}, 1, {0, 0}},       {{1440, 816}, 3, {0, 0}},    {{1920, 1080}, 3, {240, 132}},
        {{3840, 2160}, 7, {240, 128}}, {{1000, 300}, 1, {260, 14}}, {{300, 200}, 1, {0, 0}},
    };
    for (const auto& c : cases) {
        const CMainWindow::SPlacement p = CMainWindow::Place({480, 272}, c.window);
        EXPECT_EQ(p.scale, c.scale) << c.window.width();
        EXPECT_EQ(p.offset, c.offset) << c.window.width();
    }
}

TEST(KeyMap, TheCodeIsFixedWhenTheKeyGoesDown) {
    CKeyMap keys;
    // Shift+8 is the star key; Shift let go first, the 8 comes up as the star it went down as.
    EXPECT_EQ(keys.Press(Qt::Key_Asterisk, 17), CGame::kKeyStar);
    EXPECT_EQ(keys.Release(Qt::Key_8, 17), CGame::kKeyStar);
    // Without a scan code the Qt key tells keys apart.
    EXPECT_EQ(keys.Press(Qt::Key_5, 0), CGame::kKey0 + 5);
    EXPECT_EQ(keys.Press(Qt::Key_5, 0), std::nullopt) << "already down";
    EXPECT_EQ(keys.Release(Qt::Key_5, 0), CGame::kKey0 + 5);
    EXPECT_EQ(keys.Release(Qt::Key_5, 0), std::nullopt) << "a key-up without its key-down";
    // An accelerator's key comes up without reaching the view.
    keys.Swallow(Qt::Key_Z, 52);
    EXPECT_EQ(keys.Release(Qt::Key_Z, 52), std::nullopt);
    EXPECT_EQ(keys.Press(Qt::Key_Z, 52), 0x5AU);
}

TEST(KeyMap, EveryKeyButAModifierHasACode) {
    const struct {
        int qtKey;
        uint32_t code;
    } cases[] = {
        {Qt::Key_Left, 0x25},  {Qt::Key_Down, 0x28},  {Qt::Key_0, 0x30},
        {Qt::Key_9, 0x39},     {Qt::Key_F8, 0x77},    {Qt::Key_Return, 0x0D},
        {Qt::Key_Enter, 0x0D}, {Qt::Key_Space, 0x20}, {Qt::Key_A, 0x41},
        {Qt::Key_Z, 0x5A},     {Qt::Key_F1, 0x70},    {Qt::Key_Escape, 0x1B},
        {Qt::Key_Minus, 0xBD}, {Qt::Key_Shift, 0},    {Qt::Key_Control, 0},
        {Qt::Key_Alt, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CKeyMap::VirtualKey(c.qtKey), c.code) << std::hex << c.qtKey;
    }
}

}  // namespace
