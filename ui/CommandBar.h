// CCommandBar: the command bar on top of the device screen: the soft keys, the toolbar buttons
// and their image strip, the held button with its caption box, the hit test.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "res/Commands.h"

// A command's update rule: whether it is enabled and whether its item is checked.
struct SCommandState {
    bool enabled = true;
    bool checked = false;

    bool operator==(const SCommandState&) const = default;
};

// The game's pencil and eraser modes, which pick the toolbar's strip and the captions of the
// two-state buttons.
struct SToolModes {
    bool pencil = false;
    bool eraser = false;
};

// What the bar reads when it is drawn or asked, and what it has done for it; the main frame
// serves it from the document, the game, the options and the view.
class ICommandBarHost {
public:
    // Whether a document with a game in play exists yet: until then the bar shows its
    // creation strip.
    virtual bool HasGame() const = 0;
    // The update rule of a command: whether it enables the command now (every command is
    // enabled while there is no document to ask).
    virtual bool IsCommandEnabled(CommandId id) const = 0;
    virtual SToolModes ToolModes() const = 0;
    // The language of the buttons' captions (0..6).
    virtual int CaptionLanguage() const = 0;
    // The width of the frame, whose right edge the Exit button stands at.
    virtual int BarWidth() const = 0;
    // Draws onto the view's part of the device screen between paints and shows the screen.
    virtual void DrawOnView(const std::function<void(ICanvas&)>& draw) = 0;
    // Repaints the whole device screen.
    virtual void Repaint() = 0;

protected:
    ~ICommandBarHost() = default;
};

// The bar holds the two soft keys (captions 310 + language and 320 + language; each opens its
// popup of menu 110 + language) and the toolbar buttons of toolbar 110 (Quick New Game,
// Pencilmarks, Eraser, Undo, Hint, then Exit at the right), their images cut from a strip
// picked when the bar is drawn: bitmap 110 while the bar is disabled or has no game, otherwise
// 132, 134, 135 or 136 by the pencil and eraser modes. Buttons show the enabled state of their
// command's update rule.
//
// Geometry of the bar, in device pixels (it fits a screen 320 pixels wide):
//
//   x  0    2        68 70       136     144   166 168 ...        W-24    W-2
//      +----+--------+--+--------+-------+------+---+--- ... ---+-----+------+
//      |    | Game   |  |Options |       | QNG  |   | Pencil... |     | Exit |   rows 3..24
//      +----+--------+--+--------+-------+------+---+--- ... ---+-----+------+
//      row 27: a one-pixel bottom border
//
//   - the bar: rows 0..27, light grey, a darker line on row 27;
//   - soft key k (0 Game, 1 Options): a framed text button kSoftKeyWidth wide at
//     x = 2 + k * (kSoftKeyWidth + 2), rows 3..24, its caption centred;
//   - toolbar button i of the five game buttons: kButtonSize square at x = 144 + i * 24, rows
//     3..24, its 16 x 16 image 3 pixels in (magenta shows the bar through); Exit likewise at
//     x = W - 24, W the frame's width. A held button is drawn sunken, a disabled one greyed.
class CCommandBar {
public:
    static constexpr int kSoftKeyWidth = 66;
    static constexpr int kButtonTop = 3;
    static constexpr int kButtonSize = 22;
    static constexpr int kFirstButtonX = 144;
    static constexpr int kButtonStep = 24;
    static constexpr int kImageSize = 16;
    // The caption box stands on this row of the view's client area.
    static constexpr int kCaptionBottom = 17;

    // The built-in bitmaps by id (res::BitmapResource); a test may give other bytes.
    using BitmapSource = std::span<const uint8_t> (*)(int id);

    // The host must outlive the bar. The bar is not built until Build.
    explicit CCommandBar(ICommandBarHost& host, BitmapSource bitmaps = nullptr);

    // Builds a bar in language `language` (an index outside 0..6 gets the English one), with no
    // button held. False, and "Failed to create CommandBar\n" on standard error, when its strips
    // cannot be read: the bar then has no soft keys or buttons.
    bool Build(int language);
    // Build, and enable the bar when it was built.
    void Rebuild(int language);
    void Enable(bool enabled) { m_enabled = enabled; }
    bool IsEnabled() const { return m_enabled; }
    // The language of the soft keys and of the menus they open (0..6).
    int Language() const { return m_language; }

    // The toolbar strip by the state of the bar and the modes: 110 unless `live` (the bar is
    // enabled and has a game), else 132, 134 (pencil), 135 (eraser) or 136 (both).
    static int StripFor(bool live, SToolModes modes);
    // The strip the bar is drawn with now.
    int ToolbarImage() const;

    // A button pressed or released by the program (not by the player): no caption box.
    void SetButtonPressed(CommandId command, bool pressed);
    std::optional<CommandId> PressedButton() const { return m_pressed; }

    // What a point of the bar (device coordinates, y < kCommandBarHeight) hits. A disabled bar,
    // or one that could not be built, hits nothing.
    struct SBarHit {
        enum class Kind { kNone, kGameKey, kOptionsKey, kButton } kind = Kind::kNone;
        CommandId command{};  // kButton
        int left = 0;         // the key's or button's rectangle, for placing a popup menu
        int width = 0;
    };
    SBarHit HitTest(int32_t x, int32_t y) const;
    // A toolbar button held down: shows its caption box when the bar is enabled and the
    // command's rule enables it; gives whether it did. Let go: repaints the screen, which
    // removes the box.
    bool OnButtonDown(CommandId command);
    void OnButtonUp(CommandId command);
    // The caption of a toolbar button in the host's caption language, the part in use for the
    // two-state ones (before the line feed while the mode is off, after it while it is on);
    // empty for a command without a button.
    std::string ButtonCaption(CommandId command) const;

    // A button's rectangle on the device screen; empty for a command without a button.
    SRect ButtonRect(CommandId command) const;
    // The caption box for a text of this size over a button centred on `centreX`: text width
    // + 6 wide, text height + 2 high, its bottom edge on row kCaptionBottom of the view, its
    // left edge at centreX - width / 2, moved inside a screen `screenWidth` wide when it would
    // cross one of its edges.
    static SRect CaptionBox(STextSize text, int centreX, int screenWidth);

    // Draws the bar into the top kCommandBarHeight rows, the host's width wide.
    void Draw(ICanvas& canvas) const;

    // Strip 110 and the four strips of the modes.
    static constexpr std::size_t kStripCount = 5;

private:
    // The soft keys' rectangles, Game then Options.
    static SRect SoftKeyRect(int index);
    // The strip of an id; strip 110 when that one could not be read.
    const Bitmap& Strip(int id) const;

    ICommandBarHost& m_host;
    BitmapSource m_bitmaps;
    bool m_built = false;
    bool m_enabled = false;
    int m_language = 0;
    std::array<Bitmap, kStripCount> m_strips;  // by StripIndex
    std::optional<CommandId> m_pressed;
};
