// The command bar's resources as data: menus, soft-key bars, the toolbar and the accelerators.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "res/Commands.h"

// Entries name their commands as CommandId (res/Commands.h), the key of the document's update
// rules. Lookups take any resource id and give nullptr (or an empty span) for an id that has no
// resource.
namespace res {

constexpr int kMainResource = 110;  // menu, soft-key bar, toolbar and accelerators (+ language
                                    // for the menu and the soft-key bar)

enum class MenuItemKind : uint8_t { kCommand, kPopup, kSeparator };

// One entry of a menu: a command, a popup with its own entries, or a separator.
struct SMenuItem {
    MenuItemKind kind;
    CommandId command;         // kCommand: its command; otherwise CommandId{} (0)
    std::string_view caption;  // empty for a separator
    const SMenuItem* items;    // kPopup: its entries in order; otherwise nullptr
    int itemCount;

    std::span<const SMenuItem> Items() const {
        return {items, static_cast<std::size_t>(itemCount)};
    }
};

// A main menu: the popups reached through the soft keys (Game, then Options).
struct SMenu {
    int id;
    int language;
    std::span<const SMenuItem> popups;
};

// Menu 110 + language, or nullptr.
const SMenu* FindMenu(int id);

// The commands the Game and Options soft keys send when pressed. They are not of CommandId: a
// soft key only opens its popup, as a drop-down.
constexpr int kGameKeyCommand = 402;
constexpr int kOptionsKeyCommand = 403;

// A soft key: its caption string, the popup of the menu it opens and its command.
struct SSoftKey {
    int captionString;
    int popupIndex;
    int command;
    bool dropDown;
};

// Soft-key bar 110 + language: it names its menu and holds the Game and Options keys.
struct SSoftKeyBar {
    int id;
    int menuId;
    std::array<SSoftKey, 2> keys;
};

// Soft-key bar 110 + language, or nullptr.
const SSoftKeyBar* FindSoftKeyBar(int id);

// The popup that soft key `key` (0 Game, 1 Options) opens in language `language` (an index
// outside 0..6 takes the English one): the popup of menu 110 + language that soft-key bar
// 110 + language names; nullptr for any other key.
const SMenuItem* SoftKeyPopup(int language, int key);

constexpr CommandId kToolbarSeparator{};

// The toolbar: its positions from left to right, each a command or kToolbarSeparator. Each
// button shows the next image of the current strip, in order.
struct SToolbar {
    int id;
    int bitmapId;
    int buttonWidth;
    int buttonHeight;
    std::span<const CommandId> positions;
};

// Toolbar 110, or nullptr.
const SToolbar* FindToolbar(int id);

// The caption index (res/Strings.h TipText) of a toolbar button's command; 0 for any command
// without one.
int ToolbarCaptionIndex(CommandId command);

// A key with Ctrl held and the command it sends.
struct SAccelerator {
    char key;  // upper-case letter
    bool control;
    CommandId command;
};

// Accelerator table 110, or an empty span.
std::span<const SAccelerator> FindAccelerators(int id);

}  // namespace res
