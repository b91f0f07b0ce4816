// sudoku-tool render: a saved game drawn into an image by the game's own drawing code.
#include "tools/RenderCommand.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <ostream>

#include "engine/Options.h"
#include "game/OptionsFile.h"
#include "game/SaveFile.h"
#include "platform/DataManager.h"
#include "platform/ImageCanvas.h"
#include "platform/PngWriter.h"
#include "platform/Screen.h"
#include "platform/ScriptedShell.h"
#include "ui/GameRoot.h"
#include "ui/Skin.h"

namespace fs = std::filesystem;

namespace tool {

namespace {

constexpr const char* kRenderUsage =
    "usage: sudoku-tool render FILE.sdk -o OUT.png [--options options.cfg]\n"
    "       [--program-dir DIR] [--screen WxH] [--pencil] [--hint X Y] [--clock]\n";

// Takes "--hint X Y" out of the arguments; false (with the message printed) when malformed.
bool TakeHint(Args& args, std::ostream& err, bool& present, int& x, int& y) {
    const auto at = std::find(args.begin(), args.end(), "--hint");
    present = at != args.end();
    if (!present) {
        return true;
    }
    const auto index = at - args.begin();
    const auto coordinate = [&](std::ptrdiff_t i) -> std::optional<long long> {
        if (index + i >= static_cast<std::ptrdiff_t>(args.size())) {
            return std::nullopt;
        }
        const auto n = ParseNumber(args[static_cast<std::size_t>(index + i)]);
        return n && *n >= 0 && *n <= 8 ? n : std::nullopt;
    };
    const auto hx = coordinate(1);
    const auto hy = coordinate(2);
    if (!hx || !hy) {
        Fail(err, "--hint needs a column and a row, each 0..8");
        return false;
    }
    x = static_cast<int>(*hx);
    y = static_cast<int>(*hy);
    args.erase(args.begin() + index, args.begin() + index + 3);
    return true;
}

// The value of an option that must be given a value when present.
bool TakeValue(Args& args, std::string_view name, std::ostream& err,
               std::optional<std::string>& value) {
    bool missing = false;
    value = TakeOption(args, name, missing);
    if (missing) {
        Fail(err, std::string(name) + " needs a value");
        return false;
    }
    return true;
}

}  // namespace

int RunRender(const Args& argsIn, std::istream&, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    if (TakeFlag(args, "--help") || TakeFlag(args, "-h")) {
        out << kRenderUsage;
        return kOk;
    }
    std::optional<std::string> output;
    std::optional<std::string> optionsPath;
    std::optional<std::string> programDir;
    std::optional<std::string> screenText;
    bool hint = false;
    int hintX = 0;
    int hintY = 0;
    if (!TakeValue(args, "-o", err, output) || !TakeValue(args, "--options", err, optionsPath) ||
        !TakeValue(args, "--program-dir", err, programDir) ||
        !TakeValue(args, "--screen", err, screenText) || !TakeHint(args, err, hint, hintX, hintY)) {
        return kBadInput;
    }
    const bool pencil = TakeFlag(args, "--pencil");
    const bool clock = TakeFlag(args, "--clock");
    if (!RefuseUnknownOptions(
            args, err,
            {"-o", "--options", "--program-dir", "--screen", "--hint", "--pencil", "--clock"})) {
        return kBadInput;
    }
    if (args.size() != 1) {
        Fail(err, args.empty() ? "a saved game (.sdk) is needed" : "too many arguments");
        err << kRenderUsage;
        return kBadInput;
    }
    if (!output) {
        return Fail(err, "an output file is needed: -o OUT.png");
    }
    SScreenSize size = kScreen480x272;
    if (screenText && !ParseScreenSize(*screenText, size)) {
        return Fail(err, "--screen needs WxH, each side 1.." + std::to_string(kMaxScreenSide) +
                             " and the height above " + std::to_string(kCommandBarHeight) +
                             ", not '" + *screenText + "'");
    }

    COptions options;
    std::string why;
    fileio::ReadStatus status = fileio::ReadStatus::kRead;
    if (optionsPath && !ReadOptionsFile(*optionsPath, options, &why, &status)) {
        return Fail(err, why, status == fileio::ReadStatus::kFailed ? kFileError : kBadInput);
    }

    ScriptedShell shell;
    const fs::path folder = programDir ? fs::path(*programDir) : DataManager::ExecutableFolder();
    CGameRoot root({folder, folder, size, 1}, shell);
    root.Options() = options;
    CGame& game = root.Game();
    DataManager& data = root.Data();

    const savefile::SLoadResult loaded = savefile::Read(args[0], game);
    if (!loaded.Loaded()) {
        return Fail(err, loaded.reason, loaded.readFailed ? kFileError : kBadInput);
    }
    const int32_t skin = root.Options().GetSkin();
    Bitmap board;
    Bitmap numbers;
    for (const auto& [bmp, path] : {std::pair{&board, BoardBitmapPath(skin, kSizeNormal)},
                                    std::pair{&numbers, NumbersBitmapPath(skin, kSizeNormal)}}) {
        if (!data.LoadBitmapFile(path, *bmp, &why)) {
            std::string name = path;
            std::replace(name.begin(), name.end(), '\\', '/');
            return Fail(err, "skin " + std::to_string(skin) + ": cannot read " + name + " in " +
                                 folder.string() + ": " + why);
        }
    }
    game.SetSkinBitmaps(std::move(board), std::move(numbers));
    game.ApplyLayout();
    game.SetPencilMode(pencil);
    if (hint) {
        game.SetHint(hintX, hintY);
    }

    const SScreenSize client = root.Screen().GetClientSize();
    Bitmap image(client.width, client.height, Rgb(0, 0, 0));
    CImageCanvas canvas(image);
    game.DrawFrame(canvas, clock);
    if (!WritePng(OutputPath(*output), image, &why)) {
        return Fail(err, "cannot write " + *output + ": " + why, kFileError);
    }
    return kOk;
}

}  // namespace tool
