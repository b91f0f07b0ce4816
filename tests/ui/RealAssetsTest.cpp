// The skins and splash pictures shipped in res/: every one loads through the program's own
// reader and draws a whole game screen in both layouts.
#include <gtest/gtest.h>

#include <set>

#include "game/Options.h"
#include "platform/DataManager.h"
#include "platform/ImageCanvas.h"
#include "platform/Screen.h"
#include "platform/ScriptedShell.h"
#include "tests/support/BoardBuilder.h"
#include "ui/Game.h"
#include "ui/Graphics.h"
#include "ui/Splash.h"

namespace {

const std::filesystem::path kAssets = std::filesystem::path(SUDOKU_SOURCE_DIR) / "res";

struct Layout {
    int width;
    int height;
};

class RealAssetsTest : public ::testing::TestWithParam<std::tuple<int, Layout>> {
protected:
    ScriptedShell shell;
    DataManager data{kAssets, kAssets, shell};
    CScreen screen;
    CGraphics graphics{screen};
    CRandom random{5};
    COptions options;
};

TEST_P(RealAssetsTest, SkinLoadsAndDrawsTheBoard) {
    const auto [skin, layout] = GetParam();
    screen.SetScreenSize({layout.width, layout.height});
    options.SetSkin(skin);
    CGame game(random, options, data, graphics);
    game.ReloadSkin();
    ASSERT_TRUE(shell.Lines().empty()) << shell.Lines().front();
    ASSERT_EQ(shell.CloseRequests(), 0);
    EXPECT_GE(game.GetBoardBitmap().width, 480);
    EXPECT_GE(game.GetBoardBitmap().height, 272);
    EXPECT_GE(game.GetNumbersBitmap().width, 231);
    EXPECT_GE(game.GetNumbersBitmap().height, 84);

    game.NewPuzzle(40);
    game.SelectCell(0, 0, true);
    const auto client = screen.GetClientSize();
    Bitmap back(client.width, client.height, Rgb(1, 2, 3));
    CImageCanvas canvas(back);
    graphics.SetBackBuffer(&canvas);
    game.DrawBoard();
    game.DrawClock(true);
    graphics.SetBackBuffer(nullptr);

    // The board picture covers the whole view, and no magenta of the glyph sheet shows.
    std::set<uint32_t> colours;
    for (uint32_t p : back.pixels) {
        ASSERT_NE(p, Rgb(1, 2, 3));
        ASSERT_NE(p, kKeyColour);
        colours.insert(p);
    }
    EXPECT_GT(colours.size(), 50U);
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<int, Layout>>& param) {
    static constexpr const char* kSkins[] = {"Paper", "Sand", "Steel"};
    const Layout l = std::get<1>(param.param);
    return std::string(kSkins[std::get<0>(param.param)]) + std::to_string(l.width) + "x" +
           std::to_string(l.height);
}

INSTANTIATE_TEST_SUITE_P(AllSkinsBothLayouts, RealAssetsTest,
                         ::testing::Combine(::testing::Values(0, 1, 2),
                                            ::testing::Values(Layout{480, 272}, Layout{320, 240})),
                         CaseName);

TEST(RealSplash, LoadsAndDrawsEveryFrame) {
    ScriptedShell shell;
    DataManager data(kAssets, kAssets, shell);
    CScreen screen;
    screen.SetScreenSize({480, 272});
    CGraphics graphics(screen);
    CSplash splash(data, graphics);
    splash.LoadSplash();
    ASSERT_TRUE(shell.Lines().empty());
    const auto client = screen.GetClientSize();
    std::set<std::vector<uint32_t>> frames;
    for (int i = 0; i < 5; ++i) {
        Bitmap back(client.width, client.height, Rgb(1, 2, 3));
        CImageCanvas canvas(back);
        graphics.SetBackBuffer(&canvas);
        splash.DrawSplash();
        graphics.SetBackBuffer(nullptr);
        for (uint32_t p : back.pixels) {
            ASSERT_NE(p, Rgb(1, 2, 3));
        }
        frames.insert(back.pixels);
        splash.NextFrame();
    }
    EXPECT_EQ(frames.size(), 5U);  // every frame shows something new
}

}  // namespace
