// The autosaved game: resumed at start-up, written whenever the program ends.
#pragma once

#include <string_view>

#include "engine/Board.h"
#include "game/SaveFile.h"

class DataManager;

namespace gamefiles {

constexpr const char* kAutosave = "autosave.sdk";

// Reads a saved game of the data folder into the board, as savefile::Read reads any saved
// game: kNoFile when the file is missing or empty (no saved game, nothing to say), kRefused
// with the reason when it is not a whole, undamaged saved game; the board is unchanged in
// both cases. The caller decides whether and where the reason is shown.
[[nodiscard]] savefile::SLoadResult LoadGameFile(DataManager& data, CBoard& board,
                                                 std::string_view name);

// Writes the board's state record as the whole data file (exactly 1811 bytes), replacing
// the old file only when complete.
bool WriteGameFile(DataManager& data, const CBoard& board, std::string_view name);

}  // namespace gamefiles
