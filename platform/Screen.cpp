// Reading an emulated screen size from its "WxH" form.
#include "platform/Screen.h"

#include <charconv>

namespace {

bool ParseSide(std::string_view text, int32_t& out) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < 1 ||
        value > kMaxScreenSide) {
        return false;
    }
    out = value;
    return true;
}

}  // namespace

bool ParseScreenSize(std::string_view text, SScreenSize& out) {
    const std::size_t cross = text.find_first_of("xX");
    if (cross == std::string_view::npos) {
        return false;
    }
    SScreenSize size;
    if (!ParseSide(text.substr(0, cross), size.width) ||
        !ParseSide(text.substr(cross + 1), size.height) || size.height <= kCommandBarHeight) {
        return false;
    }
    out = size;
    return true;
}
