// Toolbar button images (bitmaps 110 and 132..136) and the about box picture (bitmap 139).
#pragma once

#include <QImage>

// 16 x 16 images side by side: Quick New Game, Pencilmarks, Eraser, Undo, Hint and, with
// `exitButton`, Exit. A mode that is on shows its button lit and pressed. Magenta is the
// transparent colour; edges are smoothed against a light toolbar grey.
QImage MakeToolbar(bool pencilOn, bool eraserOn, bool exitButton);

// 176 x 52: the program's picture for the about box.
QImage MakeAbout();
