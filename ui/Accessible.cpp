// CAccessible: the names, states and places of the device screen's parts, read from the game,
// the command bar and the view, in the game's language.
#include "ui/Accessible.h"

#include "engine/Options.h"
#include "platform/Screen.h"
#include "res/Menus.h"
#include "res/ReaderTexts.h"
#include "res/Strings.h"
#include "ui/CommandBar.h"
#include "ui/Game.h"
#include "ui/GameRoot.h"
#include "ui/MainFrm.h"
#include "ui/SudokuView.h"

namespace {

using res::ReaderText;

// A text with "%1" and "%2" replaced.
std::string Fill(std::string_view pattern, std::string_view first, std::string_view second = {}) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// The digits of a mask, "1 4 7".
std::string Digits(int32_t mask) {
    std::string out;
    for (int d = 1; d <= CBoard::kSize; ++d) {
        if (((mask >> (d - 1)) & 1) != 0) {
            if (!out.empty()) {
                out += ' ';
            }
            out += static_cast<char>('0' + d);
        }
    }
    return out;
}

// The parts of a name joined by the language's separator.
class CName {
public:
    explicit CName(int language) : m_language(language) {}
    void Add(std::string_view part) {
        if (!m_text.empty()) {
            m_text += res::ReaderWord(m_language, ReaderText::kSeparator);
        }
        m_text += part;
    }
    void Add(ReaderText word) { Add(res::ReaderWord(m_language, word)); }
    std::string Text() const { return m_text; }

private:
    int m_language;
    std::string m_text;
};

SAccessibleItem Item(SAccessibleItem::EKind kind, int index, std::string name, SRect rect) {
    SAccessibleItem item;
    item.kind = kind;
    item.index = index;
    item.name = std::move(name);
    item.rect = rect;
    item.tapX = rect.left + rect.Width() / 2;
    item.tapY = rect.top + rect.Height() / 2;
    return item;
}

}  // namespace

std::vector<SAccessibleItem> CAccessible::Describe() const {
    std::vector<SAccessibleItem> items;
    if (!m_app.IsStarted()) {
        return items;
    }
    CGameRoot& root = m_app.Root();
    CGame& game = root.Game();
    CMainFrame& frame = m_app.Frame();
    const int language = res::LanguageIndex(root.Options().GetLanguage());
    const auto word = [language](ReaderText text) { return res::ReaderWord(language, text); };
    const SScreenSize screen = frame.FrameSize();

    if (m_app.View().IsSplash()) {
        items.push_back(Item(SAccessibleItem::EKind::kSplash, 0,
                             std::string(word(ReaderText::kSplash)),
                             {0, kCommandBarHeight, screen.width, screen.height}));
        return items;
    }

    const int cell = game.GetCellSize();
    for (int y = 0; y < CBoard::kSize; ++y) {
        for (int x = 0; x < CBoard::kSize; ++x) {
            const CGame::SCellLook look = game.CellLook(x, y);
            CName name(language);
            name.Add(
                Fill(word(ReaderText::kCellPlace), std::to_string(y + 1), std::to_string(x + 1)));
            const std::string digit(1, static_cast<char>('0' + look.value));
            if (look.value == 0) {
                name.Add(ReaderText::kEmpty);
            } else if (look.style == CGame::SCellLook::EStyle::kGiven) {
                name.Add(Fill(word(ReaderText::kGiven), digit));
            } else {
                name.Add(digit);
            }
            if (look.style == CGame::SCellLook::EStyle::kIllegal) {
                name.Add(ReaderText::kIllegal);
            }
            if (look.marks != 0) {
                name.Add(Fill(word(ReaderText::kMarks), Digits(look.marks)));
            }
            if (look.illegalMarks != 0) {
                name.Add(Fill(word(ReaderText::kIllegalMarks), Digits(look.illegalMarks)));
            }
            if (look.selected) {
                name.Add(ReaderText::kSelected);
            }
            if (look.hint) {
                name.Add(ReaderText::kHint);
            }
            const int left = game.GetGridX() + x * cell;
            const int top = kCommandBarHeight + game.GetGridY() + y * cell;
            SAccessibleItem item = Item(SAccessibleItem::EKind::kCell, y * CBoard::kSize + x,
                                        name.Text(), {left, top, left + cell, top + cell});
            item.selected = look.selected;
            item.invalid = look.style == CGame::SCellLook::EStyle::kIllegal;
            items.push_back(std::move(item));
        }
    }

    for (int digit = 1; digit <= CBoard::kSize; ++digit) {
        const CGame::SPaletteLook look = game.PaletteLook(digit);
        CName name(language);
        name.Add(Fill(word(ReaderText::kPaletteDigit), std::to_string(digit)));
        if (look.notAllowed) {
            name.Add(ReaderText::kNotAllowed);
        }
        if (look.current) {
            name.Add(ReaderText::kCurrent);
        }
        if (look.candidate) {
            name.Add(ReaderText::kCandidate);
        }
        const int left = game.GetPaletteX() + (digit - 1) * cell;
        const int top = kCommandBarHeight + game.GetPaletteY();
        SAccessibleItem item = Item(SAccessibleItem::EKind::kPalette, digit, name.Text(),
                                    {left, top, left + cell, top + cell});
        item.enabled = !look.notAllowed;
        item.selected = look.current;
        items.push_back(std::move(item));
    }

    for (int key = 0; key < 2; ++key) {
        if (const auto menu = m_app.SoftKeyMenu(key)) {
            const int base = key == 0 ? res::kGameKeyCaption : res::kOptionsKeyCaption;
            const int top = CCommandBar::kButtonTop;
            items.push_back(Item(SAccessibleItem::EKind::kSoftKey, key,
                                 std::string(res::FindString(base + menu->language)),
                                 {menu->left, top, menu->left + CCommandBar::kSoftKeyWidth,
                                  top + CCommandBar::kButtonSize}));
        }
    }

    if (const res::SToolbar* toolbar = res::FindToolbar(res::kMainResource)) {
        for (const CommandId command : toolbar->positions) {
            const SRect rect = frame.ButtonRect(command);
            if (command == res::kToolbarSeparator || rect.Width() <= 0) {
                continue;
            }
            SAccessibleItem item = Item(SAccessibleItem::EKind::kButton, static_cast<int>(command),
                                        frame.ButtonCaption(command), rect);
            item.enabled = frame.IsCommandBarEnabled() && m_app.MenuItemState(command).enabled;
            item.checkable = command == CommandId::kPencilmarks || command == CommandId::kEraser;
            item.checked = command == CommandId::kPencilmarks ? game.GetPencilMode()
                           : command == CommandId::kEraser    ? game.GetEraserMode()
                                                              : false;
            items.push_back(std::move(item));
        }
    }

    SRect clock = game.ClockRect();
    if (clock.Width() > 0) {
        clock.top += kCommandBarHeight;
        clock.bottom += kCommandBarHeight;
        SAccessibleItem item =
            Item(SAccessibleItem::EKind::kClock, 0,
                 Fill(word(ReaderText::kClock), CGame::FormatClock(game.GetElapsed())), clock);
        item.actionable = false;
        items.push_back(std::move(item));
    }
    return items;
}

std::optional<CSudokuApp::SMenuOpen> CAccessible::Activate(const SAccessibleItem& item) {
    if (!item.actionable) {
        return std::nullopt;
    }
    const auto menu = m_app.OnPointerDown(item.tapX, item.tapY);
    m_app.OnPointerUp(item.tapX, item.tapY);
    return menu;
}
