// Shared pieces of sudoku-tool's commands: arguments, puzzle strings, a board for one command,
// error reporting.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Board.h"
#include "engine/Options.h"
#include "engine/Random.h"

namespace tool {

// Exit statuses: done; a file (standard output included) could not be written, or one that
// is there could not be read; bad input or usage (a wrong argument, a file that is missing,
// not a file or not what the command reads).
constexpr int kOk = 0;
constexpr int kFileError = 1;
constexpr int kBadInput = 2;

using Args = std::vector<std::string>;
using Command = int (*)(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

// Takes the value of an option such as "--seed 5" out of the arguments. Gives nullopt when the
// option is absent; sets `missing` when it is present without a value.
std::optional<std::string> TakeOption(Args& args, std::string_view name, bool& missing);
// Takes a flag such as "--pencil" out of the arguments.
bool TakeFlag(Args& args, std::string_view name);
// The options a command takes, for the message about one given twice.
using Known = std::initializer_list<std::string_view>;
// Refuses (with the message printed) any argument left that looks like an option: every
// command takes its own options out first, so one of `known` left over was given twice.
bool RefuseUnknownOptions(const Args& args, std::ostream& err, Known known = {});
// Refuses unknown and repeated options and more than `atMost` positional arguments.
bool CheckPositional(const Args& args, std::size_t atMost, std::ostream& err, Known known = {});
// Parses a whole decimal number (an optional leading '-').
std::optional<long long> ParseNumber(std::string_view text);

// Prints "sudoku-tool: <message>" on the error stream and gives kBadInput (or `status`).
int Fail(std::ostream& err, std::string_view message, int status = kBadInput);
// The exit status of a file that could not be opened or read, by errno: a name that leads
// nowhere or to something that is not a file is bad input, anything else a file error.
int StatusOfFileError(int err);
// The path an output argument names: "-" is standard output.
std::string OutputPath(const std::string& argument);

// A board that lives for one command, with its own options and random source.
struct SSession {
    explicit SSession(uint64_t seed) : random(seed) {}
    CRandom random;
    COptions options;
    CBoard board{random, options};
};

// A puzzle string: 81 characters row by row, '1'..'9' for a digit, '.' or '0' for empty.
// Gives the values by cell index, or nullopt with the reason in `why`.
std::optional<std::array<uint8_t, 81>> ParsePuzzle(std::string_view text, std::string* why);
// The one puzzle argument of a command (the first positional one); nullopt with the message
// printed when it is missing or malformed.
std::optional<std::array<uint8_t, 81>> PuzzleArgument(const Args& args, std::ostream& err);

// A grid with the values as givens (every other field 0).
CBoard::Grid GridOfGivens(const std::array<uint8_t, 81>& values);
// The values of a grid by cell index; only givens when `givensOnly`.
std::array<uint8_t, 81> ValuesOf(const CBoard::Grid& grid, bool givensOnly = false);
// 81 characters, '.' for empty.
std::string PuzzleText(const std::array<uint8_t, 81>& values);

}  // namespace tool
