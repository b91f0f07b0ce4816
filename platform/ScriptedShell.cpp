// ScriptedShell: desktop services answered from a queue and written to a log, for script mode
// and tests.
#include "platform/ScriptedShell.h"

#include "platform/Dialog.h"

int ScriptedShell::ShowMessage(std::string_view name, std::string_view text, MsgStyle style,
                               const SMessageDetail& detail) {
    m_details.push_back({std::string(detail.text), detail.warning});
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

SPageOpen ScriptedShell::OpenPage(const std::filesystem::path&, std::string_view relative) {
    Log("tutorial " + std::string(relative));
    return {};
}

std::optional<std::filesystem::path> ScriptedShell::NextFile() {
    if (m_files.empty()) {
        return std::nullopt;
    }
    auto file = std::move(m_files.front());
    m_files.pop_front();
    return file;
}

std::optional<std::filesystem::path> ScriptedShell::AskOpenFile(std::string_view,
                                                                std::string_view) {
    return NextFile();
}

std::optional<std::filesystem::path> ScriptedShell::AskSaveFile(std::string_view, std::string_view,
                                                                std::string_view) {
    return NextFile();
}

int ScriptedShell::RunDialog(IDialog& dialog) {
    const std::string id = std::to_string(dialog.TemplateId());
    Log("dialog " + id);
    dialog.OnInitDialog();
    while (!m_dialogActions.empty()) {
        const SDialogAction action = std::move(m_dialogActions.front());
        m_dialogActions.pop_front();
        switch (action.kind) {
            case SDialogAction::Kind::kClick:
                dialog.OnClick(action.control);
                break;
            case SDialogAction::Kind::kSelect:
                dialog.OnSelect(action.control, action.index);
                break;
            case SDialogAction::Kind::kScreenshot:
                if (m_dialogScreenshot) {
                    m_dialogScreenshot(dialog, action);
                }
                break;
            case SDialogAction::Kind::kOk:
                dialog.OnOk();
                Log("dialog " + id + " end IDOK");
                return kIdOk;
            case SDialogAction::Kind::kCancel:
                dialog.OnCancel();
                Log("dialog " + id + " end IDCANCEL");
                return kIdCancel;
        }
    }
    dialog.OnCancel();
    Log("dialog " + id + " end IDCANCEL");
    return kIdCancel;
}

void ScriptedShell::Log(std::string line) {
    if (m_log != nullptr) {
        *m_log << line << '\n';
    }
    m_lines.push_back(std::move(line));
}
