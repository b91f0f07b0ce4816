// EncodePng where there is no zlib (the browser edition): the pixels in stored deflate blocks.
#include "platform/PngWriter.h"

std::vector<uint8_t> EncodePng(const Bitmap& image) {
    return EncodePngStored(image);
}
