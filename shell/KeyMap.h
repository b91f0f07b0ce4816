// CKeyMap: the device's virtual-key codes of the desktop's keys, fixed when a key goes down.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

// A key is given its code when it goes down, and its key-up carries the same code, whatever
// the modifiers do meanwhile: `*` typed as Shift+8 stays the star key when Shift is let go
// first. Keys are told apart by their scan code (the Qt key where the platform gives none).
// Keys the game reads have its codes (arrows, digits of the main row and the keypad, Enter,
// F8 and `*` for the star key); other keys have the platform's virtual-key codes (Space 0x20,
// letters 0x41..0x5A, function keys 0x70.., ...), so that every key-up reaches the view as on
// the device. Modifier keys alone have none.
class CKeyMap {
public:
    // The device's code of a Qt key (Qt::Key), 0 for a modifier or a key without one.
    static uint32_t VirtualKey(int qtKey);

    // A key went down: its code (nullopt when it has none, or when it is already down: an
    // auto-repeat). The key is then held until Release.
    std::optional<uint32_t> Press(int qtKey, uint32_t scanCode);
    // Marks a key as down without a code for the view (an accelerator, a soft key): its
    // release then delivers nothing.
    void Swallow(int qtKey, uint32_t scanCode);
    // A key came up: the code it went down with, if it was delivered.
    std::optional<uint32_t> Release(int qtKey, uint32_t scanCode);

private:
    static uint64_t Id(int qtKey, uint32_t scanCode);
    std::map<uint64_t, uint32_t> m_down;  // held keys and their codes (0: not delivered)
};
