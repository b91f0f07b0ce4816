// The bitmaps built into the program: the toolbar strips and the about picture.
#pragma once

#include <cstdint>
#include <span>

namespace res {

// Bitmap ids. The toolbar strips hold 16 x 16 images side by side, one per toolbar button in
// order, magenta where the bar shows through: 110 has five (the bar at creation, without an
// Exit image), 132..136 six, chosen by the pencil and eraser modes. 139 is the about picture.
constexpr int kToolbarBitmap = 110;
constexpr int kToolbarPlain = 132;   // pencil and eraser modes off
constexpr int kToolbarPencil = 134;  // pencil mode on
constexpr int kToolbarEraser = 135;  // eraser mode on
constexpr int kToolbarBoth = 136;    // both on
constexpr int kAboutBitmap = 139;

// The BMP file of a bitmap id, byte for byte as in res/bitmaps/; empty for an id without one.
// Decode it with DecodeBmp (platform/BmpReader.h).
std::span<const uint8_t> BitmapResource(int id);

}  // namespace res
