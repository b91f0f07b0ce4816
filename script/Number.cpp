// Numbers of the command line and of scripts: decimal or 0x hexadecimal.
#include "script/Number.h"

#include <charconv>

bool ParseUnsigned(std::string_view text, uint64_t& out) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    // from_chars would take a sign of its own; only digits are a number here.
    if (text.empty() || text.front() == '-' || text.front() == '+') {
        return false;
    }
    uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        return false;
    }
    out = value;
    return true;
}

bool ParseNumber(std::string_view text, int64_t min, int64_t max, int64_t& out) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        if (min >= 0) {
            return false;
        }
        text.remove_prefix(1);
    }
    uint64_t magnitude = 0;
    if (!ParseUnsigned(text, magnitude) || magnitude > (uint64_t{1} << 63U)) {
        return false;
    }
    int64_t value = 0;
    if (negative) {
        value = magnitude == (uint64_t{1} << 63U) ? INT64_MIN : -static_cast<int64_t>(magnitude);
    } else if (magnitude > static_cast<uint64_t>(INT64_MAX)) {
        return false;
    } else {
        value = static_cast<int64_t>(magnitude);
    }
    if (value < min || value > max) {
        return false;
    }
    out = value;
    return true;
}
