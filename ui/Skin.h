// The skin and splash bitmap files: their paths in the program folder and their loaders.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Bitmap.h"

class DataManager;

// Skins: 0 Paper in "Skin1\", 1 Sand in "Skin2\", 2 Steel in "Skin3\". Any other skin number
// names no folder: its files are read from the program folder itself.
constexpr int32_t kSkinPaper = 0;
constexpr int32_t kSkinSand = 1;
constexpr int32_t kSkinSteel = 2;

// Size selectors: 0 the normal files, which serve both screen layouts; anything else the large
// ones ("board_large.bmp"), which the game never asks for.
constexpr int32_t kSizeNormal = 0;
constexpr int32_t kSizeLarge = 1;

// Paths relative to the program folder, with backslashes ("Skin2\board.bmp").
std::string BoardBitmapPath(int32_t skin, int32_t size);
std::string NumbersBitmapPath(int32_t skin, int32_t size);
std::string SplashBitmapPath(int32_t size);
std::string AnimBitmapPath(int32_t size);

// The bitmaps; a null Bitmap when the file is missing or cannot be read, with "cannot read
// PATH: REASON" added to `why` (after "; " when it holds a reason already) when it is given.
Bitmap LoadBoardBitmap(const DataManager& data, int32_t skin, int32_t size,
                       std::string* why = nullptr);
Bitmap LoadNumbersBitmap(const DataManager& data, int32_t skin, int32_t size,
                         std::string* why = nullptr);
Bitmap LoadSplashBitmap(const DataManager& data, int32_t size, std::string* why = nullptr);
Bitmap LoadAnimBitmap(const DataManager& data, int32_t size, std::string* why = nullptr);
