// Fuzzing of the BMP reader: any bytes are refused with a reason or give a consistent bitmap.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Bitmap image;
    std::string why;
    if (!DecodeBmp(std::span<const uint8_t>(data, size), image, &why)) {
        if (why.empty() || !image.IsNull() || !image.pixels.empty()) {
            std::abort();
        }
        return 0;
    }
    // Nothing larger than the reader's limits, every pixel present and opaque.
    if (image.width <= 0 || image.height <= 0 || image.width > kBmpMaxSide ||
        image.height > kBmpMaxSide || static_cast<int64_t>(image.pixels.size()) > kBmpMaxPixels ||
        image.pixels.size() !=
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        std::abort();
    }
    for (const uint32_t pixel : image.pixels) {
        if ((pixel >> 24U) != 0xFFU) {
            std::abort();
        }
    }
    return 0;
}
