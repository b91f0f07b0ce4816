// Numbers of the command line and of scripts: decimal or 0x hexadecimal.
#pragma once

#include <cstdint>
#include <string_view>

// "123", "0x7B" or "0X7b"; a leading '-' only when `min` is negative. No spaces, no '+', no
// trailing characters. False (and `out` unchanged) for anything else or a value outside
// min..max.
bool ParseNumber(std::string_view text, int64_t min, int64_t max, int64_t& out);
// The same for the whole range of an unsigned 64-bit seed.
bool ParseUnsigned(std::string_view text, uint64_t& out);
