// Test support: boards from 81-character strings and back.
#pragma once

#include <string>
#include <string_view>

#include "engine/Board.h"

namespace testsupport {

// A grid whose digits (row by row, '.' or '0' for empty) are all givens, or all player
// entries when `given` is false. Every other field is 0.
inline CBoard::Grid GridFrom(std::string_view text, bool given = true) {
    CBoard::Grid g{};
    for (int i = 0; i < 81 && i < static_cast<int>(text.size()); ++i) {
        const char c = text[static_cast<std::size_t>(i)];
        if (c >= '1' && c <= '9') {
            g.cells[i % 9][i / 9].value = static_cast<uint8_t>(c - '0');
            g.cells[i % 9][i / 9].given = given ? 1 : 0;
        }
    }
    return g;
}

// The values of a grid, row by row, '.' for empty.
inline std::string ValuesOf(const CBoard::Grid& g) {
    std::string s(81, '.');
    for (int i = 0; i < 81; ++i) {
        const int v = g.cells[i % 9][i / 9].value;
        if (v != 0) {
            s[static_cast<std::size_t>(i)] = static_cast<char>('0' + v);
        }
    }
    return s;
}

// Whether the 81 characters are a complete grid that breaks no rule.
inline bool IsValidSolution(std::string_view s) {
    if (s.size() != 81) {
        return false;
    }
    for (int a = 0; a < 81; ++a) {
        const char ca = s[static_cast<std::size_t>(a)];
        if (ca < '1' || ca > '9') {
            return false;
        }
        for (int b = a + 1; b < 81; ++b) {
            const bool peer = a % 9 == b % 9 || a / 9 == b / 9 ||
                              ((a % 9) / 3 == (b % 9) / 3 && (a / 27) == (b / 27));
            if (peer && ca == s[static_cast<std::size_t>(b)]) {
                return false;
            }
        }
    }
    return true;
}

// Whether `solution` keeps every digit of `puzzle`.
inline bool Agrees(std::string_view puzzle, std::string_view solution) {
    for (std::size_t i = 0; i < 81; ++i) {
        if (puzzle[i] >= '1' && puzzle[i] <= '9' && puzzle[i] != solution[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace testsupport
