// Toolbar button images (bitmaps 110 and 132..136), the about box picture (bitmap 139) and the
// program's icon for the desktop.
#pragma once

#include <QImage>
#include <array>

// 16 x 16 images side by side: Quick New Game, Pencilmarks, Eraser, Undo, Hint and, with
// `exitButton`, Exit. A mode that is on shows its button lit and pressed. Magenta is the
// transparent colour; edges are smoothed against a light toolbar grey.
QImage MakeToolbar(bool pencilOn, bool eraserOn, bool exitButton);

// 176 x 52: the program's picture for the about box.
QImage MakeAbout();

// The sizes of the desktop icon, in pixels (square).
constexpr std::array<int, 8> kAppIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// size x size with an alpha channel: the about picture's tile, a dark rounded square round a
// 3 x 3 box of cells, some holding a digit, laid out on whole pixels for each size. The digits
// are the about picture's glyphs from 48 px up, the pencil-mark pixel digits at 24 and 32 px,
// and dots below. Null for a size outside kAppIconSizes.
QImage MakeAppIcon(int size);
