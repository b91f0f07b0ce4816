// sudoku-tool render: a saved game drawn as the game screen shows it, written as a PNG file.
#pragma once

#include "tools/ToolSupport.h"

namespace tool {

// render FILE.sdk -o OUT.png [--options options.cfg] [--program-dir DIR] [--screen WxH]
//        [--pencil] [--hint X Y] [--clock]
// The saved game gives the board, the selection, the current number, the level, custom entry
// and the time; the options file every other setting (input mode, skin, Auto Pencilmarks, Flag
// Illegal, Limit Numbers, Crosshatching), the defaults when none is given. The skin comes from
// the program folder. The image is the view's client area: the screen (default 480x272) less
// the command bar. Bad input: one line on the error stream and kBadInput.
int RunRender(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tool
