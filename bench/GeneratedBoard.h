// The givens of a board as the generator makes it, for the solve benchmarks.
#pragma once

#include <cstdint>

#include "engine/Board.h"
#include "engine/Options.h"

// The board the generator of seed `seed` makes at `level`, as givens only: what a new game of
// the level leaves on the board.
inline CBoard::Grid GeneratedBoard(int level, uint64_t seed) {
    CRandom random(seed);
    COptions options;
    CBoard maker(random, options);
    maker.NewPuzzle(level);
    CBoard::Grid givens{};
    for (int x = 0; x < CBoard::kSize; ++x) {
        for (int y = 0; y < CBoard::kSize; ++y) {
            const uint8_t v = maker.GetGrid().cells[x][y].value;
            givens.cells[x][y].value = v;
            givens.cells[x][y].given = v != 0 ? 1 : 0;
        }
    }
    return givens;
}
