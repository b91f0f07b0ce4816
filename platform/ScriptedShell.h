// ScriptedShell: desktop services answered from a queue and written to a log, for script mode
// and tests.
#pragma once

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Shell.h"

// Message boxes take the next queued answer (an OK box is always answered "ok"; with nothing
// queued a Yes/No box is answered "no"). Every message box, page and close request is written
// as one line to the log, in the form of the script mode's log:
//   message NAME STYLE ANSWER "TEXT"      (STYLE ok, info or yesno)
//   tutorial PATH
class ScriptedShell : public IShell {
public:
    enum class Answer { kOk, kYes, kNo };

    explicit ScriptedShell(std::ostream* log = nullptr) : m_log(log) {}

    void QueueAnswer(Answer a) { m_answers.push_back(a); }
    // Called on a close request; without a handler the request is only counted.
    void SetCloseHandler(std::function<void()> handler) { m_onClose = std::move(handler); }

    int ShowMessage(std::string_view name, std::string_view text, MsgStyle style) override;
    void CloseApplication() override;
    void OpenPage(const std::filesystem::path& page, std::string_view relative) override;

    // What was asked, one log line each, for tests.
    const std::vector<std::string>& Lines() const { return m_lines; }
    int CloseRequests() const { return m_closeRequests; }

private:
    void Log(std::string line);

    std::ostream* m_log;
    std::deque<Answer> m_answers;
    std::vector<std::string> m_lines;
    std::function<void()> m_onClose;
    int m_closeRequests = 0;
};
