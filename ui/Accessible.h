// CAccessible: the device screen told as a list of named parts for screen readers, each with the
// tap that is its action.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "ui/SudokuApp.h"

// One part of the device screen as a screen reader presents it. Points and rectangles are
// device pixels of the whole device screen (the command bar on top).
struct SAccessibleItem {
    enum class EKind { kSplash, kCell, kPalette, kSoftKey, kButton, kClock };
    EKind kind = EKind::kSplash;
    // Which one of its kind: the cell index y * 9 + x, the palette digit 1..9, the soft key 0
    // (Game) or 1 (Options), the button's command id; 0 for the splash and the clock.
    int index = 0;
    // What the reader says, in the game's language: "Row 1, column 2, empty, marks 1 4 7,
    // selected"; the caption of a button or soft key; "Time 03:25".
    std::string name;
    SRect rect;
    bool enabled = true;
    bool checkable = false;  // Pencilmarks and Eraser, whose modes are on or off
    bool checked = false;
    bool selected = false;  // the selected cell; the current number of Number Select
    bool invalid = false;   // a digit shown as illegal
    // The tap that is its action; the clock has none.
    bool actionable = true;
    int tapX = 0;
    int tapY = 0;

    bool operator==(const SAccessibleItem&) const = default;
};

// Reads the application's state; acts only through its entry surface, as a player's tap does.
// The application must outlive it.
class CAccessible {
public:
    explicit CAccessible(CSudokuApp& app) : m_app(app) {}

    // The parts of the device screen now. During the splash: the splash alone. Then: the 81
    // cells row by row, the palette digits 1..9, the soft keys, the toolbar buttons left to
    // right, and the clock where the layout shows one. Nothing before the start-up has ended.
    std::vector<SAccessibleItem> Describe() const;
    // The item's action: the tap at its point (OnPointerDown, then OnPointerUp), as the player
    // would make it. A soft key answers with its popup for the front end to open.
    std::optional<CSudokuApp::SMenuOpen> Activate(const SAccessibleItem& item);

private:
    CSudokuApp& m_app;
};
