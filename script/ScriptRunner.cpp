// CScriptRunner: runs the events of a script against the application in virtual time.
#include "script/ScriptRunner.h"

#include <string>

#include "platform/PngWriter.h"
#include "platform/ScriptedForeground.h"
#include "platform/ScriptedShell.h"
#include "platform/ScriptedTimers.h"
#include "ui/SudokuApp.h"

CScriptRunner::CScriptRunner(CSudokuApp& app, SServices services, std::ostream& log)
    : m_app(app), m_services(services), m_log(log) {}

void CScriptRunner::RequestClose() {
    m_closing = true;
    // A wait in progress fires nothing more.
    m_services.timers.Halt();
}

void CScriptRunner::ReportFailure(int line, const std::string& reason) {
    m_failed = true;
    m_log << "error " << line << " \"" << reason << "\"\n" << std::flush;
}

void CScriptRunner::LogHint(int32_t x, int32_t y) {
    m_log << "hint " << x << ' ' << y << '\n' << std::flush;
}

void CScriptRunner::RunCommand(int id) {
    if (m_app.OnCommand(id) == CSudokuApp::ECommand::kDisabled) {
        m_log << "disabled " << id << '\n' << std::flush;
    }
}

void CScriptRunner::RunLine(const SParsedLine& parsed) {
    using Kind = SScriptLine::Kind;
    if (!parsed.understood) {
        ReportFailure(parsed.number, parsed.why);
        return;
    }
    const SScriptLine& line = parsed.line;
    ScriptedShell& shell = m_services.shell;
    const auto id = static_cast<int>(line.a);
    switch (line.kind) {
        case Kind::kNothing:
            break;
        case Kind::kTap:
            m_app.TapView(static_cast<int32_t>(line.a), static_cast<int32_t>(line.b));
            break;
        case Kind::kKey:
            m_app.ViewKeyDown(static_cast<uint32_t>(line.a));
            m_app.ViewKeyUp(static_cast<uint32_t>(line.a));
            break;
        case Kind::kKeyDown:
            m_app.ViewKeyDown(static_cast<uint32_t>(line.a));
            break;
        case Kind::kKeyUp:
            m_app.ViewKeyUp(static_cast<uint32_t>(line.a));
            break;
        case Kind::kCommand:
            RunCommand(id);
            break;
        case Kind::kPress:
            if (const auto caption = m_app.PressButton(static_cast<CommandId>(id))) {
                m_log << "tip \"" << *caption << "\"\n" << std::flush;
            }
            break;
        case Kind::kRelease:
            m_app.ReleaseButton(static_cast<CommandId>(id));
            break;
        case Kind::kAnswerYes:
            shell.QueueAnswer(ScriptedShell::Answer::kYes);
            break;
        case Kind::kAnswerNo:
            shell.QueueAnswer(ScriptedShell::Answer::kNo);
            break;
        case Kind::kAnswerOk:
            shell.QueueAnswer(ScriptedShell::Answer::kOk);
            break;
        case Kind::kFile:
            shell.QueueFile(std::filesystem::path(line.text));
            break;
        case Kind::kFileCancel:
            shell.QueueFile(std::nullopt);
            break;
        case Kind::kDialogClick:
            shell.QueueDialogAction({ScriptedShell::SDialogAction::Kind::kClick, id, 0, {}});
            break;
        case Kind::kDialogSelect:
            shell.QueueDialogAction(
                {ScriptedShell::SDialogAction::Kind::kSelect, id, static_cast<int>(line.b), {}});
            break;
        case Kind::kDialogScreenshot: {
            ScriptedShell::SDialogAction action{ScriptedShell::SDialogAction::Kind::kScreenshot, 0,
                                                0, line.text};
            action.line = parsed.number;
            shell.QueueDialogAction(std::move(action));
            break;
        }
        case Kind::kDialogOk:
            shell.QueueDialogAction({ScriptedShell::SDialogAction::Kind::kOk, 0, 0, {}});
            break;
        case Kind::kDialogCancel:
            shell.QueueDialogAction({ScriptedShell::SDialogAction::Kind::kCancel, 0, 0, {}});
            break;
        case Kind::kWait:
            m_services.timers.Advance(line.a);
            break;
        case Kind::kForegroundOn:
        case Kind::kForegroundOff:
            m_services.foreground.Set(line.kind == Kind::kForegroundOn);
            break;
        case Kind::kScreenshot: {
            std::string why;
            if (!WritePng(line.text, m_app.CurrentScreen(), &why)) {
                ReportFailure(parsed.number, "cannot write " + line.text + ": " + why);
            }
            break;
        }
        case Kind::kExit:
            m_closing = true;
            break;
    }
}

int CScriptRunner::Run(const std::vector<SParsedLine>& lines) {
    for (const SParsedLine& line : lines) {
        if (m_closing) {
            break;
        }
        RunLine(line);
    }
    m_app.Shutdown();
    return m_failed ? 2 : 0;
}
