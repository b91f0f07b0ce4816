// UTF-8 decoding for the canvases' text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace utf8 {

constexpr uint32_t kReplacementCharacter = 0xFFFD;

// The next character of UTF-8 text, advancing `pos` (< text.size()); a byte that starts no
// well-formed sequence (an overlong form, a surrogate, beyond U+10FFFF, cut short) is one
// character of its own, U+FFFD.
uint32_t NextCodePoint(std::string_view text, std::size_t& pos);

}  // namespace utf8
