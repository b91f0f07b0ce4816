// sudoku-artgen: writes the game's pictures and sound.
#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileIO.h"
#include "tools/artgen/Assets.h"
#include "tools/artgen/GlyphArt.h"

namespace {

constexpr char kUsage[] =
    "usage: sudoku-artgen [OUT_DIR]\n"
    "Writes the skins, splash, splash sound, toolbar and about pictures and the desktop\n"
    "icons (icons/SIZE.png) into OUT_DIR\n"
    "(default: the source tree's res/). To see the game screens drawn with them:\n"
    "  docs/pictures/render.sh --previews PREVIEW_DIR --program-dir OUT_DIR\n";

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
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() > 1 || (!args.empty() && args[0].rfind("-", 0) == 0)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string why;
    if (!CheckFonts(&why)) {
        return Fail(why);
    }
    return Generate(args.empty() ? std::filesystem::path(SUDOKU_RES_DIR)
                                 : std::filesystem::path(args[0]));
}
