// ScriptedShell: desktop services answered from a queue and written to a log, for script mode
// and tests.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Shell.h"

// Three queues, each consumed in order. Message boxes take the next queued answer (an OK box
// is always answered "ok"; with nothing queued a Yes/No box is answered "no"). File dialogs take
// the next queued file answer, a path used as given or a cancel; with nothing queued they are
// cancelled. A modal dialog takes queued actions until one ends it; when they run out first it
// ends with IDCANCEL. Pages are never handed to a browser and count as opened. Every message box,
// page and dialog is written to the log, one line each, in the form of the script mode's log
// (a message box's detail is left out):
//   message NAME STYLE ANSWER "TEXT"      (STYLE ok, info or yesno)
//   tutorial PATH
//   dialog ID
//   dialog ID end IDOK|IDCANCEL
class ScriptedShell : public IShell {
public:
    enum class Answer { kOk, kYes, kNo };

    struct SDialogAction {
        enum class Kind { kClick, kSelect, kScreenshot, kOk, kCancel };
        Kind kind = Kind::kOk;
        int control = 0;   // kClick, kSelect
        int index = 0;     // kSelect
        std::string file;  // kScreenshot
        int line = 0;      // kScreenshot: the script line that asked for it, for its errors
    };
    // Writes the device screen with the dialog open to the PNG file of a kScreenshot action (set
    // by the script runner).
    using DialogScreenshot = std::function<void(IDialog& dialog, const SDialogAction& action)>;

    explicit ScriptedShell(std::ostream* log = nullptr) : m_log(log) {}

    void QueueAnswer(Answer a) { m_answers.push_back(a); }
    // A file answer: a path, or nullopt for a cancel.
    void QueueFile(std::optional<std::filesystem::path> file) {
        m_files.push_back(std::move(file));
    }
    void QueueDialogAction(SDialogAction action) { m_dialogActions.push_back(std::move(action)); }
    void SetDialogScreenshot(DialogScreenshot screenshot) {
        m_dialogScreenshot = std::move(screenshot);
    }
    // Called on a close request; without a handler the request is only counted.
    void SetCloseHandler(std::function<void()> handler) { m_onClose = std::move(handler); }

    int ShowMessage(std::string_view name, std::string_view text, MsgStyle style,
                    const SMessageDetail& detail = {}) override;
    void ShowMessageWhenUp(std::string_view name, std::string_view text,
                           const SMessageDetail& detail) override {
        ShowMessage(name, text, MsgStyle::kOk, detail);
    }
    void CloseApplication() override;
    SPageOpen OpenPage(const std::filesystem::path& page, std::string_view relative) override;
    std::optional<std::filesystem::path> AskOpenFile(std::string_view filter,
                                                     std::string_view extension) override;
    std::optional<std::filesystem::path> AskSaveFile(std::string_view proposed,
                                                     std::string_view filter,
                                                     std::string_view extension) override;
    int RunDialog(IDialog& dialog) override;

    // What was asked, one log line each, for tests.
    const std::vector<std::string>& Lines() const { return m_lines; }
    // The detail of every message box, in order (an empty text for a box without one), which
    // the log leaves out; for tests.
    struct SShownDetail {
        std::string text;
        bool warning = false;
    };
    const std::vector<SShownDetail>& Details() const { return m_details; }
    int CloseRequests() const { return m_closeRequests; }

private:
    void Log(std::string line);
    std::optional<std::filesystem::path> NextFile();

    std::ostream* m_log;
    std::deque<Answer> m_answers;
    std::deque<std::optional<std::filesystem::path>> m_files;
    std::deque<SDialogAction> m_dialogActions;
    DialogScreenshot m_dialogScreenshot;
    std::vector<std::string> m_lines;
    std::vector<SShownDetail> m_details;
    std::function<void()> m_onClose;
    int m_closeRequests = 0;
};
