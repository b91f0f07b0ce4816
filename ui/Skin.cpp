// Skin and splash bitmap paths and loaders, and the replacing of the game's skin bitmaps.
#include "ui/Skin.h"

#include <iostream>
#include <string_view>

#include "engine/Options.h"
#include "game/Texts.h"
#include "platform/DataManager.h"
#include "ui/Game.h"

namespace {

std::string_view SkinFolder(int32_t skin) {
    switch (skin) {
        case kSkinPaper:
            return "Skin1\\";
        case kSkinSand:
            return "Skin2\\";
        case kSkinSteel:
            return "Skin3\\";
        default:
            return {};
    }
}

std::string SkinPath(int32_t skin, std::string_view normal, std::string_view large, int32_t size) {
    std::string path(SkinFolder(skin));
    path += size == kSizeNormal ? normal : large;
    return path;
}

// The loader leaves the bitmap untouched, that is null, when the file fails.
Bitmap Load(const DataManager& data, const std::string& path, std::string* why) {
    Bitmap bmp;
    std::string reason;
    if (!data.LoadBitmapFile(path, bmp, &reason) && why != nullptr) {
        *why += (why->empty() ? "" : "; ") + std::string("cannot read ") +
                data.MakeProgramPath(path).string() + ": " + reason;
    }
    return bmp;
}

}  // namespace

std::string BoardBitmapPath(int32_t skin, int32_t size) {
    return SkinPath(skin, "board.bmp", "board_large.bmp", size);
}

std::string NumbersBitmapPath(int32_t skin, int32_t size) {
    return SkinPath(skin, "numbers.bmp", "numbers_large.bmp", size);
}

std::string SplashBitmapPath(int32_t size) {
    return size == kSizeNormal ? "Splash\\Splash.bmp" : "Splash\\Splash_large.bmp";
}

std::string AnimBitmapPath(int32_t size) {
    return size == kSizeNormal ? "Splash\\Anim.bmp" : "Splash\\Anim_large.bmp";
}

Bitmap LoadBoardBitmap(const DataManager& data, int32_t skin, int32_t size, std::string* why) {
    return Load(data, BoardBitmapPath(skin, size), why);
}

Bitmap LoadNumbersBitmap(const DataManager& data, int32_t skin, int32_t size, std::string* why) {
    return Load(data, NumbersBitmapPath(skin, size), why);
}

Bitmap LoadSplashBitmap(const DataManager& data, int32_t size, std::string* why) {
    return Load(data, SplashBitmapPath(size), why);
}

Bitmap LoadAnimBitmap(const DataManager& data, int32_t size, std::string* why) {
    return Load(data, AnimBitmapPath(size), why);
}

void CGame::ReloadSkin() {
    // Both new bitmaps are loaded before the old ones go, so the screen keeps its old skin
    // while the message is shown.
    const int32_t skin = Options().GetSkin();
    std::string why;
    Bitmap board = LoadBoardBitmap(Data(), skin, kSizeNormal, &why);
    Bitmap numbers = LoadNumbersBitmap(Data(), skin, kSizeNormal, &why);
    if (board.IsNull() || numbers.IsNull()) {
        std::cerr << "sudoku: " << why << '\n';
        ShowGameMessage(Data(), Options(), MessageId::kFilesMissing, MsgStyle::kOk);
        Data().CloseApplication();
    }
    // Also when a load failed: the application is closing, and a null bitmap draws nothing.
    SetSkinBitmaps(std::move(board), std::move(numbers));
    ApplyLayout();
}
