// The soft keys' popup menus: a QMenu made from the menu resource of the current language.
#pragma once

#include <QMenu>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

#include "res/Commands.h"
#include "ui/CommandBar.h"

// A popup is made afresh at each opening, from menu 110 + language (an index outside 0..6
// takes menu 110), so it always speaks the language of the moment. Every popup and submenu
// asks the update rule of each of its commands as it is about to show: enabled, and a check
// mark when checked. Items carry their command id as data.
namespace softkey {

// The update rule of a command (CSudokuDoc::Update, or a table in tests).
using UpdateRule = std::function<SCommandState(CommandId)>;

// The popup of soft key `key` (0 Game, 1 Options) for `language`; its font and its style
// (CScaledStyle, which keeps every caption whole) follow `scale`.
// nullptr when the menu has no such popup.
std::unique_ptr<QMenu> Build(int language, int key, int scale, const UpdateRule& update);

// Opens the popup at `globalPos` (the soft key's bottom-left corner) and waits until it closes;
// gives the command chosen, if any.
std::optional<CommandId> Run(int language, int key, int scale, const UpdateRule& update,
                             QPoint globalPos);

}  // namespace softkey
