// UTF-8 decoding for the canvases' text.
#include "platform/Utf8.h"

namespace utf8 {
namespace {

constexpr uint32_t kLastCodePoint = 0x10FFFF;

}  // namespace

uint32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t extra = 0;
    uint32_t cp = 0;
    uint32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1FU;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0FU;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07U;
        least = 0x10000;
    }
    if (extra == 0 || text.size() - pos <= extra) {
        ++pos;
        return kReplacementCharacter;
    }
    for (std::size_t i = 1; i <= extra; ++i) {
        const uint8_t b = byte(pos + i);
        if ((b & 0xC0U) != 0x80U) {
            ++pos;
            return kReplacementCharacter;
        }
        cp = (cp << 6U) | (b & 0x3FU);
    }
    if (cp < least || cp > kLastCodePoint || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kReplacementCharacter;
    }
    pos += extra + 1;
    return cp;
}

}  // namespace utf8
