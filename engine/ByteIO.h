// Little-endian field readers and writers for the program's fixed-size binary records.
#pragma once

#include <cstddef>
#include <cstdint>

// Every stored record (grid, saved game, options) is written and read field by field through
// these helpers, so that the byte layout never depends on the compiler's struct layout.
namespace byteio {

inline void Put8(uint8_t* p, uint8_t v) {
    p[0] = v;
}

inline void Put16(uint8_t* p, int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    p[0] = static_cast<uint8_t>(u & 0xFFU);
    p[1] = static_cast<uint8_t>(u >> 8U);
}

inline void Put32(uint8_t* p, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (std::size_t i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>((u >> (8U * i)) & 0xFFU);
    }
}

inline uint8_t Get8(const uint8_t* p) {
    return p[0];
}

inline int16_t Get16(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8U)));
}

inline int32_t Get32(const uint8_t* p) {
    uint32_t u = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        u |= static_cast<uint32_t>(p[i]) << (8U * i);
    }
    return static_cast<int32_t>(u);
}

}  // namespace byteio
