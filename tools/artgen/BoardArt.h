// The board picture of a skin (board.bmp): background, grid, number palette and clock label.
#pragma once

#include <QImage>

// 480 x 272. Cell (x, y) has its top-left corner at (142 + 21x, 12 + 21y); its face is the
// 19 x 19 square one pixel inside, and the lines between cells are two pixels wide (the last
// column and row of one cell and the first of the next), so that a 21 x 21 glyph copied at a
// cell's corner sits centred on the face. Palette key j has the same shape at (142 + 21j, 204).
// The numbers are those of the 480 x 272 layout in ui/Layout.h.
QImage MakeBoard(int skin);
