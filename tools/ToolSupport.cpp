// Shared pieces of sudoku-tool's commands: arguments, puzzle strings, error reporting.
#include "tools/ToolSupport.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <ostream>

namespace tool {

std::optional<std::string> TakeOption(Args& args, std::string_view name, bool& missing) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            if (i + 1 >= args.size()) {
                missing = true;
                args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
                return std::nullopt;
            }
            std::string value = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            return value;
        }
    }
    return std::nullopt;
}

bool TakeFlag(Args& args, std::string_view name) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

bool RefuseUnknownOptions(const Args& args, std::ostream& err, Known known) {
    for (const std::string& a : args) {
        // "-" alone names standard input.
        if (a.size() > 1 && a[0] == '-') {
            const bool repeated = std::find(known.begin(), known.end(), a) != known.end();
            Fail(err, repeated ? "option " + a + " is given more than once"
                               : "unknown option '" + a + "'");
            return false;
        }
    }
    return true;
}

bool CheckPositional(const Args& args, std::size_t atMost, std::ostream& err, Known known) {
    if (!RefuseUnknownOptions(args, err, known)) {
        return false;
    }
    if (args.size() > atMost) {
        Fail(err, "too many arguments");
        return false;
    }
    return true;
}

std::optional<long long> ParseNumber(std::string_view text) {
    long long v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return v;
}

int Fail(std::ostream& err, std::string_view message, int status) {
    err << "sudoku-tool: " << message << '\n';
    return status;
}

int StatusOfFileError(int err) {
    switch (err) {
        case ENOENT:
        case ENOTDIR:
        case EISDIR:
        case ENXIO:
        case ELOOP:
        case ENAMETOOLONG:
        case EBADF:
            return kBadInput;
        default:
            return kFileError;
    }
}

std::string OutputPath(const std::string& argument) {
    // Recognized by name by the file layer, which writes to the descriptor itself.
    return argument == "-" ? std::string("/dev/stdout") : argument;
}

std::optional<std::array<uint8_t, 81>> ParsePuzzle(std::string_view text, std::string* why) {
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    if (text.size() != 81) {
        *why = "a puzzle is 81 characters, this one has " + std::to_string(text.size());
        return std::nullopt;
    }
    std::array<uint8_t, 81> values{};
    for (std::size_t i = 0; i < 81; ++i) {
        const char c = text[i];
        if (c >= '1' && c <= '9') {
            values[i] = static_cast<uint8_t>(c - '0');
        } else if (c != '.' && c != '0') {
            *why =
                "character " + std::to_string(i + 1) + " of the puzzle is not a digit, '.' or '0'";
            return std::nullopt;
        }
    }
    return values;
}

std::optional<std::array<uint8_t, 81>> PuzzleArgument(const Args& args, std::ostream& err) {
    if (args.empty()) {
        Fail(err, "a puzzle of 81 characters is needed");
        return std::nullopt;
    }
    std::string why;
    auto values = ParsePuzzle(args[0], &why);
    if (!values) {
        Fail(err, why);
    }
    return values;
}

CBoard::Grid GridOfGivens(const std::array<uint8_t, 81>& values) {
    CBoard::Grid g{};
    for (int i = 0; i < 81; ++i) {
        CBoard::Cell& c = g.cells[i % 9][i / 9];
        c.value = values[static_cast<std::size_t>(i)];
        c.given = c.value != 0 ? 1 : 0;
    }
    return g;
}

std::array<uint8_t, 81> ValuesOf(const CBoard::Grid& grid, bool givensOnly) {
    std::array<uint8_t, 81> values{};
    for (int i = 0; i < 81; ++i) {
        const CBoard::Cell& c = grid.cells[i % 9][i / 9];
        if (!givensOnly || CBoard::IsGiven(c)) {
            values[static_cast<std::size_t>(i)] = c.value;
        }
    }
    return values;
}

std::string PuzzleText(const std::array<uint8_t, 81>& values) {
    std::string s(81, '.');
    for (std::size_t i = 0; i < 81; ++i) {
        if (values[i] >= 1 && values[i] <= 9) {
            s[i] = static_cast<char>('0' + values[i]);
        }
    }
    return s;
}

}  // namespace tool
