// Fuzzing of saved games: any bytes are refused whole, or load into a board the engine can
// work on and write back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/Board.h"
#include "engine/Options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CRandom random(1);
    COptions options;
    CBoard board(random, options);
    const std::span<const uint8_t> bytes(data, size);
    if (!board.LoadState(bytes)) {
        return 0;
    }
    CBoard::StateRecord again{};
    board.SaveState(again);
    if (!std::equal(again.begin(), again.end(), bytes.begin())) {
        std::abort();
    }
    // The operations a loaded game leads to without a search (a fuzzed board can make the
    // search as long as any puzzle's).
    int32_t x = 0;
    int32_t y = 0;
    board.FindHint(x, y);
    board.UpdateAutoMarks();
    board.IsConsistent();
    board.SetNumber(5);
    board.PlaceNumber(true);
    board.PlaceNumber(false);
    board.GetSelection(x, y);
    if (x >= 0 && y >= 0) {
        board.EraseCell(x, y, false);
    }
    board.EraseIllegal();
    board.Undo();
    board.Restart();
    return 0;
}
