// The browser's services behind the game: the page's boxes, dialogs, files, timers, sound,
// focus and canvas, each a call into the page's script (library.js, site/app.js).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Foreground.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/Timers.h"
#include "platform/Window.h"

// Message boxes, the file boxes and the three dialogs are HTML over the device screen; the
// game's call waits for the player's answer (the page's script resumes it, Asyncify). Load
// takes a file from the player's device into the in-memory file system; Save writes into it,
// and the page downloads the file once the game has written it (TakeDownload). Closing the
// game is noted and done by the page once the event that asked has ended (TakeCloseRequest).
class CWebShell : public IShell {
public:
    // The language the boxes' own words are in: the game's.
    explicit CWebShell(std::function<int()> language) : m_language(std::move(language)) {}

    int ShowMessage(std::string_view name, std::string_view text, MsgStyle style,
                    const SMessageDetail& detail = {}) override;
    void ShowMessageWhenUp(std::string_view name, std::string_view text,
                           const SMessageDetail& detail) override;
    void CloseApplication() override { m_closeRequested = true; }
    SPageOpen OpenPage(const std::filesystem::path& page, std::string_view relative) override;
    std::optional<std::filesystem::path> AskOpenFile(std::string_view filter,
                                                     std::string_view extension) override;
    std::optional<std::filesystem::path> AskSaveFile(std::string_view proposed,
                                                     std::string_view filter,
                                                     std::string_view extension) override;
    int RunDialog(IDialog& dialog) override;
    // The page shows that it is working, gets a moment to paint that, and the work runs,
    // giving the page a frame now and then (CBoard::SetSearchHook) while it holds the input.
    void RunLong(const std::function<void()>& work) override;

    // The game is up: the boxes held back until then are shown.
    void SetStarted();
    bool TakeCloseRequest() { return std::exchange(m_closeRequested, false); }
    // A file Save wrote, handed to the page as a download; false when there is none.
    bool TakeDownload();

    // Where Load puts the player's files and Save writes the files to download.
    static constexpr const char* kUploadFolder = "/upload";
    static constexpr const char* kDownloadFolder = "/download";

private:
    struct SPendingBox {
        std::string name;
        std::string text;
        std::string detail;
        bool warning;
    };
    std::function<int()> m_language;
    bool m_started = false;
    bool m_closeRequested = false;
    std::vector<SPendingBox> m_pending;
    std::optional<std::filesystem::path> m_download;
};

// Ticks from the page's setInterval, delivered as events (web_tick).
class CWebTimers : public ITimers {
public:
    void StartTimer(int id, int periodMs, std::function<void()> onTick) override;
    void StopTimer(int id) override;
    // A tick of timer `id`; nothing when it was stopped meanwhile.
    void Tick(int id);

private:
    std::vector<std::pair<int, std::function<void()>>> m_timers;
};

// The splash sound through the page's <audio>, when the browser lets the page play one.
class CWebSound : public ISound {
public:
    void PlayAsync(const std::filesystem::path& wav) override;
};

// The page is visible, has the focus and no box or dialog of the page stands over the game.
class CWebForeground : public IForeground {
public:
    bool IsMainWindowForeground() const override;
};

// The device screen on the page's <canvas>.
class CWebWindow : public IWindow {
public:
    void Present(const Bitmap& deviceScreen, bool splash) override;

private:
    std::vector<uint8_t> m_rgba;
};
