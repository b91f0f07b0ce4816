// sudoku-tool render: the saved game, the options file and the flags reach the drawing, and the
// PNG holds what the game draws.
#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

#include "engine/ByteIO.h"
#include "engine/Options.h"
#include "game/SaveFile.h"
#include "platform/FileIO.h"
#include "platform/Screen.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/tools/ToolCall.h"
#include "tests/ui/SyntheticSkin.h"
#include "tools/RenderCommand.h"

namespace fs = std::filesystem;

namespace {

using Outcome = testsupport::ToolOutcome;

Outcome Render(const tool::Args& args) {
    return testsupport::CallTool(tool::RunRender, args);
}

// Reads back a PNG file that holds 8-bit RGB pixels; null otherwise.
Bitmap ReadPng(const fs::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return {};
    }
    if (image.format != PNG_FORMAT_RGB) {
        png_image_free(&image);
        return {};
    }
    image.format = PNG_FORMAT_BGRA;  // 0xFFRRGGBB in memory, as Bitmap holds it
    Bitmap bmp(static_cast<int>(image.width), static_cast<int>(image.height));
    if (png_image_finish_read(&image, nullptr, bmp.pixels.data(), 0, nullptr) == 0) {
        return {};
    }
    return bmp;
}

class RenderTest : public ::testing::Test {
protected:
    RenderTest() {
        // Sand's folder holds the synthetic skin; Paper's a board of another colour.
        EXPECT_TRUE(
            testsupport::WriteBmp(dir / "prog" / "Skin2" / "board.bmp", testsupport::MakeBoard()));
        EXPECT_TRUE(testsupport::WriteBmp(dir / "prog" / "Skin2" / "numbers.bmp",
                                          testsupport::MakeSheet()));
        EXPECT_TRUE(testsupport::WriteBmp(dir / "prog" / "Skin1" / "board.bmp",
                                          Bitmap(480, 272, Rgb(7, 7, 7))));
    }

    std::string Path(const std::string& name) const { return (dir / name).string(); }

    // A saved game: a given 5, a player's clashing 5, marks, a selection; 65 seconds played.
    void WriteGame() {
        CRandom random(1);
        COptions options;
        CBoard board(random, options);
        board.SetGrid(testsupport::GridFrom("5"));
        ASSERT_TRUE(board.SelectCell(3, 0, false));
        board.SetNumber(5);
        board.PlaceNumber(false);
        ASSERT_TRUE(board.SelectCell(1, 1, false));
        board.SetNumber(7);
        board.PlaceNumber(true);
        board.SetElapsed(65000);
        ASSERT_TRUE(savefile::Write(dir / "game.sdk", board));
    }
    void WriteOptions(const COptions& options) {
        const COptions::Image image = options.ToImage();
        ASSERT_TRUE(fileio::WriteFileAtomically(dir / "options.cfg", image));
    }

    testsupport::TempDir temp;
    const fs::path& dir = temp.Path();
};

// A glyph of the synthetic sheet at its place in the image: (sx, sy) in the sheet, size, and
// the top-left corner (x, y) in the image.
struct Glyph {
    const char* what;
    int sx, sy, size, x, y;
};

TEST_F(RenderTest, DrawsTheSavedGameWithTheOptionsFileAndTheFlags) {
    WriteGame();
    COptions options;
    options.SetSkin(1);
    options.SetInputMode(kKeySelect);
    options.SetFlagIllegal(true);
    options.SetCrosshatching(true);
    WriteOptions(options);
    // The saved game: a given 5 at (0, 0), a player's clashing 5 at (3, 0), pencil mark 7 in
    // the selected cell (1, 1). In Key Select the selected cell is framed; with pencil mode on,
    // palette digit 7 is framed as the cell's mark.
    const Glyph given5{"given 5", 4 * 21, 21, 21, 142, 12};
    const Glyph illegal5{"illegal 5", 4 * 21, 42, 21, 142 + 63, 12};
    const Glyph mark7{"mark 7", 189, 12, 6, 142 + 21 + 1, 12 + 21 + 12 + 1};
    const Glyph selection{"selection frame", 210, 21, 21, 142 + 21, 12 + 21 + 1};
    const Glyph hint{"hint frame", 210, 42, 21, 142 + 4 * 21, 12 + 6 * 21 + 1};
    const Glyph paletteMark{"palette frame on 7", 210, 42, 21, 142 + 6 * 21, 204};
    // The 320 x 240 layout shows everything shifted by (-78, -14).
    const auto shifted = [](Glyph g) {
        g.x -= 78;
        g.y -= 14;
        return g;
    };
    const struct {
        tool::Args extra;
        SScreenSize size;
        std::vector<Glyph> shown;
        std::vector<Glyph> absent;
    } cases[] = {
        {{}, {480, 272}, {given5, illegal5, mark7, selection}, {hint, paletteMark}},
        {{"--screen", "320x240", "--hint", "4", "6"},
         {320, 240},
         {shifted(given5), shifted(illegal5), shifted(mark7), shifted(hint)},
         {shifted(paletteMark)}},
        {{"--pencil", "--clock"}, {480, 272}, {mark7, paletteMark}, {hint}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size.width);
        tool::Args args = {
            Path("game.sdk"), "-o",        Path("out.png"), "--options", Path("options.cfg"),
            "--program-dir",  Path("prog")};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const Outcome r = Render(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const Bitmap png = ReadPng(dir / "out.png");
        ASSERT_EQ(png.width, c.size.width);
        ASSERT_EQ(png.height, c.size.height - 28);
        // Sand's board picture (Paper's is flat grey), at the layout's place.
        const int shift = c.size.width == 320 ? 78 : 0;
        EXPECT_EQ(png.At(0, 0), testsupport::BoardPixel(shift, shift == 0 ? 0 : 14));
        for (const Glyph& g : c.shown) {
            EXPECT_EQ(testsupport::GlyphPixelsAt(png, g.sx, g.sy, g.size, g.x, g.y),
                      testsupport::GlyphInk(g.sx, g.sy, g.size))
                << g.what;
        }
        for (const Glyph& g : c.absent) {
            EXPECT_EQ(testsupport::GlyphPixelsAt(png, g.sx, g.sy, g.size, g.x, g.y), 0) << g.what;
        }
    }
}

TEST_F(RenderTest, HintAndClockShowWhereTheyShould) {
    WriteGame();
    const Outcome r =
        Render({Path("game.sdk"), "-o", Path("out.png"), "--program-dir", Path("prog"), "--hint",
                "4", "6", "--clock", "--options", Path("missing.cfg")});
    // An options file that is named must exist.
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("missing.cfg"), std::string::npos);

    COptions sand;
    sand.SetSkin(1);
    WriteOptions(sand);
    ASSERT_EQ(Render({Path("game.sdk"), "-o", Path("out.png"), "--program-dir", Path("prog"),
                      "--hint", "4", "6", "--clock", "--options", Path("options.cfg")})
                  .status,
              0);
    const Bitmap png = ReadPng(dir / "out.png");
    // The hint frame's top-left corner, one pixel below the cell's.
    EXPECT_EQ(png.At(142 + 4 * 21, 12 + 6 * 21 + 1), testsupport::SheetPixel(210, 42));
    // Black clock text left of the grid, none elsewhere in that panel.
    int ink = 0;
    for (int y = 112; y < 136; ++y) {
        for (int x = 24; x < 140; ++x) {
            ink += png.At(x, y) == Rgb(0, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 20);
}

TEST_F(RenderTest, WithoutAnOptionsFileTheDefaultsApply) {
    WriteGame();
    // Default skin Paper: its folder lacks numbers.bmp.
    const Outcome r =
        Render({Path("game.sdk"), "-o", Path("out.png"), "--program-dir", Path("prog")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("sudoku-tool: skin 0: cannot read Skin1/numbers.bmp", 0), 0U) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.png"));
}

TEST_F(RenderTest, BadInputGivesOneClearLineAndStatusTwo) {
    WriteGame();
    ASSERT_TRUE(fileio::WriteFileAtomically(dir / "short.sdk", std::vector<uint8_t>(1810, 0)));
    const std::string prog = Path("prog");
    const struct {
        tool::Args args;
        const char* says;
    } cases[] = {
        {{Path("short.sdk"), "-o", Path("o.png"), "--program-dir", prog}, "1811"},
        {{Path("none.sdk"), "-o", Path("o.png"), "--program-dir", prog}, "none.sdk"},
        {{Path("game.sdk"), "--program-dir", prog}, "-o"},
        {{Path("game.sdk"), "-o", Path("o.png"), "--hint", "9", "0"}, "--hint"},
        {{Path("game.sdk"), "-o", Path("o.png"), "--hint", "1"}, "--hint"},
        {{Path("game.sdk"), "-o", Path("o.png"), "--screen", "480x20"}, "--screen"},
        {{Path("game.sdk"), "-o", Path("o.png"), "--screen", "big"}, "--screen"},
        {{Path("game.sdk"), "-o", Path("o.png"), "--zoom"}, "--zoom"},
        {{"-o", Path("o.png")}, "saved game"},
    };
    for (const auto& c : cases) {
        const Outcome r = Render(c.args);
        EXPECT_EQ(r.status, 2) << c.says;
        EXPECT_EQ(r.err.rfind("sudoku-tool: ", 0), 0U) << r.err;
        const std::string first = r.err.substr(0, r.err.find('\n'));
        EXPECT_NE(first.find(c.says), std::string::npos) << first;
        EXPECT_FALSE(fs::exists(dir / "o.png"));
    }
}

}  // namespace
