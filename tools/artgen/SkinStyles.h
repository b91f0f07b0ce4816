// The picture sizes and the colours of the three skins (Paper, Sand, Steel).
#pragma once

#include <QImage>
#include <cstdint>

#include "platform/Screen.h"
#include "tools/artgen/BmpFile.h"
#include "ui/Layout.h"

// The board picture fills the 480 x 272 screen, whose layout shows it whole at (0, 0); grid,
// palette, glyph sheet and clock follow the game's layout (ui/Layout.h).
constexpr int kBoardWidth = kScreen480x272.width;
constexpr int kBoardHeight = kScreen480x272.height;
constexpr int kSheetWidth = kSheetColumns * kCellSize;  // 231
constexpr int kSheetHeight = kSheetRows * kCellSize;    // 84
constexpr int kSkinCount = 3;

struct SSkinStyle {
    const char* name;
    const char* folder;  // beside the program: Skin1, Skin2, Skin3
    EBmpEncoding encoding;
    uint32_t seed;  // of the textures
    QRgb cell;      // face of the grid cells and palette keys; glyphs are smoothed against it
    QRgb thinLine;  // between cells
    QRgb boxLine;   // between the 3 x 3 boxes and round the grid
    QRgb given;
    QRgb entry;
    QRgb illegalInk;
    QRgb illegalBadge;
    QRgb notAllowedInk;
    QRgb strike;
    QRgb pencil;
    QRgb pencilBadInk;
    QRgb pencilBadChip;
    QRgb selection;
    QRgb hint;
    bool boldEntries;  // entries in the bold face too (givens are always bold)
};

// Skin 0 Paper, 1 Sand, 2 Steel. Colours of a 5-6-5 skin are exact 5-6-5 colours.
const SSkinStyle& SkinStyle(int skin);
