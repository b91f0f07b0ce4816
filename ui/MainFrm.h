// CMainFrame: the main window: its creation steps, the splash timer, and the device screen
// composed of the command bar it owns and the view.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Screen.h"
#include "res/Commands.h"
#include "ui/CommandBar.h"
#include "ui/SudokuView.h"

class CGameRoot;
class ICanvasFactory;
class ISound;
class ITimers;
class IWindow;

// The device screen is one image: the command bar (kCommandBarHeight rows, ui/CommandBar.h) on
// top, the view below. The frame owns the bar and serves what it reads (the document's rules,
// the game's modes, the options' language, the view). The English bar of the frame's creation is
// disabled; every rebuilt bar is enabled, so the bar in the stored language, which replaces it at
// the first new document before the window shows, serves during the splash too.
//
// Fonts are the canvas's (platform/Canvas.h): the window draws with Qt's pinned font, which has
// Latin, Cyrillic and Chinese letters, tests with the plain canvas's built-in one.
// The update rules of the commands, which the frame asks as it draws the bar; the document
// serves them.
class ICommandRules {
public:
    virtual SCommandState Update(CommandId id) const = 0;

protected:
    ~ICommandRules() = default;
};

class CMainFrame final : public IViewHost, private ICommandBarHost {
public:
    static constexpr int kSplashTimer = 1;
    static constexpr int kSplashPeriodMs = 200;
    static constexpr int kSplashTicks = 15;
    // The frame is at most this high (the device's screen), unless stretched over a square one.
    static constexpr int kFrameHeight = 272;

    using BitmapSource = CCommandBar::BitmapSource;
    using SBarHit = CCommandBar::SBarHit;

    // The root, the services and the canvas factory must outlive the frame.
    CMainFrame(CGameRoot& root, ITimers& timers, ISound& sound, IWindow& window,
               ICanvasFactory& canvases, BitmapSource bitmaps = nullptr);
    // Stops the splash timer.
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    void SetView(CSudokuView* view) { m_view = view; }
    // The rules of the document in play; until they are set every command is enabled and the
    // bar shows its creation strip.
    void SetRules(const ICommandRules* rules) { m_rules = rules; }

    // The creation steps: an English bar, disabled; frame timer 1; the splash sound, without
    // waiting; the frame's size (the screen's width, 272 rows at most). Gives 0, or -1 when the
    // bar cannot be built ("Failed to create CommandBar\n" on standard error).
    int OnCreate();
    // Replaces the bar by one in language `language` (CCommandBar::Rebuild) and presents the
    // device screen. When the bar cannot be built, the trace is written and the frame keeps a
    // bar without soft keys or buttons.
    void RebuildCommandBar(int language);

    // The command bar's own functions (ui/CommandBar.h).
    void EnableCommandBar(bool enabled) { m_bar.Enable(enabled); }
    bool IsCommandBarEnabled() const { return m_bar.IsEnabled(); }
    int BarLanguage() const { return m_bar.Language(); }
    int ToolbarImage() const { return m_bar.ToolbarImage(); }
    void SetButtonPressed(CommandId command, bool pressed) {
        m_bar.SetButtonPressed(command, pressed);
    }
    std::optional<CommandId> PressedButton() const { return m_bar.PressedButton(); }
    SBarHit HitTest(int32_t x, int32_t y) const { return m_bar.HitTest(x, y); }
    // A toolbar button pressed and released: each is one event of the view (one paint at most).
    bool OnButtonDown(CommandId command);
    void OnButtonUp(CommandId command);
    std::string ButtonCaption(CommandId command) const { return m_bar.ButtonCaption(command); }
    SRect ButtonRect(CommandId command) const { return m_bar.ButtonRect(command); }
    static SRect CaptionBox(STextSize text, int centreX, int screenWidth) {
        return CCommandBar::CaptionBox(text, centreX, screenWidth);
    }

    // Frame timer 1: the next splash frame; the fifteenth tick ends the splash.
    void OnTimer(int id);
    void StopSplashTimer();
    // The splash has ended (CSudokuView::EndSplash): the bar is enabled, the timer stops.
    void OnSplashEnd() override;
    // A held toolbar button comes up (Enter, a language change): the two-state buttons are
    // pressed and released again, and the bar is shown once the view has painted; a bar with no
    // button held stays as it is.
    void ReleaseToolbarButtons() override;
    int SplashTicks() const { return m_splashTicks; }

    // The frame's size: the emulated screen's width and at most 272 rows; the whole screen
    // when the view has stretched it over a square screen.
    SScreenSize FrameSize() const override { return m_frameSize; }
    void StretchToScreen();
    void StretchOverSquareScreen() override;
    // Set while the Language dialog is open and not confirmed with OK; the square-screen
    // stretch waits for it.
    void SetLanguageDlgOpen(bool open) { m_languageDlgOpen = open; }
    bool IsLanguageDlgOpen() const { return m_languageDlgOpen; }

    // Draws the command bar into the top rows of the device screen, copies the view's window
    // surface below it and shows the result through the window.
    void Present();
    void PresentScreen() override { Present(); }
    bool ShowsEachPicture() const override;
    // Presents the device screen once the view has painted (after a change of the bar), at the
    // end of the event under way (CSudokuView::InvalidateScreen).
    void Refresh();
    const Bitmap& DeviceScreen() const { return m_screen; }

private:
    // What the bar reads and has done for it.
    bool HasGame() const override { return m_rules != nullptr; }
    bool IsCommandEnabled(CommandId id) const override;
    SToolModes ToolModes() const override;
    int CaptionLanguage() const override;
    int BarWidth() const override { return m_frameSize.width; }
    void DrawOnView(const std::function<void(ICanvas&)>& draw) override;
    void Repaint() override;

    CGameRoot& m_root;
    ITimers& m_timers;
    ISound& m_sound;
    IWindow& m_window;
    ICanvasFactory& m_canvases;
    CSudokuView* m_view = nullptr;
    const ICommandRules* m_rules = nullptr;

    CCommandBar m_bar;
    int m_splashTicks = 0;
    bool m_languageDlgOpen = false;
    SScreenSize m_frameSize{};
    Bitmap m_screen;  // the device screen
};
