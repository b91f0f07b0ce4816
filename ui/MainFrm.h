// CMainFrame: the main window: the command bar with its soft keys and toolbar, drawn as part of
// the device screen; the splash timer; the caption box of a held toolbar button.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Screen.h"
#include "res/Commands.h"

class CGameRoot;
class CSudokuDoc;
class CSudokuView;
class ICanvasFactory;
class ISound;
class ITimers;
class IWindow;

// The device screen is one image: the command bar (kCommandBarHeight rows) on top, the view
// below. The bar holds the two soft keys (captions 310 + language and 320 + language; each opens
// its popup of menu 110 + language) and the toolbar buttons of toolbar 110 (Quick New Game,
// Pencilmarks, Eraser, Undo, Hint, then Exit at the right), their images cut from the current
// strip (bitmap 110 at creation, then 132, 134, 135 or 136 by the pencil and eraser modes).
// Buttons show the enabled state of their command's update rule. The English bar of the frame's
// creation is disabled; every rebuilt bar is enabled, so the bar in the stored language, which
// replaces it at the first new document before the window shows, serves during the splash too.
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
//
// Fonts are the canvas's (platform/Canvas.h): the window draws with Qt's pinned font, which has
// Latin, Cyrillic and Chinese letters, tests with the plain canvas's built-in one.
class CMainFrame {
public:
    static constexpr int kSplashTimer = 1;
    static constexpr int kSplashPeriodMs = 200;
    static constexpr int kSplashTicks = 15;
    // The frame is at most this high (the device's screen), unless stretched over a square one.
    static constexpr int kFrameHeight = 272;

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

    // The root, the services and the canvas factory must outlive the frame.
    CMainFrame(CGameRoot& root, ITimers& timers, ISound& sound, IWindow& window,
               ICanvasFactory& canvases, BitmapSource bitmaps = nullptr);
    // Stops the splash timer.
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    void SetView(CSudokuView* view) { m_view = view; }
    void SetDocument(CSudokuDoc* doc) { m_doc = doc; }

    // The creation steps: an English bar, disabled; frame timer 1; the splash sound, without
    // waiting; the frame's size (the screen's width, 272 rows at most). Gives 0, or -1 when the
    // bar cannot be built ("Failed to create CommandBar\n" on standard error).
    int OnCreate();
    // Replaces the bar by one in language `language` (an index outside 0..6 gets the English
    // one); the new bar is enabled and shows strip 110 until the document sets the strip of the
    // modes. When the bar cannot be built, the trace is written and the frame keeps a bar
    // without soft keys or buttons.
    void RebuildCommandBar(int language);
    void EnableCommandBar(bool enabled) { m_barEnabled = enabled; }
    bool IsCommandBarEnabled() const { return m_barEnabled; }
    // The language of the soft keys and of the menus they open (0..6).
    int BarLanguage() const { return m_barLanguage; }
    // The toolbar's image strip: bitmap 110, 132, 134, 135 or 136. Shown at the next
    // presentation of the device screen.
    void SetToolbarImage(int bitmapId);
    int ToolbarImage() const { return m_toolbarImage; }
    // A button pressed or released by the program (not by the player): no caption box.
    void SetButtonPressed(CommandId command, bool pressed);
    std::optional<CommandId> PressedButton() const { return m_pressed; }

    // Frame timer 1: the next splash frame; the fifteenth tick ends the splash.
    void OnTimer(int id);
    void StopSplashTimer();
    int SplashTicks() const { return m_splashTicks; }

    // The frame's size: the emulated screen's width and at most 272 rows; the whole screen
    // when the view has stretched it over a square screen.
    SScreenSize FrameSize() const { return m_frameSize; }
    void StretchToScreen();
    // Set while the Language dialog is open and not confirmed with OK; the square-screen
    // stretch waits for it.
    void SetLanguageDlgOpen(bool open) { m_languageDlgOpen = open; }
    bool IsLanguageDlgOpen() const { return m_languageDlgOpen; }

    // What a point of the command bar (device coordinates, y < kCommandBarHeight) hits. A
    // disabled bar, or one that could not be built, hits nothing.
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
    // The caption of a toolbar button in the current language, the part in use for the
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

    // Draws the command bar into the top rows of the device screen, copies the view's window
    // surface below it and shows the result through the window.
    void Present();
    bool ShowsEachPicture() const;
    // Presents the device screen once the view has painted (after a change of the bar).
    void Refresh();
    const Bitmap& DeviceScreen() const { return m_screen; }

private:
    // The soft keys' rectangles, Game then Options.
    static SRect SoftKeyRect(int index);
    // Decodes a built-in bitmap; a null Bitmap when it is missing or damaged.
    Bitmap LoadBitmap(int id) const;
    // Builds a bar: language `language`, strip 110. False when it cannot be built.
    bool BuildBar(int language);
    void DrawCommandBar(ICanvas& canvas);

    CGameRoot& m_root;
    ITimers& m_timers;
    ISound& m_sound;
    IWindow& m_window;
    ICanvasFactory& m_canvases;
    BitmapSource m_bitmaps;
    CSudokuView* m_view = nullptr;
    CSudokuDoc* m_doc = nullptr;

    bool m_barBuilt = false;
    bool m_barEnabled = false;
    int m_barLanguage = 0;
    int m_toolbarImage = 110;
    Bitmap m_strip;  // the current toolbar image strip
    std::optional<CommandId> m_pressed;
    int m_splashTicks = 0;
    bool m_languageDlgOpen = false;
    SScreenSize m_frameSize{};
    Bitmap m_screen;  // the device screen
};
