// Saved games on disk: the board's 1811-byte state record, read whole and checked.
#pragma once

#include <filesystem>
#include <string>

#include "engine/Board.h"

namespace savefile {

// Reads a saved game into the board (and the level and custom-entry flag into the options).
// A file that is missing, unreadable, not exactly 1811 bytes long or holding a value out of
// its range changes nothing and gives false, with the reason in `why`.
bool Read(const std::filesystem::path& path, CBoard& board, std::string* why = nullptr);

// Writes the board's state record; the target is replaced only by a complete file.
bool Write(const std::filesystem::path& path, const CBoard& board, std::string* why = nullptr);

}  // namespace savefile
