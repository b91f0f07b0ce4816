// Bitmap: a plain image value, width x height pixels of 32 bits (0xFFRRGGBB), rows top down.
#pragma once

#include <cstdint>
#include <vector>

// Pixels are stored as 0xFFRRGGBB words, row after row from the top, so that a Bitmap can be
// wrapped without copying by an image of the drawing layer (QImage::Format_RGB32).
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Bitmap() = default;
    Bitmap(int w, int h, uint32_t fill = 0xFF000000U)
        : width(w),
          height(h),
          pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

    bool IsNull() const { return width <= 0 || height <= 0; }
    uint32_t At(int x, int y) const { return pixels[Index(x, y)]; }
    void Set(int x, int y, uint32_t c) { pixels[Index(x, y)] = c; }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x);
    }
};

// A colour from red, green and blue 0..255.
constexpr uint32_t Rgb(int r, int g, int b) {
    return 0xFF000000U | (static_cast<uint32_t>(r & 0xFF) << 16U) |
           (static_cast<uint32_t>(g & 0xFF) << 8U) | static_cast<uint32_t>(b & 0xFF);
}

// Magenta, the transparent colour of every keyed copy.
constexpr uint32_t kKeyColour = Rgb(255, 0, 255);
