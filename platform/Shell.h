// IShell: the desktop services behind message boxes, file and modal dialogs, closing the
// program and opening pages.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

class IDialog;

// Message box styles and answers, with the platform's numbers.
enum class MsgStyle : int { kOk = 0, kYesNo = 4, kInfo = 64 };
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// One implementation runs the real desktop (platform/qt), another answers from a script and
// records what was asked (platform/ScriptedShell.h).
class IShell {
public:
    virtual ~IShell() = default;

    // Shows a message box with the application's title; gives the button pressed (kIdOk,
    // kIdYes or kIdNo). `name` is the message's name in the message list ("MsgFilesMissing"),
    // used by the script log.
    virtual int ShowMessage(std::string_view name, std::string_view text, MsgStyle style) = 0;

    // Asks the application to close in the orderly way (autosave and options written); when
    // there is no main window yet, ends the process at once with exit status 1.
    virtual void CloseApplication() = 0;

    // Opens a local page with the desktop's browser. `relative` is the page's path relative to
    // the program folder, with '/' (for the log).
    virtual void OpenPage(const std::filesystem::path& page, std::string_view relative) = 0;

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
};
