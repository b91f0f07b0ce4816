// RunScriptSession: the composition root of the script mode: the game on the scripted
// services, and a script run against it in virtual time.
#include "script/ScriptSession.h"

#include <cstdlib>
#include <string>

#include "platform/Canvas.h"
#include "platform/InstanceLock.h"
#include "platform/PngWriter.h"
#include "platform/ScriptedForeground.h"
#include "platform/ScriptedShell.h"
#include "platform/ScriptedSound.h"
#include "platform/ScriptedTimers.h"
#include "platform/ScriptedWindow.h"
#include "script/DataFolderClaim.h"
#include "script/ScriptRunner.h"
#include "ui/MainFrm.h"
#include "ui/SudokuApp.h"
#include "ui/SudokuDoc.h"
#include "ui/SudokuView.h"

SScriptSession ScriptSessionFor(const SCommandLine& commandLine, const SGameSetup& setup) {
    return {GameSettings(commandLine, setup), commandLine.language, commandLine.savedGame};
}

int RunScriptSession(const SScriptSession& session, const std::vector<SParsedLine>& script,
                     ICanvasFactory& canvases, const DialogRenderer& renderDialog,
                     std::ostream& log) {
    CInstanceLock lock;
    if (const auto status = ClaimDataFolderForScript(lock, session.settings.dataFolder)) {
        return *status;
    }
    ScriptedShell shell(&log);
    CGameRoot root(session.settings, shell);
    CScriptedTimers timers;
    CSilentSound sound;
    CScriptedForeground foreground;
    CScriptedWindow window;
    CSudokuApp app(root, {shell, timers, sound, foreground, window, canvases});
    CScriptRunner runner(app, {shell, timers, foreground}, log);

    bool started = false;
    shell.SetCloseHandler([&started, &runner, &log] {
        if (!started) {
            // Required files are missing before the main window exists.
            log.flush();
            std::exit(1);
        }
        runner.RequestClose();
    });
    shell.SetDialogScreenshot([&app, &runner, &renderDialog](
                                  IDialog& dialog, const ScriptedShell::SDialogAction& action) {
        if (!renderDialog) {
            runner.ReportFailure(action.line, "cannot write " + action.file +
                                                  ": this front end does not draw dialogs");
            return;
        }
        const Bitmap& screen = app.CurrentScreen();
        std::string why;
        if (!WritePng(action.file, renderDialog(dialog, {screen.width, screen.height}), &why)) {
            runner.ReportFailure(action.line, "cannot write " + action.file + ": " + why);
        }
    });

    if (session.language) {
        app.SetStartLanguage(*session.language);
    }
    if (!app.InitInstance()) {
        log.flush();
        return 1;
    }
    started = true;
    app.Doc().SetHintListener([&runner](int32_t x, int32_t y) { runner.LogHint(x, y); });
    if (session.savedGame) {
        app.OpenDocumentFile(*session.savedGame);
    }
    const int status = runner.Run(script);
    log.flush();
    return status;
}
