// Skin and splash bitmap paths and loaders, and the replacing of the game's skin bitmaps.
#include "ui/Skin.h"

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
Bitmap Load(const DataManager& data, const std::string& path) {
    Bitmap bmp;
    data.LoadBitmapFile(path, bmp);
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

Bitmap LoadBoardBitmap(const DataManager& data, int32_t skin, int32_t size) {
    return Load(data, BoardBitmapPath(skin, size));
}

Bitmap LoadNumbersBitmap(const DataManager& data, int32_t skin, int32_t size) {
    return Load(data, NumbersBitmapPath(skin, size));
}

Bitmap LoadSplashBitmap(const DataManager& data, int32_t size) {
    return Load(data, SplashBitmapPath(size));
}

Bitmap LoadAnimBitmap(const DataManager& data, int32_t size) {
    return Load(data, AnimBitmapPath(size));
}

void CGame::ReloadSkin() {
    // Both new bitmaps are loaded before the old ones go, so the screen keeps its old skin
    // while the message is shown.
    const int32_t skin = Options().GetSkin();
    Bitmap board = LoadBoardBitmap(Data(), skin, kSizeNormal);
    Bitmap numbers = LoadNumbersBitmap(Data(), skin, kSizeNormal);
    if (board.IsNull() || numbers.IsNull()) {
        ShowGameMessage(Data(), Options(), MessageId::kFilesMissing, MsgStyle::kOk);
        Data().CloseApplication();
    }
    // Also when a load failed: the application is closing, and a null bitmap draws nothing.
    SetSkinBitmaps(std::move(board), std::move(numbers));
    ApplyLayout();
}
