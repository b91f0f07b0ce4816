// Encoding a Bitmap as a PNG file: signature, IHDR, one zlib-compressed IDAT, IEND.
#include "platform/PngWriter.h"

#include <zlib.h>

#include <array>
#include <string_view>

#include "platform/FileIO.h"

namespace {

void Put32BE(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24U));
    out.push_back(static_cast<uint8_t>(v >> 16U));
    out.push_back(static_cast<uint8_t>(v >> 8U));
    out.push_back(static_cast<uint8_t>(v));
}

// A chunk: length, type, data, CRC over type and data.
void PutChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
    Put32BE(out, static_cast<uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc =
        crc32(crc32(0L, Z_NULL, 0), out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    Put32BE(out, static_cast<uint32_t>(crc));
}

}  // namespace

std::vector<uint8_t> EncodePng(const Bitmap& image) {
    if (image.IsNull() || image.pixels.size() != static_cast<std::size_t>(image.width) *
                                                     static_cast<std::size_t>(image.height)) {
        return {};
    }
    const auto w = static_cast<std::size_t>(image.width);
    const auto h = static_cast<std::size_t>(image.height);
    // Each row: filter type 0 (none), then red, green, blue per pixel.
    std::vector<uint8_t> raw;
    raw.reserve(h * (1 + 3 * w));
    for (std::size_t y = 0; y < h; ++y) {
        raw.push_back(0);
        for (std::size_t x = 0; x < w; ++x) {
            const uint32_t p = image.pixels[y * w + x];
            raw.push_back(static_cast<uint8_t>(p >> 16U));
            raw.push_back(static_cast<uint8_t>(p >> 8U));
            raw.push_back(static_cast<uint8_t>(p));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        return {};
    }
    packed.resize(packedSize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32BE(header, static_cast<uint32_t>(w));
    Put32BE(header, static_cast<uint32_t>(h));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

bool WritePng(const std::filesystem::path& path, const Bitmap& image, std::string* why) {
    const std::vector<uint8_t> bytes = EncodePng(image);
    if (bytes.empty()) {
        if (why != nullptr) {
            *why = "the image could not be encoded";
        }
        return false;
    }
    return fileio::WriteFile(path, bytes, why);
}
