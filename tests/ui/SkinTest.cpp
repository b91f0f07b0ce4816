// Skin and splash bitmaps read from a program folder: paths, the missing-file policy, the
// splash layout and animation.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/Texts.h"
#include "platform/ImageCanvas.h"
#include "platform/ScriptedShell.h"
#include "tests/support/TempDir.h"
#include "tests/ui/SyntheticSkin.h"
#include "ui/GameRoot.h"
#include "ui/Skin.h"

namespace fs = std::filesystem;
using testsupport::WriteBmp;

namespace {

TEST(SkinPathTest, FolderBySkinAndNameBySizeSelector) {
    const struct {
        int skin;
        int size;
        const char* board;
        const char* numbers;
    } cases[] = {
        {0, 0, "Skin1\\board.bmp", "Skin1\\numbers.bmp"},
        {1, 0, "Skin2\\board.bmp", "Skin2\\numbers.bmp"},
        {2, 0, "Skin3\\board.bmp", "Skin3\\numbers.bmp"},
        {2, 1, "Skin3\\board_large.bmp", "Skin3\\numbers_large.bmp"},
        {5, 0, "board.bmp", "numbers.bmp"},
        {-1, 1, "board_large.bmp", "numbers_large.bmp"},
        {3, 0, "board.bmp", "numbers.bmp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BoardBitmapPath(c.skin, c.size), c.board) << c.skin << " " << c.size;
        EXPECT_EQ(NumbersBitmapPath(c.skin, c.size), c.numbers) << c.skin << " " << c.size;
    }
    EXPECT_EQ(SplashBitmapPath(0), "Splash\\Splash.bmp");
    EXPECT_EQ(SplashBitmapPath(1), "Splash\\Splash_large.bmp");
    EXPECT_EQ(AnimBitmapPath(0), "Splash\\Anim.bmp");
    EXPECT_EQ(AnimBitmapPath(1), "Splash\\Anim_large.bmp");
}

// A program folder of its own for each test.
class ProgramFolderTest : public ::testing::Test {
protected:
    // The texts of messages follow the language of the options record.
    ProgramFolderTest() { options.SetLanguage(0); }

    // A bitmap of one colour.
    static Bitmap Flat(int w, int h, uint32_t colour) { return Bitmap(w, h, colour); }

    testsupport::TempDir temp;
    const fs::path& folder = temp.Path();
    ScriptedShell shell;
    CGameRoot root{{folder, folder, kScreen480x272, 3}, shell};
    COptions& options = root.Options();
    CScreen& screen = root.Screen();
    CGraphics& graphics = root.Graphics();
};

class ReloadSkinTest : public ProgramFolderTest {
protected:
    ReloadSkinTest() {
        // Every skin folder with a board and a sheet of its own colour.
        for (int i = 1; i <= 3; ++i) {
            const fs::path skin = folder / ("Skin" + std::to_string(i));
            EXPECT_TRUE(WriteBmp(skin / "board.bmp", Flat(480, 272, Rgb(i, 0, 0))));
            EXPECT_TRUE(WriteBmp(skin / "numbers.bmp", Flat(231, 84, Rgb(0, i, 0))));
        }
        EXPECT_TRUE(WriteBmp(folder / "board.bmp", Flat(480, 272, Rgb(9, 0, 0))));
        EXPECT_TRUE(WriteBmp(folder / "numbers.bmp", Flat(231, 84, Rgb(0, 9, 0))));
    }

    CGame& game = root.Game();
};

TEST_F(ReloadSkinTest, EachSkinReadsItsOwnFolderAndOtherNumbersTheProgramFolder) {
    const struct {
        int skin;
        int tag;
    } cases[] = {{0, 1}, {1, 2}, {2, 3}, {5, 9}};
    for (const auto& c : cases) {
        options.SetSkin(c.skin);
        game.ReloadSkin();
        ASSERT_FALSE(game.GetBoardBitmap().IsNull()) << c.skin;
        ASSERT_FALSE(game.GetNumbersBitmap().IsNull()) << c.skin;
        EXPECT_EQ(game.GetBoardBitmap().At(0, 0), Rgb(c.tag, 0, 0)) << c.skin;
        EXPECT_EQ(game.GetNumbersBitmap().At(0, 0), Rgb(0, c.tag, 0)) << c.skin;
    }
    EXPECT_TRUE(shell.Lines().empty());
    EXPECT_EQ(shell.CloseRequests(), 0);
}

TEST_F(ReloadSkinTest, AppliesTheLayoutOfTheScreen) {
    screen.SetScreenSize(kScreen320x240);
    game.ReloadSkin();
    EXPECT_EQ(game.GetBoardX(), -78);
    EXPECT_EQ(game.GetGridY(), -2);
}

TEST_F(ReloadSkinTest, MissingSheetTellsThePlayerAndClosesKeepingTheOldSkinUntilThen) {
    options.SetSkin(0);
    game.ReloadSkin();
    fs::remove(folder / "Skin3" / "numbers.bmp");
    bool oldSkinAtClose = false;
    shell.SetCloseHandler([&] {
        oldSkinAtClose = game.GetBoardBitmap().At(0, 0) == Rgb(1, 0, 0) &&
                         game.GetNumbersBitmap().At(0, 0) == Rgb(0, 1, 0);
    });
    options.SetSkin(2);
    game.ReloadSkin();
    ASSERT_EQ(shell.Lines().size(), 1U);
    EXPECT_EQ(shell.Lines()[0], std::string("message MsgFilesMissing ok ok \"") +
                                    std::string(MessageText(options, MessageId::kFilesMissing)) +
                                    "\"");
    EXPECT_EQ(MessageText(options, MessageId::kFilesMissing),
              "Required files not found. Please, re-install the software.");
    EXPECT_EQ(shell.CloseRequests(), 1);
    EXPECT_TRUE(oldSkinAtClose);
    // Then the bitmaps are replaced by what was read.
    EXPECT_EQ(game.GetBoardBitmap().At(0, 0), Rgb(3, 0, 0));
    EXPECT_TRUE(game.GetNumbersBitmap().IsNull());
}

TEST_F(ReloadSkinTest, UnreadableBoardFailsTheSameWay) {
    const fs::path board = folder / "Skin2" / "board.bmp";
    fs::remove(board);
    ASSERT_TRUE(fileio::WriteFileAtomically(board, std::vector<uint8_t>{'B', 'M', 1, 2, 3}));
    options.SetSkin(1);
    game.ReloadSkin();
    EXPECT_EQ(shell.CloseRequests(), 1);
    EXPECT_TRUE(game.GetBoardBitmap().IsNull());
}

// --- Splash ---

class SplashTest : public ProgramFolderTest {
protected:
    // Splash picture: each pixel its own position; animation strip: frame f all Rgb(0, 0, 50+f).
    static uint32_t SplashPixel(int x, int y) { return Rgb(x % 256, y % 256, 200 + x / 256); }
    static uint32_t FramePixel(int f) { return Rgb(0, 0, 50 + f); }

    void WriteSplash() {
        Bitmap picture(480, 272);
        for (int y = 0; y < 272; ++y) {
            for (int x = 0; x < 480; ++x) {
                picture.Set(x, y, SplashPixel(x, y));
            }
        }
        Bitmap anim(176, 165 * 5);
        for (int y = 0; y < anim.height; ++y) {
            for (int x = 0; x < anim.width; ++x) {
                anim.Set(x, y, FramePixel(y / 165));
            }
        }
        ASSERT_TRUE(WriteBmp(folder / "Splash" / "Splash.bmp", picture));
        ASSERT_TRUE(WriteBmp(folder / "Splash" / "Anim.bmp", anim));
    }

    Bitmap Draw() {
        const SScreenSize client = screen.GetClientSize();
        Bitmap out(client.width, client.height, Rgb(1, 1, 1));
        CImageCanvas canvas(out);
        const CBackBufferScope scope(graphics, canvas);
        splash.DrawSplash();
        return out;
    }

    CSplash& splash = root.Splash();
};

TEST_F(SplashTest, PictureAndFrameWhereEachScreenPutsThem) {
    WriteSplash();
    const struct {
        SScreenSize screen;
        int splashX, splashY, animX, animY;
    } cases[] = {{kScreen480x272, 0, 0, 158, 83}, {kScreen320x240, -78, 0, 80, 83}};
    for (const auto& c : cases) {
        screen.SetScreenSize(c.screen);
        splash.LoadSplash();
        const Bitmap out = Draw();
        SCOPED_TRACE(c.screen.width);
        EXPECT_EQ(out.At(0, 0), SplashPixel(-c.splashX, -c.splashY));
        EXPECT_EQ(out.At(c.animX - 1, c.animY), SplashPixel(c.animX - 1 - c.splashX, c.animY));
        EXPECT_EQ(out.At(c.animX, c.animY), FramePixel(0));
        EXPECT_EQ(out.At(c.animX + 175, c.animY + 100), FramePixel(0));
        EXPECT_EQ(out.At(c.animX + 176, c.animY), SplashPixel(c.animX + 176 - c.splashX, c.animY));
    }
    EXPECT_TRUE(shell.Lines().empty());
}

TEST_F(SplashTest, SmallAndLargeScreensTakeTheOtherRows) {
    WriteSplash();
    screen.SetScreenSize({230, 300});  // narrower than 240: the small layout
    splash.LoadSplash();
    Bitmap out = Draw();
    EXPECT_EQ(out.At(0, 0), SplashPixel(0, 10));
    EXPECT_EQ(out.At(34, 45), FramePixel(0));
    EXPECT_EQ(out.At(34 + 122, 45), FramePixel(0));
    EXPECT_EQ(out.At(34 + 123, 45), SplashPixel(34 + 123, 55));  // frames are 123 wide here
    screen.SetScreenSize({400, 480});                            // taller than 479: as 480 x 272
    splash.LayoutSplash();
    out = Draw();
    EXPECT_EQ(out.At(0, 0), SplashPixel(0, 0));
    EXPECT_EQ(out.At(158, 83), FramePixel(0));
}

TEST_F(SplashTest, AnimationRunsThroughFiveFramesAndStartsAgain) {
    WriteSplash();
    splash.LoadSplash();
    for (int expected : {0, 1, 2, 3, 4, 0, 1}) {
        EXPECT_EQ(splash.GetFrame(), expected);
        EXPECT_EQ(Draw().At(158 + 80, 83 + 80), FramePixel(expected));
        splash.NextFrame();
    }
}

TEST_F(SplashTest, MissingAnimationTellsThePlayerAndCloses) {
    WriteSplash();
    fs::remove(folder / "Splash" / "Anim.bmp");
    splash.LoadSplash();
    ASSERT_EQ(shell.Lines().size(), 1U);
    EXPECT_EQ(shell.Lines()[0].rfind("message MsgFilesMissing ok ok ", 0), 0U);
    EXPECT_EQ(shell.CloseRequests(), 1);
}

TEST_F(SplashTest, FoldersAreFoundWhateverTheirCase) {
    WriteSplash();
    fs::rename(folder / "Splash", folder / "splash");
    splash.LoadSplash();
    EXPECT_TRUE(shell.Lines().empty());
    EXPECT_EQ(Draw().At(158, 83), FramePixel(0));
}

}  // namespace
