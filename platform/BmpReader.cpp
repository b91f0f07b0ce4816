// Decoding of Windows BMP files into a Bitmap, checked against the bytes really present.
#include "platform/BmpReader.h"

#include <array>
#include <bit>
#include <utility>

namespace {

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint64_t kInfoHeaderSize = 40;
// Headers of this size or more carry the red, green and blue masks themselves.
constexpr uint64_t kHeaderWithMasks = 52;

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitFields = 3;
constexpr uint32_t kBiJpeg = 4;
constexpr uint32_t kBiPng = 5;
constexpr uint32_t kBiAlphaBitFields = 6;

constexpr uint32_t kBlack = 0xFF000000U;

bool Fail(std::string* why, const char* what) {
    if (why != nullptr) {
        *why = what;
    }
    return false;
}

uint16_t U16(std::span<const uint8_t> b, uint64_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8U));
}

uint32_t U32(std::span<const uint8_t> b, uint64_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8U) |
           (static_cast<uint32_t>(b[at + 2]) << 16U) | (static_cast<uint32_t>(b[at + 3]) << 24U);
}

// One colour channel of a bit-field pixel: where it sits and how to widen it to 0..255.
class CChannel {
public:
    // False when the mask's bits are not one contiguous run.
    bool Init(uint32_t mask) {
        m_mask = mask;
        if (mask == 0) {
            return true;
        }
        m_shift = std::countr_zero(mask);
        const uint32_t run = mask >> m_shift;
        if ((run & (run + 1U)) != 0) {
            return false;
        }
        m_max = run;
        return true;
    }

    // Values scale to 0..255 by rounding value * 255 / largest value; no mask gives 0.
    uint32_t Take(uint32_t pixel) const {
        if (m_mask == 0) {
            return 0;
        }
        const uint64_t v = (pixel & m_mask) >> m_shift;
        return static_cast<uint32_t>((v * 255U + m_max / 2U) / m_max);
    }

private:
    uint32_t m_mask = 0;
    int m_shift = 0;
    uint64_t m_max = 1;
};

struct SLayout {
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint64_t pixelOffset = 0;
    uint64_t stride = 0;
    std::array<uint32_t, 256> palette{};
    std::array<CChannel, 3> channels{};
};

// Reads the headers, the masks and the colour table, checking every size against the file.
bool ReadLayout(std::span<const uint8_t> file, SLayout& lay, std::string* why) {
    const uint64_t size = file.size();
    if (size < kFileHeaderSize + 4) {
        return Fail(why, "file too short");
    }
    if (file[0] != 'B' || file[1] != 'M') {
        return Fail(why, "not a BMP file");
    }
    lay.pixelOffset = U32(file, 10);
    const uint64_t headerSize = U32(file, 14);
    if (headerSize == 12 || headerSize == 16 || headerSize == 64) {
        return Fail(why, "OS/2 bitmap");
    }
    if (headerSize < kInfoHeaderSize) {
        return Fail(why, "bad header size");
    }
    if (kFileHeaderSize + headerSize > size) {
        return Fail(why, "header past the end of the file");
    }

    const auto width = static_cast<int32_t>(U32(file, 18));
    const auto height = static_cast<int32_t>(U32(file, 22));
    const uint16_t planes = U16(file, 26);
    const uint16_t bitCount = U16(file, 28);
    const uint32_t compression = U32(file, 30);
    const uint32_t usedColours = U32(file, 46);

    if (width <= 0 || height == 0) {
        return Fail(why, "bad width or height");
    }
    lay.width = width;
    lay.topDown = height < 0;
    lay.height = lay.topDown ? -int64_t{height} : int64_t{height};
    if (lay.width > kBmpMaxSide || lay.height > kBmpMaxSide ||
        lay.width * lay.height > kBmpMaxPixels) {
        return Fail(why, "image too large");
    }
    if (planes != 1) {
        return Fail(why, "bad plane count");
    }
    switch (compression) {
        case kBiRgb:
        case kBiBitFields:
        case kBiAlphaBitFields:
            break;
        case kBiRle8:
        case kBiRle4:
            return Fail(why, "run-length compressed");
        case kBiJpeg:
        case kBiPng:
            return Fail(why, "embedded JPEG or PNG");
        default:
            return Fail(why, "unknown compression");
    }
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 24:
            if (compression != kBiRgb) {
                return Fail(why, "bit fields at this bit count");
            }
            break;
        case 16:
        case 32:
            break;
        default:
            return Fail(why, "bad bit count");
    }
    lay.bitCount = bitCount;

    uint64_t tableAt = kFileHeaderSize + headerSize;
    std::array<uint32_t, 3> masks{};
    if (compression == kBiRgb) {
        masks = bitCount == 16 ? std::array<uint32_t, 3>{0x7C00U, 0x03E0U, 0x001FU}
                               : std::array<uint32_t, 3>{0xFF0000U, 0x00FF00U, 0x0000FFU};
    } else {
        uint64_t masksAt = kFileHeaderSize + kInfoHeaderSize;
        if (headerSize < kHeaderWithMasks) {
            masksAt = tableAt;
            tableAt += compression == kBiAlphaBitFields ? 16 : 12;
            if (tableAt > size) {
                return Fail(why, "bit fields past the end of the file");
            }
        }
        for (uint64_t i = 0; i < 3; ++i) {
            masks[i] = U32(file, masksAt + 4 * i);
        }
    }
    if (bitCount == 16 || bitCount == 32) {
        const uint32_t pixelBits = bitCount == 32 ? 0xFFFFFFFFU : 0xFFFFU;
        for (std::size_t i = 0; i < 3; ++i) {
            if ((masks[i] & ~pixelBits) != 0 || !lay.channels[i].Init(masks[i])) {
                return Fail(why, "bad bit fields");
            }
        }
    }

    lay.palette.fill(kBlack);
    if (bitCount <= 8) {
        const uint64_t full = uint64_t{1} << static_cast<unsigned>(bitCount);
        const uint64_t declared = usedColours == 0 ? full : usedColours;
        if (tableAt + 4 * declared > size) {
            return Fail(why, "colour table past the end of the file");
        }
        // Entries beyond 2^bits are never indexed; indexes beyond a short table stay black.
        const uint64_t used = declared < full ? declared : full;
        for (uint64_t i = 0; i < used; ++i) {
            const uint64_t at = tableAt + 4 * i;
            lay.palette[i] = kBlack | (uint32_t{file[at + 2]} << 16U) |
                             (uint32_t{file[at + 1]} << 8U) | uint32_t{file[at]};
        }
    }

    if (lay.pixelOffset < kFileHeaderSize + headerSize) {
        return Fail(why, "pixel data inside the header");
    }
    const uint64_t rowBits = static_cast<uint64_t>(lay.width) * bitCount;
    lay.stride = (rowBits + 31) / 32 * 4;
    // The last row may go without its padding.
    const uint64_t needed = lay.stride * static_cast<uint64_t>(lay.height - 1) + (rowBits + 7) / 8;
    if (lay.pixelOffset > size || needed > size - lay.pixelOffset) {
        return Fail(why, "pixel data past the end of the file");
    }
    return true;
}

void DecodeRow(const SLayout& lay, const uint8_t* row, uint32_t* out) {
    const auto w = static_cast<std::size_t>(lay.width);
    switch (lay.bitCount) {
        case 1:
            for (std::size_t x = 0; x < w; ++x) {
                out[x] = lay.palette[(row[x / 8] >> (7 - x % 8)) & 1U];
            }
            break;
        case 4:
            for (std::size_t x = 0; x < w; ++x) {
                out[x] = lay.palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0FU];
            }
            break;
        case 8:
            for (std::size_t x = 0; x < w; ++x) {
                out[x] = lay.palette[row[x]];
            }
            break;
        case 24:
            for (std::size_t x = 0; x < w; ++x) {
                const uint8_t* p = row + 3 * x;
                out[x] = kBlack | (uint32_t{p[2]} << 16U) | (uint32_t{p[1]} << 8U) | p[0];
            }
            break;
        default: {
            const std::size_t bytes = lay.bitCount == 16 ? 2 : 4;
            for (std::size_t x = 0; x < w; ++x) {
                const uint8_t* p = row + bytes * x;
                uint32_t v = uint32_t{p[0]} | (uint32_t{p[1]} << 8U);
                if (bytes == 4) {
                    v |= (uint32_t{p[2]} << 16U) | (uint32_t{p[3]} << 24U);
                }
                out[x] = kBlack | (lay.channels[0].Take(v) << 16U) |
                         (lay.channels[1].Take(v) << 8U) | lay.channels[2].Take(v);
            }
            break;
        }
    }
}

}  // namespace

bool DecodeBmp(std::span<const uint8_t> file, Bitmap& out, std::string* why) {
    SLayout lay;
    if (!ReadLayout(file, lay, why)) {
        return false;
    }
    Bitmap image(static_cast<int>(lay.width), static_cast<int>(lay.height));
    const auto w = static_cast<std::size_t>(lay.width);
    for (int64_t r = 0; r < lay.height; ++r) {
        const int64_t y = lay.topDown ? r : lay.height - 1 - r;
        const uint8_t* row = file.data() + lay.pixelOffset + static_cast<uint64_t>(r) * lay.stride;
        DecodeRow(lay, row, image.pixels.data() + static_cast<std::size_t>(y) * w);
    }
    out = std::move(image);
    return true;
}
