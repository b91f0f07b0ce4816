// What the page's script is handed to show: a soft key's popup and a dialog's state, as JSON.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "res/Commands.h"
#include "res/Menus.h"
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

}  // namespace webjson
