// CMainFrame: the main window: the command bar with its soft keys and toolbar, drawn as part of
// the device screen; the splash timer; the caption box of a held toolbar button.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Screen.h"
#include "res/Commands.h"

class CGameRoot;
class CSudokuDoc;
class CSudokuView;
class ICanvas;
class ISound;
class ITimers;
class IWindow;

// The device screen is one image: the command bar (kCommandBarHeight rows) on top, the view
// below. The bar holds the two soft keys (captions 310 + language and 320 + language; each opens
// its popup of menu 110 + language) and the toolbar buttons of toolbar 110 (Quick New Game,
// Pencilmarks, Eraser, Undo, Hint, then Exit at the right), their images cut from the current
// strip (bitmap 110 at creation, then 132, 134, 135 or 136 by the pencil and eraser modes).
// Buttons show the enabled state of their command's update rule. The bar is disabled from its
// creation until the splash ends.
class CMainFrame {
public:
    static constexpr int kSplashTimer = 1;
    static constexpr int kSplashPeriodMs = 200;
    static constexpr int kSplashTicks = 15;

    CMainFrame(CGameRoot& root, ITimers& timers, ISound& sound, IWindow& window);
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    void SetView(CSudokuView* view) { m_view = view; }
    void SetDocument(CSudokuDoc* doc) { m_doc = doc; }

    // The creation steps: an English bar, disabled; frame timer 1; the splash sound, without
    // waiting; the frame's size (the screen's width, 272 rows at most). Gives 0, or -1 when the
    // bar cannot be built ("Failed to create CommandBar\n" on standard error).
    int OnCreate();
    // Replaces the bar by one in language `language` (an index outside 0..6 gets the English
    // one); the new bar is enabled.
    void RebuildCommandBar(int language);
    void EnableCommandBar(bool enabled) { m_barEnabled = enabled; }
    bool IsCommandBarEnabled() const { return m_barEnabled; }
    int BarLanguage() const { return m_barLanguage; }
    // The toolbar's image strip: bitmap 110, 132, 134, 135 or 136.
    void SetToolbarImage(int bitmapId);
    int ToolbarImage() const { return m_toolbarImage; }

    // Frame timer 1: the next splash frame; the fifteenth tick ends the splash.
    void OnTimer(int id);
    int SplashTicks() const { return m_splashTicks; }

    // The frame's size: the emulated screen's width and at most 272 rows; the whole screen
    // when the view has stretched it over a square screen.
    SScreenSize FrameSize() const { return m_frameSize; }
    void StretchToScreen();

    // What a point of the command bar (device coordinates, y < kCommandBarHeight) hits.
    struct SBarHit {
        enum class Kind { kNone, kGameKey, kOptionsKey, kButton } kind = Kind::kNone;
        CommandId command{};  // kButton
        int left = 0;         // the key's or button's rectangle, for placing a popup menu
        int width = 0;
    };
    SBarHit HitTest(int32_t x, int32_t y) const;
    // A toolbar button held down: shows its caption box when its command is enabled; gives
    // whether it did. Let go: repaints the screen, which removes the box.
    bool OnButtonDown(CommandId command);
    void OnButtonUp(CommandId command);
    // The caption of a toolbar button in the current language, the part in use for the
    // two-state ones; empty for a command without a button.
    std::string ButtonCaption(CommandId command) const;

    // Draws the command bar into the top rows of the device screen, copies the view's window
    // surface below it and shows the result through the window.
    void Present();
    const Bitmap& DeviceScreen() const { return m_screen; }

private:
    CGameRoot& m_root;
    ITimers& m_timers;
    ISound& m_sound;
    IWindow& m_window;
    CSudokuView* m_view = nullptr;
    CSudokuDoc* m_doc = nullptr;

    bool m_barBuilt = false;
    bool m_barEnabled = false;
    int m_barLanguage = 0;
    int m_toolbarImage = 110;
    Bitmap m_strip;  // the current toolbar image strip
    std::optional<CommandId> m_pressed;
    int m_splashTicks = 0;
    SScreenSize m_frameSize{};
    Bitmap m_screen;  // the device screen
};
