// Writing a PNG file, and the PNG encoder of builds without zlib: the pixels in stored (not
// compressed) deflate blocks.
#include "platform/PngWriter.h"

#include <algorithm>
#include <array>

#include "platform/FileIO.h"

namespace {

// CRC-32 of PNG chunks (ISO 3309, the polynomial 0xEDB88320 reflected).
class CCrc32 {
public:
    CCrc32() {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1U) : c >> 1U;
            }
            m_table[n] = c;
        }
    }

    uint32_t Of(const uint8_t* data, std::size_t size) const {
        uint32_t c = 0xFFFFFFFFU;
        for (std::size_t i = 0; i < size; ++i) {
            c = m_table[(c ^ data[i]) & 0xFFU] ^ (c >> 8U);
        }
        return c ^ 0xFFFFFFFFU;
    }

private:
    std::array<uint32_t, 256> m_table{};
};

void PutBig32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> static_cast<unsigned>(shift)));
    }
}

// A chunk: its length, type and data, then the CRC of type and data.
void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data,
              const CCrc32& crc) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, crc.Of(out.data() + start, out.size() - start));
}

}  // namespace

std::vector<uint8_t> EncodePngStored(const Bitmap& image) {
    if (image.IsNull() || image.pixels.size() != static_cast<std::size_t>(image.width) *
                                                     static_cast<std::size_t>(image.height)) {
        return {};
    }
    // Each row: filter type 0 (none), then red, green, blue per pixel.
    std::vector<uint8_t> raw;
    raw.reserve(image.pixels.size() * 3 + static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.At(x, y);
            raw.push_back(static_cast<uint8_t>(p >> 16U));
            raw.push_back(static_cast<uint8_t>(p >> 8U));
            raw.push_back(static_cast<uint8_t>(p));
        }
    }
    // A zlib stream (deflate, 32 KiB window, no dictionary) of stored blocks of at most 65535
    // bytes, closed by the Adler-32 of the raw bytes.
    constexpr std::size_t kBlock = 65535;
    std::vector<uint8_t> zlib{0x78, 0x01};
    uint32_t a = 1;
    uint32_t b = 0;
    for (std::size_t at = 0; at < raw.size(); at += kBlock) {
        const std::size_t size = std::min(kBlock, raw.size() - at);
        const bool last = at + size == raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(static_cast<uint8_t>(size));
        zlib.push_back(static_cast<uint8_t>(size >> 8U));
        zlib.push_back(static_cast<uint8_t>(~size));
        zlib.push_back(static_cast<uint8_t>(~size >> 8U));
        for (std::size_t i = at; i < at + size; ++i) {
            zlib.push_back(raw[i]);
            a = (a + raw[i]) % 65521U;
            b = (b + a) % 65521U;
        }
    }
    PutBig32(zlib, (b << 16U) | a);

    const CCrc32 crc;
    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(image.width));
    PutBig32(header, static_cast<uint32_t>(image.height));
    // 8 bits per sample, colour type 2 (RGB), deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    PutChunk(out, "IHDR", header, crc);
    PutChunk(out, "IDAT", zlib, crc);
    PutChunk(out, "IEND", {}, crc);
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
