// sudoku-artgen: writes the game's pictures and sound, or previews of them.
#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileIO.h"
#include "tools/artgen/Assets.h"
#include "tools/artgen/GlyphArt.h"
#include "tools/artgen/Preview.h"

namespace {

constexpr char kUsage[] =
    "usage: sudoku-artgen [OUT_DIR]\n"
    "       sudoku-artgen --preview PREVIEW_DIR [RES_DIR]\n"
    "Writes the skins, splash, splash sound, toolbar and about pictures into OUT_DIR\n"
    "(default: the source tree's res/), or reads them back from RES_DIR (same default)\n"
    "and writes PNG previews of the game screens into PREVIEW_DIR.\n";

int Fail(const std::string& why) {
    std::fprintf(stderr, "sudoku-artgen: %s\n", why.c_str());
    return 1;
}

int Generate(const std::filesystem::path& outDir) {
    std::string why;
    std::vector<SAsset> assets;
    if (!BuildAssets(assets, &why)) {
        return Fail(why);
    }
    for (const SAsset& asset : assets) {
        if (!VerifyAsset(asset, &why)) {
            return Fail(why);
        }
        const std::filesystem::path path = outDir / asset.path;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) {
            return Fail("cannot create " + path.parent_path().string() + ": " + ec.message());
        }
        if (!fileio::WriteFileAtomically(path, asset.bytes, &why)) {
            return Fail(path.string() + ": " + why);
        }
        std::printf("%-24s %7zu bytes  %s\n", asset.path.c_str(), asset.bytes.size(),
                    asset.encoding.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Fonts and painting only: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string why;
    if (!CheckFonts(&why)) {
        return Fail(why);
    }
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!args.empty() && args[0] == "--preview") {
        if (args.size() < 2 || args.size() > 3) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        const std::filesystem::path resDir = args.size() == 3 ? args[2] : SUDOKU_RES_DIR;
        if (!WritePreviews(resDir, args[1], &why)) {
            return Fail(why);
        }
        return 0;
    }
    if (args.size() > 1 || (!args.empty() && args[0].rfind("-", 0) == 0)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return Generate(args.empty() ? std::filesystem::path(SUDOKU_RES_DIR)
                                 : std::filesystem::path(args[0]));
}
