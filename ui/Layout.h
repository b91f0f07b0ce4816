// The numbers the game screen is drawn by: layouts, the glyph sheet map, crosshatch colours and
// the places of the clock. The skins' pictures are made to fit them (tools/artgen).
#pragma once

#include <array>
#include <cstdint>

#include "platform/Bitmap.h"

// Side of a grid cell, a palette key and a digit glyph; side of a pencil-mark glyph. Every
// layout shares them, so one glyph sheet serves all.
constexpr int32_t kCellSize = 21;
constexpr int32_t kMarkSize = 6;

// Where a layout puts the board picture, the top-left corner of cell (0, 0) and of palette
// digit 1, in pixels of the view; paletteRef is the constant of the palette's vertical
// adjustment.
struct SLayoutValues {
    int32_t boardX, boardY, gridX, gridY, paletteX, paletteY, paletteRef, cell, mark;
};

// The 480 x 272 layout shows the board picture whole at (0, 0); the 320 x 240 layout shows it
// shifted by (-78, -14).
constexpr SLayoutValues kLayout320x240{-78, -14, 64, -2, 64, 190, 11, kCellSize, kMarkSize};
constexpr SLayoutValues kLayout480x272{0, 0, 142, 12, 142, 204, 11, kCellSize, kMarkSize};

// The glyph sheet, in cells: rows 0..3 hold the digits 1..9 in columns 0..8, one style a row.
constexpr int32_t kStyleEntry = 0;
constexpr int32_t kStyleGiven = 1;
constexpr int32_t kStyleIllegal = 2;
constexpr int32_t kStyleNotAllowed = 3;
// Column 9 holds the pencil marks, three to a row: in row 0 as they are, in row 2 illegal.
constexpr int32_t kSheetMarkColumn = 9;
// Column 10 holds the selection frame (row 1) and the hint frame (row 2).
constexpr int32_t kSheetFrameColumn = 10;
constexpr int32_t kSheetSelectionRow = 1;
constexpr int32_t kSheetHintRow = 2;
constexpr int32_t kSheetColumns = 11;
constexpr int32_t kSheetRows = 4;

// Skins 0 Paper and 1 Sand have their own colours; every other number takes Steel's.
constexpr int SkinColumn(int32_t skin) {
    return skin == 0 || skin == 1 ? skin : 2;
}

// The crosshatch lines, by skin column.
constexpr std::array<uint32_t, 3> kHatchColour = {Rgb(98, 98, 96), Rgb(142, 115, 59),
                                                  Rgb(211, 224, 231)};

// Where the clock goes: only the 480 x 272 layout has room for it, black, left of the grid; a
// screen that takes the 320 x 240 layout has none. (x, y) is the top-left corner of the clock's
// text box.
constexpr int32_t kClockX = 24;
constexpr int32_t kClockY = 112;
constexpr uint32_t kClockColour = Rgb(0, 0, 0);
