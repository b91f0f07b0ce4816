// Digit masks, shared by the engine's sources.
#pragma once

#include <cstdint>

namespace digits {

// The bit of a digit in a set of digits (bit d - 1 for digit d); values outside 1..9, the 0 of
// an empty cell included, have none.
inline uint16_t BitOf(int value) {
    return (value >= 1 && value <= 9) ? static_cast<uint16_t>(1U << (value - 1)) : 0;
}

}  // namespace digits
