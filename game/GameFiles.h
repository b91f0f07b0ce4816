// The autosaved game: resumed at start-up, written whenever the program ends.
#pragma once

#include <string>
#include <string_view>

#include "engine/Board.h"
#include "game/SaveFile.h"

class DataManager;

namespace gamefiles {

constexpr const char* kAutosave = "autosave.sdk";

// Reads a saved game of the data folder into the board, as savefile::Read reads any saved
// game: kNoFile when the file is missing or empty (no saved game, nothing to say), kRefused
// with the reason when it is not a whole, undamaged saved game or cannot be read; the board
// is unchanged in both cases. Nothing is printed: the caller decides whether and where the
// reason is shown. A file that is there but cannot be read (a folder, a FIFO, a device, no
// read permission) is remembered by the data manager and never written over.
[[nodiscard]] savefile::SLoadResult LoadGameFile(DataManager& data, CBoard& board,
                                                 std::string_view name);

// Writes the board's state record as the whole data file (exactly 1811 bytes) with
// savefile::Write. False, with the reason in `why`, when the write failed, or when the file
// was there at start-up but could not be read ("PATH not written: it could not be read at
// start-up (...)").
bool WriteGameFile(DataManager& data, const CBoard& board, std::string_view name,
                   std::string* why = nullptr);

}  // namespace gamefiles
