// Saved games on disk: the board's 1811-byte state record, read whole and checked.
#pragma once

#include <filesystem>
#include <string>

#include "engine/Board.h"
#include "platform/FileIO.h"
#include "res/Strings.h"

namespace savefile {

// What became of reading a saved game.
enum class LoadStatus {
    kLoaded,   // the board holds the saved game
    kNoFile,   // missing or empty: there is no saved game
    kRefused,  // unreadable, not a file, not exactly 1811 bytes or holding a value out of range
};

// Why a saved game was not read or written, as the game names it in the player's language: the
// file's own problem (fileio::Problem), or what is wrong with its bytes (kNotASavedGame: not
// exactly 1811 bytes; kDamaged: a value out of its range).
using Fault = res::FileReason;

// The kind of a file's problem.
Fault FaultOf(fileio::Problem problem);

struct SLoadResult {
    LoadStatus status = LoadStatus::kLoaded;
    // Why the game was not loaded, naming the file; empty when it was. The game says nothing
    // about kNoFile; a command that was given the file reports it as well.
    std::string reason;
    // The file is there but reading it failed (no permission, an input/output error), rather
    // than being missing, not a file or not a saved game.
    bool readFailed = false;
    Fault fault = Fault::kNone;

    bool Loaded() const { return status == LoadStatus::kLoaded; }
};

// Reads a saved game into the board (and the level and custom-entry flag into the options).
// Anything but kLoaded changes nothing.
[[nodiscard]] SLoadResult Read(const std::filesystem::path& path, CBoard& board);

// The same for a file already read (at most 1812 bytes of it) from `path`.
[[nodiscard]] SLoadResult Load(const fileio::SRead& file, const std::filesystem::path& path,
                               CBoard& board);

// Writes the board's state record through fileio::WriteFile: a file is replaced only by a
// complete one, links are followed and devices written in place. On failure `why` says
// "cannot write PATH: REASON" and `fault` gives its kind.
bool Write(const std::filesystem::path& path, const CBoard& board, std::string* why = nullptr,
           Fault* fault = nullptr);

}  // namespace savefile
