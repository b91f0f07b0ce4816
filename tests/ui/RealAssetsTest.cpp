// The skins and splash pictures shipped in res/: every one loads through the program's own
// reader and draws a whole game screen in both layouts.
#include <gtest/gtest.h>

#include <set>

#include "platform/ImageCanvas.h"
#include "platform/ScriptedShell.h"
#include "ui/GameRoot.h"

namespace {

const std::filesystem::path kAssets = std::filesystem::path(SUDOKU_SOURCE_DIR) / "res";

struct Layout {
    int width;
    int height;
};

class RealAssetsTest : public ::testing::TestWithParam<std::tuple<int, Layout>> {
protected:
    ScriptedShell shell;
};

TEST_P(RealAssetsTest, SkinLoadsAndDrawsTheBoard) {
    const auto [skin, layout] = GetParam();
    CGameRoot root({kAssets, kAssets, {layout.width, layout.height}, 5}, shell);
    root.Options().SetSkin(skin);
    CGame& game = root.Game();
    game.ReloadSkin();
    ASSERT_TRUE(shell.Lines().empty()) << shell.Lines().front();
    ASSERT_EQ(shell.CloseRequests(), 0);
    EXPECT_GE(game.GetBoardBitmap().width, 480);
    EXPECT_GE(game.GetBoardBitmap().height, 272);
    EXPECT_GE(game.GetNumbersBitmap().width, 231);
    EXPECT_GE(game.GetNumbersBitmap().height, 84);

    game.NewPuzzle(40);
    game.SelectCell(0, 0, true);
    const auto client = root.Screen().GetClientSize();
    Bitmap back(client.width, client.height, Rgb(1, 2, 3));
    CImageCanvas canvas(back);
    game.DrawFrame(canvas, true);

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
    CGameRoot root({kAssets, kAssets, kScreen480x272, 1}, shell);
    CSplash& splash = root.Splash();
    splash.LoadSplash();
    ASSERT_TRUE(shell.Lines().empty());
    const auto client = root.Screen().GetClientSize();
    std::set<std::vector<uint32_t>> frames;
    for (int i = 0; i < 5; ++i) {
        Bitmap back(client.width, client.height, Rgb(1, 2, 3));
        CImageCanvas canvas(back);
        const CBackBufferScope scope(root.Graphics(), canvas);
        splash.DrawSplash();
        for (uint32_t p : back.pixels) {
            ASSERT_NE(p, Rgb(1, 2, 3));
        }
        frames.insert(back.pixels);
        splash.NextFrame();
    }
    EXPECT_EQ(frames.size(), 5U);  // every frame shows something new
}

}  // namespace
