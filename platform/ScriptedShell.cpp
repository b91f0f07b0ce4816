// ScriptedShell: desktop services answered from a queue and written to a log, for script mode
// and tests.
#include "platform/ScriptedShell.h"

int ScriptedShell::ShowMessage(std::string_view name, std::string_view text, MsgStyle style) {
    Answer answer = style == MsgStyle::kYesNo ? Answer::kNo : Answer::kOk;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    if (style != MsgStyle::kYesNo) {
        answer = Answer::kOk;
    } else if (answer == Answer::kOk) {
        answer = Answer::kNo;  // only yes continues the guarded action
    }
    const char* styleName = style == MsgStyle::kYesNo  ? "yesno"
                            : style == MsgStyle::kInfo ? "info"
                                                       : "ok";
    const char* answerName = answer == Answer::kYes ? "yes" : answer == Answer::kNo ? "no" : "ok";
    Log("message " + std::string(name) + " " + styleName + " " + answerName + " \"" +
        std::string(text) + "\"");
    return answer == Answer::kYes ? kIdYes : answer == Answer::kNo ? kIdNo : kIdOk;
}

void ScriptedShell::CloseApplication() {
    ++m_closeRequests;
    if (m_onClose) {
        m_onClose();
    }
}

void ScriptedShell::OpenPage(const std::filesystem::path&, std::string_view relative) {
    Log("tutorial " + std::string(relative));
}

void ScriptedShell::Log(std::string line) {
    if (m_log != nullptr) {
        *m_log << line << '\n';
    }
    m_lines.push_back(std::move(line));
}
