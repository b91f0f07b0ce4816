// The game screen drawn into an image with a synthetic skin: every step of a frame, both
// layouts, the crosshatching and the clock.
#include <gtest/gtest.h>

#include "engine/Options.h"
#include "platform/ImageCanvas.h"
#include "platform/ScriptedShell.h"
#include "tests/support/BoardBuilder.h"
#include "tests/ui/SyntheticSkin.h"
#include "ui/GameRoot.h"

using testsupport::BoardPixel;
using testsupport::GlyphInk;
using testsupport::GlyphPixelsAt;
using testsupport::GridFrom;

namespace {

constexpr uint32_t kBlank = Rgb(0, 0, 0);

// Glyph sheet places (Game.h): digit d in a style row, pencil marks, frames.
constexpr int kEntry = 0;
constexpr int kGiven = 21;
constexpr int kIllegal = 42;
constexpr int kNotAllowed = 63;
constexpr int kFrameX = 210;
constexpr int kSelectionY = 21;
constexpr int kHintY = 42;

int DigitX(int d) {
    return (d - 1) * 21;
}
int MarkX(int d) {
    return 189 + (d - 1) % 3 * 6;
}
int MarkY(int d, bool illegal) {
    return (illegal ? 42 : 0) + (d - 1) / 3 * 6;
}

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override { Use(kScreen480x272); }

    // Switches the screen, applies the layout and puts the synthetic skin in.
    void Use(SScreenSize size) {
        screen.SetScreenSize(size);
        game.ApplyLayout();
        game.SetSkinBitmaps(testsupport::MakeBoard(), testsupport::MakeSheet());
    }

    // One frame into a back buffer the size of the view's client area.
    const Bitmap& Draw() {
        const SScreenSize client = screen.GetClientSize();
        out = Bitmap(client.width, client.height, kBlank);
        CImageCanvas canvas(out);
        game.DrawFrame(canvas);
        return out;
    }

    // Whether the whole glyph shows at (x, y), or none of it.
    bool Shows(int sx, int sy, int size, int x, int y) const {
        return GlyphPixelsAt(out, sx, sy, size, x, y) == GlyphInk(sx, sy, size);
    }
    bool ShowsNone(int sx, int sy, int size, int x, int y) const {
        return GlyphPixelsAt(out, sx, sy, size, x, y) == 0;
    }
    int CellX(int x) const { return game.GetGridX() + x * 21; }
    int CellY(int y) const { return game.GetGridY() + y * 21; }
    int PaletteX(int d) const { return game.GetPaletteX() + (d - 1) * 21; }
    int PaletteY() const { return game.GetPaletteY(); }

    void Enter(int x, int y, int digit, bool pencil = false) {
        ASSERT_TRUE(game.SelectCell(x, y, true));
        game.SetNumber(digit);
        game.PlaceNumber(pencil);
    }

    ScriptedShell shell;
    CGameRoot root{{"/nonexistent", "/nonexistent", kScreen480x272, 3}, shell};
    CScreen& screen = root.Screen();
    CGraphics& graphics = root.Graphics();
    COptions& options = root.Options();
    CGame& game = root.Game();
    Bitmap out;
};

// --- Layouts ---

struct LayoutCase {
    SScreenSize screen;
    int boardX, boardY, gridX, gridY, paletteX, paletteY;
};

class LayoutTest : public DrawTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, BoardPictureCellsAndPaletteLandWhereTheLayoutSays) {
    const LayoutCase& c = GetParam();
    Use(c.screen);
    EXPECT_EQ(game.GetBoardX(), c.boardX);
    EXPECT_EQ(game.GetBoardY(), c.boardY);
    EXPECT_EQ(game.GetCellSize(), 21);
    EXPECT_EQ(game.GetMarkSize(), 6);
    game.SetGrid(GridFrom("4.......7" + std::string(63, '.') + "2.......9"));
    Draw();
    // The picture at its offset covers the client area.
    const std::pair<int, int> corners[] = {{0, 0}, {out.width - 1, 0}, {17, out.height - 1}};
    for (const auto& [x, y] : corners) {
        EXPECT_EQ(out.At(x, y), BoardPixel(x - c.boardX, y - c.boardY)) << x << "," << y;
    }
    EXPECT_TRUE(Shows(DigitX(4), kGiven, 21, c.gridX, c.gridY));
    EXPECT_TRUE(Shows(DigitX(7), kGiven, 21, c.gridX + 168, c.gridY));
    EXPECT_TRUE(Shows(DigitX(2), kGiven, 21, c.gridX, c.gridY + 168));
    EXPECT_TRUE(Shows(DigitX(9), kGiven, 21, c.gridX + 168, c.gridY + 168));
    for (int d = 1; d <= 9; ++d) {
        EXPECT_TRUE(Shows(DigitX(d), kEntry, 21, c.paletteX + (d - 1) * 21, c.paletteY)) << d;
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, LayoutTest,
                         ::testing::Values(LayoutCase{{480, 272}, 0, 0, 142, 12, 142, 204},
                                           LayoutCase{{320, 240}, -78, -14, 64, -2, 64, 190}));

TEST_F(DrawTest, OtherScreensTakeTheNearestLayoutThatFitsAndNeverAZeroCell) {
    const struct {
        SScreenSize screen;
        int gridX;
    } cases[] = {
        {{800, 600}, 142}, {{480, 640}, 142}, {{481, 272}, 142}, {{480, 271}, 64},
        {{479, 300}, 64},  {{240, 320}, 64},  {{100, 50}, 64},
    };
    for (const auto& c : cases) {
        screen.SetScreenSize(c.screen);
        game.ApplyLayout();
        EXPECT_EQ(game.GetGridX(), c.gridX) << c.screen.width << "x" << c.screen.height;
        EXPECT_EQ(game.GetCellSize(), 21);
    }
}

// --- Digits ---

TEST_F(DrawTest, DigitStylesGivenEntryAndIllegalOnlyWithFlagIllegalOutsideCustomEntry) {
    game.SetGrid(GridFrom("5"));  // a given 5 at (0, 0)
    Enter(3, 0, 5);               // a player's 5 in the same row
    Enter(4, 4, 8);               // a legal player's entry
    const struct {
        bool flagIllegal;
        bool custom;
        int clashStyle;
    } cases[] = {{true, false, kIllegal}, {false, false, kEntry}, {true, true, kEntry}};
    for (const auto& c : cases) {
        options.SetFlagIllegal(c.flagIllegal);
        options.SetCustomEntry(c.custom);
        Draw();
        SCOPED_TRACE(testing::Message() << "flag " << c.flagIllegal << " custom " << c.custom);
        EXPECT_TRUE(Shows(DigitX(5), kGiven, 21, CellX(0), CellY(0)));
        EXPECT_TRUE(Shows(DigitX(5), c.clashStyle, 21, CellX(3), CellY(0)));
        EXPECT_TRUE(Shows(DigitX(8), kEntry, 21, CellX(4), CellY(4)));
    }
}

// --- Pencil marks ---

TEST_F(DrawTest, PencilMarkFiveOfTheFirstCellGoesFromSheet195x6ToPixel149x19) {
    Enter(0, 0, 5, true);
    Draw();
    EXPECT_EQ(MarkX(5), 195);
    EXPECT_EQ(MarkY(5, false), 6);
    EXPECT_TRUE(Shows(195, 6, 6, 149, 19));
}

TEST_F(DrawTest, NineMarksFormAThreeByThreeBlockInTheCell) {
    for (int d = 1; d <= 9; ++d) {
        Enter(6, 7, d, true);
    }
    Draw();
    for (int d = 1; d <= 9; ++d) {
        EXPECT_TRUE(Shows(MarkX(d), MarkY(d, false), 6, CellX(6) + (d - 1) % 3 * 6 + 1,
                          CellY(7) + (d - 1) / 3 * 6 + 1))
            << d;
    }
}

TEST_F(DrawTest, MarkForADigitPlacedElsewhereTurnsIllegalOnlyWithFlagIllegalAndOwnMarks) {
    Enter(1, 0, 5, true);
    Enter(1, 0, 2, true);
    Enter(7, 0, 5);                  // 5 now stands in the mark's row
    const int x = CellX(1) + 1 + 6;  // mark 5 sits in the middle of the block
    const int y = CellY(0) + 1 + 6;
    const int x2 = CellX(1) + 1 + 6;  // mark 2: top middle
    const int y2 = CellY(0) + 1;
    options.SetFlagIllegal(true);
    Draw();
    EXPECT_TRUE(Shows(MarkX(5), MarkY(5, true), 6, x, y));
    EXPECT_TRUE(Shows(MarkX(2), MarkY(2, false), 6, x2, y2));
    options.SetFlagIllegal(false);
    Draw();
    EXPECT_TRUE(Shows(MarkX(5), MarkY(5, false), 6, x, y));
    // Auto Pencilmarks: the legal candidates, never illegal; 5 is not among them.
    options.SetFlagIllegal(true);
    options.SetAutoPencilmarks(true);
    Draw();
    EXPECT_TRUE(ShowsNone(MarkX(5), MarkY(5, true), 6, x, y));
    EXPECT_TRUE(ShowsNone(MarkX(5), MarkY(5, false), 6, x, y));
    for (int d : {1, 2, 3, 4, 6, 7, 8, 9}) {
        EXPECT_TRUE(Shows(MarkX(d), MarkY(d, false), 6, CellX(1) + (d - 1) % 3 * 6 + 1,
                          CellY(0) + (d - 1) / 3 * 6 + 1))
            << d;
    }
}

TEST_F(DrawTest, CustomEntryShowsNoMarks) {
    Enter(2, 2, 3, true);
    options.SetAutoPencilmarks(false);
    options.SetCustomEntry(true);
    Draw();
    for (bool illegal : {false, true}) {
        EXPECT_TRUE(ShowsNone(MarkX(3), MarkY(3, illegal), 6, CellX(2) + 13, CellY(2) + 1));
    }
}

// --- Frames ---

TEST_F(DrawTest, SelectionFrameSitsOnePixelLowInCellAndKeySelectOnly) {
    ASSERT_TRUE(game.SelectCell(2, 3, false));
    game.SetNumber(4);
    const struct {
        int mode;
        bool cellFrame;
    } cases[] = {{kCellSelect, true}, {kNumberSelect, false}, {kKeySelect, true}};
    for (const auto& c : cases) {
        options.SetInputMode(c.mode);
        Draw();
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(Shows(kFrameX, kSelectionY, 21, CellX(2), CellY(3) + 1), c.cellFrame);
        // Number Select frames the current number in the palette, one pixel to the right.
        const bool paletteFrame = c.mode == kNumberSelect;
        EXPECT_EQ(Shows(kFrameX, kSelectionY, 21, PaletteX(4) + 1, PaletteY()), paletteFrame);
        EXPECT_TRUE(ShowsNone(kFrameX, kSelectionY, 21, PaletteX(4), PaletteY()));
    }
}

TEST_F(DrawTest, NoSelectionNoFrameAndHalfSelectionIsNone) {
    options.SetInputMode(kKeySelect);
    Draw();
    EXPECT_TRUE(ShowsNone(kFrameX, kSelectionY, 21, CellX(0), CellY(0) + 1));
    ASSERT_TRUE(game.SelectCell(0, 0, true));
    Draw();
    EXPECT_TRUE(Shows(kFrameX, kSelectionY, 21, CellX(0), CellY(0) + 1));
}

TEST_F(DrawTest, HintFrameOnTheHintCellUntilCleared) {
    game.SetHint(8, 5);
    Draw();
    EXPECT_TRUE(Shows(kFrameX, kHintY, 21, CellX(8), CellY(5) + 1));
    game.ClearHint();
    Draw();
    EXPECT_TRUE(ShowsNone(kFrameX, kHintY, 21, CellX(8), CellY(5) + 1));
}

// --- Palette ---

TEST_F(DrawTest, LimitNumbersGreysOutIllegalDigitsOnlyInCellSelectWithASelection) {
    Enter(0, 4, 7);  // 7 in row 4
    ASSERT_TRUE(game.SelectCell(5, 4, false));
    options.SetLimitNumbers(true);
    const struct {
        int mode;
        bool custom;
        bool limited;
    } cases[] = {{kCellSelect, false, true},
                 {kNumberSelect, false, false},
                 {kKeySelect, false, false},
                 {kCellSelect, true, false}};
    for (const auto& c : cases) {
        options.SetInputMode(c.mode);
        options.SetCustomEntry(c.custom);
        Draw();
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " custom " << c.custom);
        EXPECT_TRUE(
            Shows(DigitX(7), c.limited ? kNotAllowed : kEntry, 21, PaletteX(7), PaletteY()));
        EXPECT_TRUE(Shows(DigitX(6), kEntry, 21, PaletteX(6), PaletteY()));
    }
    // With no cell selected every digit is drawn allowed.
    options.SetInputMode(kCellSelect);
    options.SetCustomEntry(false);
    game.Reset();
    Draw();
    for (int d = 1; d <= 9; ++d) {
        EXPECT_TRUE(Shows(DigitX(d), kEntry, 21, PaletteX(d), PaletteY())) << d;
    }
}

TEST_F(DrawTest, KeySelectFramesThePaletteDigitsTheSelectedEmptyCellMayHold) {
    options.SetInputMode(kKeySelect);
    Enter(3, 0, 1);  // row 0 holds 1, column 2 holds 9, box 0 holds 4
    Enter(2, 8, 9);
    Enter(1, 1, 4);
    Enter(2, 2, 6, true);
    Enter(2, 2, 9, true);
    ASSERT_TRUE(game.SelectCell(2, 0, true));
    const auto framed = [&] {
        std::string s;
        for (int d = 1; d <= 9; ++d) {
            s += Shows(kFrameX, kHintY, 21, PaletteX(d), PaletteY()) ? char('0' + d) : '.';
        }
        return s;
    };
    options.SetAutoPencilmarks(true);
    Draw();
    EXPECT_EQ(framed(), ".23.5678.");  // legal in (2, 0)
    options.SetAutoPencilmarks(false);
    Draw();
    EXPECT_EQ(framed(), ".........");  // pencil mode off
    game.SetPencilMode(true);
    ASSERT_TRUE(game.SelectCell(2, 2, true));
    Draw();
    EXPECT_EQ(framed(), ".....6..9");          // the player's marks
    ASSERT_TRUE(game.SelectCell(3, 0, true));  // a filled cell
    Draw();
    EXPECT_EQ(framed(), ".........");
}

// --- Crosshatching ---

TEST_F(DrawTest, CrosshatchingCrossesTheRowColumnAndEmptyBoxCellsOfTheCurrentNumber) {
    Enter(4, 4, 3);
    options.SetInputMode(kNumberSelect);
    options.SetCrosshatching(true);
    game.SetNumber(3);
    Draw();
    const uint32_t paper = Rgb(98, 98, 96);
    const int gx = game.GetGridX();
    const int gy = game.GetGridY();
    for (int i = 0; i < 189; ++i) {
        ASSERT_EQ(out.At(gx + i, gy + 94), paper) << i;
        ASSERT_EQ(out.At(gx + 94, gy + i), paper) << i;
    }
    EXPECT_NE(out.At(gx + 189, gy + 94), paper);  // the end point is left out
    EXPECT_NE(out.At(gx + 94, gy + 189), paper);
    // Empty (3, 3): lines across the centre box only, through the cell's centre.
    for (int i = 63; i < 126; ++i) {
        EXPECT_EQ(out.At(gx + i, gy + 73), paper) << i;
        EXPECT_EQ(out.At(gx + 73, gy + i), paper) << i;
    }
    EXPECT_NE(out.At(gx + 62, gy + 73), paper);
    EXPECT_NE(out.At(gx + 126, gy + 73), paper);
    // A cell outside the row, column and box is left alone.
    EXPECT_EQ(out.At(gx + 10, gy + 10), BoardPixel(gx + 10, gy + 10));
}

TEST_F(DrawTest, CrosshatchColourBySkinAndOnlyInNumberSelect) {
    Enter(0, 0, 6);
    game.SetNumber(6);
    options.SetCrosshatching(true);
    const int gx = game.GetGridX();
    const int y = game.GetGridY() + 10;
    const struct {
        int skin;
        uint32_t colour;
    } skins[] = {{0, Rgb(98, 98, 96)},
                 {1, Rgb(142, 115, 59)},
                 {2, Rgb(211, 224, 231)},
                 {5, Rgb(211, 224, 231)}};
    options.SetInputMode(kNumberSelect);
    for (const auto& s : skins) {
        options.SetSkin(s.skin);
        Draw();
        EXPECT_EQ(out.At(gx + 100, y), s.colour) << s.skin;
    }
    options.SetInputMode(kCellSelect);
    Draw();
    EXPECT_EQ(out.At(gx + 100, y), BoardPixel(gx + 100, y));
    options.SetInputMode(kNumberSelect);
    options.SetCrosshatching(false);
    Draw();
    EXPECT_EQ(out.At(gx + 100, y), BoardPixel(gx + 100, y));
}

// --- Clock ---

TEST(ClockTextTest, MinutesStopAtFiftyNineWhileSecondsGoOn) {
    const struct {
        int32_t ms;
        const char* text;
    } cases[] = {{0, "00:00"},       {999, "00:00"},     {65000, "01:05"},
                 {600000, "10:00"},  {3599000, "59:59"}, {3600000, "59:00"},
                 {3661000, "59:01"}, {-1000, "00:00"},   {2147483647, "59:23"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CGame::FormatClock(c.ms), c.text) << c.ms;
    }
}

class ClockTest : public DrawTest {
protected:
    static constexpr uint32_t kPaper = Rgb(255, 255, 255);

    static Bitmap Blank(SScreenSize size) { return Bitmap(size.width, size.height, kPaper); }
    // The number of pixels in which two images of one size differ.
    static int Differences(const Bitmap& a, const Bitmap& b) {
        int n = 0;
        for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
            n += a.pixels[i] != b.pixels[i] ? 1 : 0;
        }
        return n;
    }

    // The clock alone, drawn on a blank image.
    Bitmap DrawClockOnly(SScreenSize size, bool toBackBuffer) {
        screen.SetScreenSize(size);
        game.ApplyLayout();
        Bitmap back(size.width, size.height, kPaper);
        Bitmap window(size.width, size.height, kPaper);
        CImageCanvas backCanvas(back);
        CImageCanvas windowCanvas(window);
        const CBackBufferScope scope(graphics, backCanvas);
        graphics.SetWindowSurface(&windowCanvas);
        game.DrawClock(toBackBuffer);
        graphics.SetWindowSurface(nullptr);
        EXPECT_EQ(Differences(toBackBuffer ? window : back, Blank(size)), 0)
            << "drawn on the other surface";
        return toBackBuffer ? back : window;
    }
    // The text drawn directly where the clock should be.
    static Bitmap Expected(SScreenSize size, int x, int y, const char* text, uint32_t colour) {
        Bitmap bmp(size.width, size.height, kPaper);
        CImageCanvas canvas(bmp);
        canvas.DrawTextAt(x, y, size.width, text, colour);
        return bmp;
    }
};

TEST_F(ClockTest, PlaceFollowsTheLayoutInUse) {
    game.SetElapsed(65000);
    // Screens that take the 480 x 272 layout show the clock in black left of the grid, in
    // every skin; screens that take the 320 x 240 layout, whatever their height, show none.
    const struct {
        SScreenSize screen;
        int skin;
        bool clock;
    } cases[] = {
        {{480, 272}, 0, true},  {{480, 272}, 2, true},  {{800, 600}, 1, true},
        {{480, 640}, 0, true},  {{480, 640}, 7, true},  {{240, 320}, 0, false},
        {{320, 320}, 1, false}, {{320, 320}, 2, false}, {{320, 240}, 0, false},
        {{480, 240}, 0, false},
    };
    for (const auto& c : cases) {
        options.SetSkin(c.skin);
        SCOPED_TRACE(testing::Message()
                     << c.screen.width << "x" << c.screen.height << " skin " << c.skin);
        const Bitmap drawn = DrawClockOnly(c.screen, true);
        if (!c.clock) {
            EXPECT_EQ(Differences(drawn, Blank(c.screen)), 0);
            continue;
        }
        const Bitmap expected = Expected(c.screen, 24, 112, "01:05", Rgb(0, 0, 0));
        EXPECT_GT(Differences(expected, Blank(c.screen)), 20);
        EXPECT_EQ(Differences(drawn, expected), 0);
    }
}

TEST_F(ClockTest, TickDrawsOnTheWindow) {
    game.SetElapsed(3600000);
    const Bitmap window = DrawClockOnly({480, 272}, false);
    EXPECT_EQ(Differences(window, Expected({480, 272}, 24, 112, "59:00", Rgb(0, 0, 0))), 0);
}

}  // namespace
