// RunScriptSession: the composition root of the script mode: the game on the scripted
// services, and a script run against it in virtual time.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Screen.h"
#include "script/CommandLine.h"
#include "script/GameSetup.h"
#include "script/Script.h"
#include "ui/GameRoot.h"

class ICanvasFactory;
class IDialog;

struct SScriptSession {
    CGameRoot::SSettings settings;
    std::optional<int> language;  // as if chosen in the Language dialog before the first paint
    std::optional<std::filesystem::path> savedGame;  // opened as Load opens it, after start-up
};

// The session a command line and its setup come to.
SScriptSession ScriptSessionFor(const SCommandLine& commandLine, const SGameSetup& setup);

// The front end's drawing of a modal dialog as the player would see it over a device screen of
// `size`, in device pixels (`dialog screenshot`). An empty one: the front end has no drawing of
// dialogs, and each `dialog screenshot` is an error line.
using DialogRenderer = std::function<Bitmap(IDialog& dialog, SScreenSize size)>;

// Takes the data folder, starts the game with `canvases` drawing the device screen, runs
// `script` with its log on `log`, then ends the game as Save and Exit does. Gives the exit
// status of the script mode: 0 when every line that ran was understood and carried out, 2
// otherwise or when another game holds the data folder (said on standard error), 1 when the
// game cannot start. Required files missing before the main window exists end the process at
// once with status 1, as the game's close does there.
int RunScriptSession(const SScriptSession& session, const std::vector<SParsedLine>& script,
                     ICanvasFactory& canvases, const DialogRenderer& renderDialog,
                     std::ostream& log);
