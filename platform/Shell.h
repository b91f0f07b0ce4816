// IShell: the desktop services behind message boxes, file and modal dialogs, closing the
// program and opening pages.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/FileIO.h"

class IDialog;

// Message box styles and answers, with the platform's numbers.
enum class MsgStyle : int { kOk = 0, kYesNo = 4, kInfo = 64 };
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// The second part of a message box, below its text: why something failed, in a few words of
// the game's language. A warning box shows the warning icon.
struct SMessageDetail {
    std::string_view text;
    bool warning = false;
};

// What became of a page handed to the browser: opened, or why not. Not opened with kNone means
// the desktop has no browser to open it with.
struct SPageOpen {
    bool opened = true;
    fileio::Problem problem = fileio::Problem::kNone;
};

// One implementation runs the real desktop (platform/qt), another answers from a script and
// records what was asked (platform/ScriptedShell.h).
class IShell {
public:
    virtual ~IShell() = default;

    // Shows a message box with the application's title; gives the button pressed (kIdOk,
    // kIdYes or kIdNo). `name` is the message's name in the message list ("MsgFilesMissing"),
    // used by the script log. The detail, when there is one, is shown below the text (the
    // script log leaves it out).
    virtual int ShowMessage(std::string_view name, std::string_view text, MsgStyle style,
                            const SMessageDetail& detail = {}) = 0;

    // An OK box found needed at start-up, shown once the main window is up and painted (at once
    // when there is no window to wait for). The script log has it as ShowMessage's line.
    virtual void ShowMessageWhenUp(std::string_view name, std::string_view text,
                                   const SMessageDetail& detail) = 0;

    // Asks the application to close in the orderly way (autosave and options written); when
    // there is no main window yet, ends the process at once with exit status 1.
    virtual void CloseApplication() = 0;

    // Opens a local page with the desktop's browser. `relative` is the page's path relative to
    // the program folder, with '/' (for the log). Says whether the page went to the browser.
    virtual SPageOpen OpenPage(const std::filesystem::path& page, std::string_view relative) = 0;

    // The Load and Save file dialogs, filtering on `filter` ("Sudoku Files (*.sdk)") with the
    // default extension `extension` (".sdk"); Save proposes `proposed`. nullopt when the player
    // cancels.
    virtual std::optional<std::filesystem::path> AskOpenFile(std::string_view filter,
                                                             std::string_view extension) = 0;
    virtual std::optional<std::filesystem::path> AskSaveFile(std::string_view proposed,
                                                             std::string_view filter,
                                                             std::string_view extension) = 0;

    // Runs a modal dialog until it ends; gives kIdOk or kIdCancel.
    virtual int RunDialog(IDialog& dialog) = 0;

    // Runs a piece of work that may take seconds (a solve) and returns when it has ended. The
    // work is pure engine work: it may run on another thread, so it draws nothing and touches
    // no view, timer, file or desktop service. Meanwhile the desktop keeps the window painted
    // and holds the player's input as a modal box would. Here, and in script mode, it runs at
    // once.
    virtual void RunLong(const std::function<void()>& work) { work(); }
};
