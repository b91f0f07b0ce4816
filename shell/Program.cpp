// The composition roots of the program: the game with Qt's services in a window, or with the
// scripted ones under a script.
#include "shell/Program.h"

#include <QApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>

#include <iostream>

#include "platform/Dialog.h"
#include "platform/InstanceLock.h"
#include "platform/qt/QtCanvasFactory.h"
#include "platform/qt/QtForeground.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtTimers.h"
#include "script/ScriptSession.h"
#include "shell/AccessibleScreen.h"
#include "shell/DialogWidget.h"
#include "shell/InstanceChannel.h"
#include "shell/MainWindow.h"
#include "shell/SignalPipe.h"
#include "shell/Timing.h"
#include "ui/GameRoot.h"
#include "ui/SudokuApp.h"

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
    CGameRoot gameRoot(GameSettings(commandLine, setup), shell);
    root = &gameRoot;

    CQtTimers timers;
    timers.SetTickObserver([&window](int) { window.NoteEventStart(); });
    // While a solve runs beside the window the game is not entered: the clock stands still.
    timers.SetHold([&shell] { return shell.RunningLong(); });
    CQtSound sound;
    CQtForeground foreground;
    foreground.SetMainWindow(&window);
    CQtCanvasFactory canvases;
    CSudokuApp app(gameRoot, {shell, timers, sound, foreground, window, canvases});
    window.SetApp(&app);
    // Served from before the start-up, so that a second start never finds the folder held and
    // nobody answering; what it hands over waits for the start-up to end.
    CInstanceServer instances(
        window, [&app](const std::filesystem::path& file) { app.OpenDocumentFile(file); },
        [&shell] { return shell.RunningLong(); });
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
    // The screen reader's view of the device screen, following each picture.
    CAccessibleScreen accessible(window, app);
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
    CQtCanvasFactory canvases;
    return RunScriptSession(
        ScriptSessionFor(commandLine, setup), script, canvases,
        [](IDialog& dialog, SScreenSize size) { return CDialogWidget(dialog, 1).Render(size); },
        std::cout);
}
