// Dialog templates as data: the Language dialog, the statistics dialogs and the about boxes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// Positions and sizes are dialog units, as in the original templates; the shell scales them.
// Lookups take any integer and give nullptr for an id that has no template or control.
namespace res {

constexpr int kLanguageDialog = 140;
constexpr int kStatsDialog = 500;  // + language
constexpr int kAboutDialog = 600;  // + language

constexpr int kStaticControl = -1;  // the id of a label nothing refers to

// Controls of the Language dialog: radio button kLanguageRadio + language index.
constexpr int kLanguageRadio = 1030;

// Controls of the statistics dialog.
constexpr int kStatsReset = 1002;
constexpr int kStatsLevelList = 1005;
constexpr int kStatsSolved = 1010;
constexpr int kStatsTotalTime = 1011;
constexpr int kStatsBestTime = 1012;
constexpr int kStatsAverageTime = 1013;
constexpr int kStatsEntries = 1016;  // hidden: the list entries separated by ';'

// Controls of the about box.
constexpr int kAboutPicture = 139;  // also the id of its bitmap
constexpr int kAboutLine1 = 202;    // credit lines 202..206
constexpr int kAboutLine5 = 206;
constexpr int kAboutVersion = 207;  // "Version 1.1"; a credit line in the Russian box

enum class ControlKind : uint8_t {
    kText,         // static text, left-aligned
    kCentredText,  // static text, centred
    kPicture,      // static bitmap shown at its own size; `image` names it
    kGroupBox,
    kDropDownList,
    kPushButton,
    kRadioButton,  // automatic
};

// Control flags.
constexpr uint32_t kGroupStart = 1U;  // starts a group of radio buttons
constexpr uint32_t kHidden = 2U;
constexpr uint32_t kSorted = 4U;  // a list with the sort style (entries are still appended)

struct SDialogControl {
    ControlKind kind;
    int id;
    std::string_view text;
    int x;
    int y;
    int width;
    int height;
    uint32_t flags;
    int image;  // kPicture: the bitmap id; otherwise 0
};

struct SDialogTemplate {
    int id;
    std::string_view caption;
    std::string_view fontName;
    int fontSize;
    int width;
    int height;
    std::span<const SDialogControl> controls;  // in tab order
};

// Template 140, 500..506 or 600..606, or nullptr.
const SDialogTemplate* FindDialog(int id);

// The first control with this id in a template, or nullptr.
const SDialogControl* FindControl(const SDialogTemplate& dialog, int controlId);

}  // namespace res
