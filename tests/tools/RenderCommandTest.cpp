// sudoku-tool render: the saved game, the options file and the flags reach the drawing, and the
// PNG holds what the game draws.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <sstream>

#include "engine/ByteIO.h"
#include "game/Options.h"
#include "game/SaveFile.h"
#include "platform/DataManager.h"
#include "platform/ImageCanvas.h"
#include "platform/ScriptedShell.h"
#include "tests/support/BoardBuilder.h"
#include "tests/ui/SyntheticSkin.h"
#include "tools/RenderCommand.h"
#include "ui/Game.h"
#include "ui/Graphics.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

Outcome Render(tool::Args args) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    Outcome r;
    r.status = tool::RunRender(args, in, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

uint32_t Get32BE(const std::vector<uint8_t>& b, std::size_t at) {
    return (uint32_t{b[at]} << 24U) | (uint32_t{b[at + 1]} << 16U) | (uint32_t{b[at + 2]} << 8U) |
           uint32_t{b[at + 3]};
}

// Reads back the PNG files the writer makes (8-bit RGB, rows with filter 0); null otherwise.
Bitmap ReadPng(const fs::path& path) {
    const auto file = fileio::ReadFile(path, 16U << 20);
    if (!file || file->size() < 8) {
        return {};
    }
    const std::vector<uint8_t>& b = *file;
    int w = 0;
    int h = 0;
    std::vector<uint8_t> packed;
    for (std::size_t at = 8; at + 12 <= b.size();) {
        const uint32_t len = Get32BE(b, at);
        const std::string type(b.begin() + static_cast<std::ptrdiff_t>(at + 4),
                               b.begin() + static_cast<std::ptrdiff_t>(at + 8));
        if (at + 12 + len > b.size()) {
            return {};
        }
        if (type == "IHDR") {
            w = static_cast<int>(Get32BE(b, at + 8));
            h = static_cast<int>(Get32BE(b, at + 12));
        } else if (type == "IDAT") {
            packed.insert(packed.end(), b.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          b.begin() + static_cast<std::ptrdiff_t>(at + 8 + len));
        }
        at += 12 + len;
    }
    std::vector<uint8_t> raw(static_cast<std::size_t>(h) * (1 + 3 * static_cast<std::size_t>(w)));
    uLongf rawSize = raw.size();
    if (w <= 0 || h <= 0 ||
        uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())) !=
            Z_OK ||
        rawSize != raw.size()) {
        return {};
    }
    Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row =
            &raw[static_cast<std::size_t>(y) * (1 + 3 * static_cast<std::size_t>(w))];
        EXPECT_EQ(row[0], 0);
        for (int x = 0; x < w; ++x) {
            bmp.Set(x, y, Rgb(row[1 + 3 * x], row[2 + 3 * x], row[3 + 3 * x]));
        }
    }
    return bmp;
}

class RenderTest : public ::testing::Test {
protected:
    RenderTest() {
        char name[] = "/tmp/sudoku-render-test-XXXXXX";
        const char* made = ::mkdtemp(name);
        EXPECT_NE(made, nullptr);
        dir = made != nullptr ? made : "/nonexistent";
        // Sand's folder holds the synthetic skin; Paper's a board of another colour.
        EXPECT_TRUE(
            testsupport::WriteBmp(dir / "prog" / "Skin2" / "board.bmp", testsupport::MakeBoard()));
        EXPECT_TRUE(testsupport::WriteBmp(dir / "prog" / "Skin2" / "numbers.bmp",
                                          testsupport::MakeSheet()));
        EXPECT_TRUE(testsupport::WriteBmp(dir / "prog" / "Skin1" / "board.bmp",
                                          Bitmap(480, 272, Rgb(7, 7, 7))));
    }
    ~RenderTest() override { fs::remove_all(dir); }

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

    // The same frame drawn in process, for comparison.
    Bitmap Expected(const COptions& settings, SScreenSize size, bool pencil, bool hint,
                    bool clock) {
        CRandom random(1);
        COptions options = settings;
        CScreen screen(size);
        CGraphics graphics(screen);
        ScriptedShell shell;
        DataManager data(dir, dir, shell);
        CGame game(random, options, data, graphics);
        EXPECT_TRUE(savefile::Read(dir / "game.sdk", game));
        game.SetSkinBitmaps(testsupport::MakeBoard(), testsupport::MakeSheet());
        game.ApplyLayout();
        game.SetPencilMode(pencil);
        if (hint) {
            game.SetHint(4, 6);
        }
        Bitmap image(size.width, size.height - 28, Rgb(0, 0, 0));
        CImageCanvas canvas(image);
        graphics.SetBackBuffer(&canvas);
        game.DrawBoard();
        if (clock) {
            game.DrawClock(true);
        }
        graphics.SetBackBuffer(nullptr);
        return image;
    }

    fs::path dir;
};

TEST_F(RenderTest, DrawsTheSavedGameWithTheOptionsFileAndTheFlags) {
    WriteGame();
    COptions options;
    options.SetSkin(1);
    options.SetInputMode(kKeySelect);
    options.SetFlagIllegal(true);
    options.SetCrosshatching(true);
    WriteOptions(options);
    const struct {
        tool::Args extra;
        SScreenSize size;
        bool pencil, hint, clock;
    } cases[] = {
        {{}, {480, 272}, false, false, false},
        {{"--screen", "320x240", "--hint", "4", "6"}, {320, 240}, false, true, false},
        {{"--pencil", "--clock"}, {480, 272}, true, false, true},
    };
    for (const auto& c : cases) {
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
        const Bitmap expected = Expected(options, c.size, c.pencil, c.hint, c.clock);
        EXPECT_TRUE(png.pixels == expected.pixels) << c.size.width << " " << c.hint;
    }
    // What the comparison covers: Sand's skin, the illegal 5 and the hint frame.
    const Bitmap png = ReadPng(dir / "out.png");
    EXPECT_EQ(png.At(0, 0), testsupport::BoardPixel(0, 0));
    EXPECT_EQ(png.At(142 + 63 + 10, 12 + 10), testsupport::SheetPixel(4 * 21 + 10, 42 + 10));
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
