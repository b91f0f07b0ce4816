// The composition roots of the program: the game with Qt's services in a window, or with the
// scripted ones under a script.
#include "shell/Program.h"

#include <QApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/Dialog.h"
#include "platform/InstanceLock.h"
#include "platform/PngWriter.h"
#include "platform/ScriptedForeground.h"
#include "platform/ScriptedShell.h"
#include "platform/ScriptedSound.h"
#include "platform/ScriptedTimers.h"
#include "platform/ScriptedWindow.h"
#include "platform/qt/QtCanvasFactory.h"
#include "platform/qt/QtForeground.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtTimers.h"
#include "shell/DialogWidget.h"
#include "shell/InstanceChannel.h"
#include "shell/MainWindow.h"
#include "shell/ScriptRunner.h"
#include "shell/SignalPipe.h"
#include "shell/Timing.h"
#include "ui/GameRoot.h"
#include "ui/MainFrm.h"
#include "ui/SudokuApp.h"
#include "ui/SudokuDoc.h"
#include "ui/SudokuView.h"

namespace {

// Milliseconds since the machine started, as the device's tick count.
uint64_t TickCount() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000U + static_cast<uint64_t>(ts.tv_nsec) / 1000000U;
}

CGameRoot::SSettings Settings(const SCommandLine& commandLine, const SGameSetup& setup) {
    CGameRoot::SSettings settings;
    settings.programFolder = setup.programFolder;
    settings.dataFolder = setup.dataFolder;
    settings.screen = commandLine.screen;
    settings.seed = setup.seed;
    return settings;
}

}  // namespace

SGameSetup ResolveSetup(const SCommandLine& commandLine) {
    SGameSetup setup;
    setup.programFolder = commandLine.programDir.value_or(DataManager::ExecutableFolder());
    if (commandLine.dataDir) {
        setup.dataFolder = *commandLine.dataDir;
    } else {
        std::string why;
        setup.dataFolder = DataManager::DefaultDataFolder(setup.programFolder, &why);
        if (setup.dataFolder.empty()) {
            // Never a folder any other user could prepare, such as one under /tmp.
            std::cerr << "sudoku: " << why
                      << ": nothing is saved (--data-dir DIR names a folder)\n";
        }
    }
    setup.seed = commandLine.seed.value_or(commandLine.script ? 1 : TickCount());
    return setup;
}

int RunWindow(const SCommandLine& commandLine, const SGameSetup& setup) {
    // One game per data folder: a second start hands its saved game to the running one.
    CInstanceLock lock;
    if (const auto status =
            ClaimDataFolderForWindow(lock, setup.dataFolder, commandLine.savedGame)) {
        return *status;
    }
    const CTimingLog timing;
    CMainWindow window(commandLine.scale.value_or(0), timing);
    CGameRoot* root = nullptr;
    CQtShell shell({[&root] { return root != nullptr ? root->Options().GetLanguage() : 0; },
                    [&window](IDialog& dialog) {
                        CDialogWidget widget(dialog, window.Scale(), &window);
                        return widget.Run(window.DeviceScreenRect());
                    },
                    [&window] { return window.Scale(); }});
    CGameRoot gameRoot(Settings(commandLine, setup), shell);
    root = &gameRoot;

    CQtTimers timers;
    timers.SetTickObserver([&window](int) { window.NoteEventStart(); });
    CQtSound sound;
    CQtForeground foreground;
    foreground.SetMainWindow(&window);
    CQtCanvasFactory canvases;
    CSudokuApp app(gameRoot, {shell, timers, sound, foreground, window, canvases});
    window.SetApp(&app);
    // Served from before the start-up, so that a second start never finds the folder held and
    // nobody answering; what it hands over waits for the start-up to end.
    CInstanceServer instances(
        window, [&app](const std::filesystem::path& file) { app.OpenDocumentFile(file); });
    std::string why;
    if (lock.Held() && !instances.Listen(setup.dataFolder, &why)) {
        std::cerr << "sudoku: a second start on this data folder cannot reach this game: " << why
                  << '\n';
    }

    // Every route to the end goes through the window's close, which runs the orderly end once:
    // Save and Exit and the Exit button (through the shell), the window manager, SIGINT,
    // SIGTERM and SIGHUP, the end of the desktop session; and if the loop ends any other way,
    // aboutToQuit.
    const CSignalPipe signalPipe([&window] { window.close(); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.close(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &window, [&app] { app.Shutdown(); });

    if (commandLine.language) {
        app.SetStartLanguage(*commandLine.language);
    }
    if (!app.InitInstance()) {
        return 1;
    }
    shell.SetMainWindow(&window);
    window.SetStarted();
    window.show();
    window.raise();
    window.activateWindow();
    instances.SetStarted();
    if (commandLine.savedGame) {
        // Once the window is up, so that a refusal's message box has its parent.
        QTimer::singleShot(0, &window,
                           [&app, &commandLine] { app.OpenDocumentFile(*commandLine.savedGame); });
    }
    return QApplication::exec();
}

int RunScript(const SCommandLine& commandLine, const SGameSetup& setup,
              const std::vector<SParsedLine>& script) {
    CInstanceLock lock;
    if (const auto status = ClaimDataFolderForScript(lock, setup.dataFolder)) {
        return *status;
    }
    ScriptedShell shell(&std::cout);
    CGameRoot root(Settings(commandLine, setup), shell);
    CScriptedTimers timers;
    CSilentSound sound;
    CScriptedForeground foreground;
    CScriptedWindow window;
    CQtCanvasFactory canvases;
    CSudokuApp app(root, {shell, timers, sound, foreground, window, canvases});
    CScriptRunner runner(app, {shell, timers, foreground, window}, std::cout);

    bool started = false;
    shell.SetCloseHandler([&started, &runner] {
        if (!started) {
            // Required files are missing before the main window exists.
            std::cout.flush();
            std::exit(1);
        }
        runner.RequestClose();
    });
    shell.SetDialogScreenshot(
        [&app, &runner](IDialog& dialog, const ScriptedShell::SDialogAction& action) {
            CDialogWidget widget(dialog, 1);
            app.View().DrawPendingClock();
            const Bitmap& screen = app.Frame().DeviceScreen();
            std::string why;
            if (!WritePng(action.file, widget.Render({screen.width, screen.height}), &why)) {
                runner.ReportFailure(action.line, "cannot write " + action.file + ": " + why);
            }
        });

    if (commandLine.language) {
        app.SetStartLanguage(*commandLine.language);
    }
    if (!app.InitInstance()) {
        std::cout.flush();
        return 1;
    }
    started = true;
    app.Doc().SetHintListener([&runner](int32_t x, int32_t y) { runner.LogHint(x, y); });
    if (commandLine.savedGame) {
        app.OpenDocumentFile(*commandLine.savedGame);
    }
    const int status = runner.Run(script);
    std::cout.flush();
    return status;
}
