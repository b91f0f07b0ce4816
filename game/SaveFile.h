// Saved games on disk: the board's 1811-byte state record, read whole and checked.
#pragma once

#include <filesystem>
#include <string>

#include "engine/Board.h"

namespace savefile {

// What became of reading a saved game.
enum class LoadStatus {
    kLoaded,   // the board holds the saved game
    kNoFile,   // missing or empty: there is no saved game
    kRefused,  // unreadable, not exactly 1811 bytes or holding a value out of its range
};

struct SLoadResult {
    LoadStatus status = LoadStatus::kLoaded;
    // Why the game was not loaded, naming the file; empty when it was. The game says nothing
    // about kNoFile; a command that was given the file reports it as well.
    std::string reason;

    bool Loaded() const { return status == LoadStatus::kLoaded; }
};

// Reads a saved game into the board (and the level and custom-entry flag into the options).
// Anything but kLoaded changes nothing.
[[nodiscard]] SLoadResult Read(const std::filesystem::path& path, CBoard& board);

// Writes the board's state record; the target is replaced only by a complete file.
bool Write(const std::filesystem::path& path, const CBoard& board, std::string* why = nullptr);

}  // namespace savefile
