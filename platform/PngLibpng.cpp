// EncodePng with libpng: 8-bit RGB, no interlace, no colour-space chunk.
#include "platform/PngWriter.h"

#include <png.h>

std::vector<uint8_t> EncodePng(const Bitmap& image) {
    if (image.IsNull() || image.pixels.size() != static_cast<std::size_t>(image.width) *
                                                     static_cast<std::size_t>(image.height)) {
        return {};
    }
    // Red, green, blue per pixel, row after row.
    std::vector<uint8_t> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (const uint32_t p : image.pixels) {
        rgb.push_back(static_cast<uint8_t>(p >> 16U));
        rgb.push_back(static_cast<uint8_t>(p >> 8U));
        rgb.push_back(static_cast<uint8_t>(p));
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    // The pixels are shown as they are: the file carries no sRGB, gamma or chromaticity chunk.
    png.flags = PNG_IMAGE_FLAG_COLORSPACE_NOT_sRGB;
    // The largest PNG these pixels can give, so that one pass writes it.
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(png);
    std::vector<uint8_t> out(size);
    if (png_image_write_to_memory(&png, out.data(), &size, 0, rgb.data(), 0, nullptr) == 0) {
        png_image_free(&png);
        return {};
    }
    out.resize(size);
    return out;
}
