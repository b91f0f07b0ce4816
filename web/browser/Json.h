// What the page's script is handed to show: a soft key's popup, a dialog's state and the device
// screen's parts for screen readers, as JSON.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "res/Commands.h"
#include "res/Menus.h"
#include "ui/Accessible.h"
#include "ui/CommandBar.h"

class IDialog;

namespace webjson {

// A JSON string literal of UTF-8 text.
std::string Quote(std::string_view text);

// The popup's items, each command with its update rule as asked now:
// {"key":0,"left":L,"top":T,"items":[{"command":ID,"caption":C,"enabled":B,"checked":B},
// {"separator":true},{"caption":C,"items":[...]}]}
std::string Menu(int key, int left, int top, const res::SMenuItem& popup,
                 const std::function<SCommandState(CommandId)>& rule);

// A dialog as it shows now, over a device screen of width x height pixels: its caption, the OK
// button's text and its controls at their places in device pixels below the title row, with
// what each shows: {"caption":C,"ok":T,"top":Y,"controls":[{"id":N,"kind":K,"text":T,"x":..,
// "y":..,"w":..,"h":..,"checked":B,"entries":[..],"selection":N,"picture":DATAURL}]}
std::string Dialog(IDialog& dialog, int width, std::string_view ok);

// The device screen's parts as CAccessible describes them, in its order, with the board's name
// and the cell a hint frames (-1 for none): {"board":B,"hint":N,"items":[{"kind":K,
// "index":N,"name":T,"x":..,"y":..,"w":..,"h":..,"enabled":B,"checkable":B,"checked":B,
// "selected":B,"invalid":B,"actionable":B}]}, K one of splash, cell, palette, softkey, button,
// clock.
std::string Screen(std::span<const SAccessibleItem> items, std::string_view board, int hint);

}  // namespace webjson
