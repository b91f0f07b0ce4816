// CKeyMap: the device's virtual-key codes of the desktop's keys, fixed when a key goes down.
#include "shell/KeyMap.h"

#include <Qt>

#include "ui/Game.h"

uint32_t CKeyMap::VirtualKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return CGame::kKeyLeft;
        case Qt::Key_Up:
            return CGame::kKeyUp;
        case Qt::Key_Right:
            return CGame::kKeyRight;
        case Qt::Key_Down:
            return CGame::kKeyDown;
        case Qt::Key_F8:
        case Qt::Key_Asterisk:
            return CGame::kKeyStar;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return CGame::kKeyEnter;
        case Qt::Key_Backspace:
            return 0x08;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 0x09;
        case Qt::Key_Escape:
            return 0x1B;
        case Qt::Key_Space:
            return 0x20;
        case Qt::Key_PageUp:
            return 0x21;
        case Qt::Key_PageDown:
            return 0x22;
        case Qt::Key_End:
            return 0x23;
        case Qt::Key_Home:
            return 0x24;
        case Qt::Key_Insert:
            return 0x2D;
        case Qt::Key_Delete:
            return 0x2E;
        default:
            break;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return CGame::kKey0 + static_cast<uint32_t>(qtKey - Qt::Key_0);
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return 0x41 + static_cast<uint32_t>(qtKey - Qt::Key_A);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 0x70 + static_cast<uint32_t>(qtKey - Qt::Key_F1);
    }
    // Punctuation: the platform's codes of a US keyboard's keys.
    switch (qtKey) {
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 0xBA;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return 0xBB;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 0xBC;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 0xBD;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 0xBE;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 0xBF;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 0xC0;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 0xDB;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 0xDC;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 0xDD;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 0xDE;
        default:
            return 0;
    }
}

uint64_t CKeyMap::Id(int qtKey, uint32_t scanCode) {
    // Scan codes and Qt keys never meet: a scan code is marked by the top bit.
    return scanCode != 0 ? (uint64_t{1} << 63U) | scanCode : static_cast<uint32_t>(qtKey);
}

std::optional<uint32_t> CKeyMap::Press(int qtKey, uint32_t scanCode) {
    const uint32_t code = VirtualKey(qtKey);
    if (code == 0) {
        return std::nullopt;
    }
    const auto [it, added] = m_down.try_emplace(Id(qtKey, scanCode), code);
    if (!added) {
        return std::nullopt;
    }
    return code;
}

void CKeyMap::Swallow(int qtKey, uint32_t scanCode) {
    m_down[Id(qtKey, scanCode)] = 0;
}

std::optional<uint32_t> CKeyMap::Release(int qtKey, uint32_t scanCode) {
    const auto it = m_down.find(Id(qtKey, scanCode));
    if (it == m_down.end()) {
        return std::nullopt;
    }
    const uint32_t code = it->second;
    m_down.erase(it);
    if (code == 0) {
        return std::nullopt;
    }
    return code;
}
