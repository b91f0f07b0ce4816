// The glyph set of the Qt-free canvas, built into the program from res/fonts/.
#pragma once

#include <cstdint>
#include <span>

namespace res {

// The pixel size of the desktop's pinned font, and so of its glyph set.
constexpr int kGlyphSetPixelSize = 12;

// The bytes of res/fonts/glyphs<size>.bin (platform/GlyphCanvas.h reads them), made by
// tools/glyphs from the desktop's font; empty for any other size.
std::span<const uint8_t> GlyphSetResource(int pixelSize);

}  // namespace res
