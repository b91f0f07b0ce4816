// The glyph sheet of a skin (numbers.bmp): digits in four styles, pencil marks and frames.
#pragma once

#include <QFont>
#include <QImage>
#include <QPointF>
#include <string>

// Sheet map (k = digit - 1): entry digit at (21k, 0), given at (21k, 21), illegal entry at
// (21k, 42), palette digit not allowed at (21k, 63); pencil marks 6 x 6 at
// (189 + 6 (k mod 3), 6 (k div 3)) and their illegal form 42 pixels lower; selection frame at
// (210, 21) and hint frame at (210, 42), as ui/Layout.h maps it. Magenta everywhere the board
// is to show through.
QImage MakeNumbers(int skin);

// False, with the reason, when DejaVu Sans or DejaVu Serif is not installed: a substitute
// would change every picture.
bool CheckFonts(std::string* why);
// The typeface of every digit: DejaVu Sans, fully hinted, greyscale antialiasing.
QFont DigitFont(bool bold, int pixelSize);

// The centre of the ink of `text` drawn with its pen at the origin, measured on the rendered
// pixels (the font's own tight bounds are rounded too coarsely at small sizes).
QPointF InkCentre(const QFont& font, const QString& text);

// Draws pencil-mark digit d (1..9) of the hand-made 4 x 5 pixel font with its top-left pixel
// at (x, y) in `ink`.
void DrawPixelDigit(QImage& image, int d, int x, int y, QRgb ink);
