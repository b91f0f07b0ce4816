// The geometry the game draws with and the colours of the three skins (Paper, Sand, Steel).
#pragma once

#include <QImage>
#include <cstdint>

#include "tools/artgen/BmpFile.h"

// Board picture and glyph sheet geometry, in pixels of the picture.
constexpr int kBoardWidth = 480;
constexpr int kBoardHeight = 272;
constexpr int kGridX = 142;  // top-left corner of cell (0, 0)
constexpr int kGridY = 12;
constexpr int kCell = 21;  // side of a cell and of a digit glyph
constexpr int kMark = 6;   // side of a pencil-mark glyph
constexpr int kPaletteX = 142;
constexpr int kPaletteY = 204;
constexpr int kSheetWidth = 11 * kCell;  // 231
constexpr int kSheetHeight = 4 * kCell;  // 84
constexpr int kSkinCount = 3;

// Where the 480 x 272 game draws its clock: the text's rectangle starts here.
constexpr int kClockTextX = 24;
constexpr int kClockTextBottom = 136;

struct SSkinStyle {
    const char* name;
    const char* folder;  // beside the program: Skin1, Skin2, Skin3
    EBmpEncoding encoding;
    uint32_t seed;  // of the textures
    QRgb cell;      // face of the grid cells and palette keys; glyphs are smoothed against it
    QRgb thinLine;  // between cells
    QRgb boxLine;   // between the 3 x 3 boxes and round the grid
    QRgb hatch;     // the crosshatch lines the game draws over the board
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
