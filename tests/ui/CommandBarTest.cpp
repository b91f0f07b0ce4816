// The command bar on its own, through a host of the test: the strip it draws its buttons from.
#include <gtest/gtest.h>

#include "platform/BmpReader.h"
#include "platform/ImageCanvas.h"
#include "platform/Screen.h"
#include "res/Bitmaps.h"
#include "ui/CommandBar.h"

namespace {

class TestHost final : public ICommandBarHost {
public:
    bool HasGame() const override { return hasGame; }
    bool IsCommandEnabled(CommandId) const override { return true; }
    SToolModes ToolModes() const override { return modes; }
    int CaptionLanguage() const override { return 0; }
    int BarWidth() const override { return 480; }
    void DrawOnView(const std::function<void(ICanvas&)>&) override {}
    void Repaint() override {}

    bool hasGame = true;
    SToolModes modes;
};

// Whether the button of `command` shows image `index` of `strip`, its magenta left out.
bool ShowsImage(const Bitmap& screen, const SRect& button, const Bitmap& strip, int index) {
    constexpr int kInset = (CCommandBar::kButtonSize - CCommandBar::kImageSize) / 2;
    for (int y = 0; y < CCommandBar::kImageSize; ++y) {
        for (int x = 0; x < CCommandBar::kImageSize; ++x) {
            const uint32_t p = strip.At(index * CCommandBar::kImageSize + x, y);
            if (!IsKeyColour(p) &&
                screen.At(button.left + kInset + x, button.top + kInset + y) != p) {
                return false;
            }
        }
    }
    return true;
}

// Drawing asks the modes each time and sets nothing: a bar that is disabled, or has no game
// yet, draws from strip 110 (which has no Exit image), every other one from the strip of the
// modes.
TEST(CommandBarTest, DrawsFromTheStripOfTheModesOnlyWhileEnabledWithAGame) {
    const struct {
        bool enabled, hasGame, pencil, eraser;
        int strip;
    } rows[] = {
        {false, true, true, true, res::kToolbarBitmap},
        {true, false, true, false, res::kToolbarBitmap},
        {true, true, false, false, res::kToolbarPlain},
        {true, true, true, false, res::kToolbarPencil},
        {true, true, false, true, res::kToolbarEraser},
        {true, true, true, true, res::kToolbarBoth},
    };
    TestHost host;
    CCommandBar bar(host);
    ASSERT_TRUE(bar.Build(0));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.strip);
        bar.Enable(row.enabled);
        host.hasGame = row.hasGame;
        host.modes = {row.pencil, row.eraser};
        EXPECT_EQ(bar.ToolbarImage(), row.strip);
        Bitmap screen(480, kCommandBarHeight);
        CImageCanvas canvas(screen);
        bar.Draw(canvas);
        Bitmap strip;
        ASSERT_TRUE(DecodeBmp(res::BitmapResource(row.strip), strip));
        if (row.enabled) {
            EXPECT_TRUE(ShowsImage(screen, bar.ButtonRect(CommandId::kPencilmarks), strip, 1));
            EXPECT_TRUE(ShowsImage(screen, bar.ButtonRect(CommandId::kEraser), strip, 2));
        }
        const SRect exit = bar.ButtonRect(CommandId::kExit);
        const bool exitImage =
            screen.At(exit.left + exit.Width() / 2, exit.top + exit.Height() / 2) !=
            screen.At(exit.left + 1, exit.top + 1);
        EXPECT_EQ(exitImage, row.strip != res::kToolbarBitmap);
    }
}

}  // namespace
