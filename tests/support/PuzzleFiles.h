// Test support: the puzzle samples kept under tests/data/puzzles.
#pragma once

#include <charconv>
#include <fstream>
#include <string>
#include <vector>

namespace testsupport {

// The path of a sample file.
inline std::string PuzzlePath(const std::string& name) {
    return std::string(SUDOKU_SOURCE_DIR) + "/tests/data/puzzles/" + name;
}

// The lines of a sample file (CR characters dropped, empty lines skipped); empty when the
// file cannot be read.
inline std::vector<std::string> ReadPuzzleLines(const std::string& name) {
    std::vector<std::string> lines;
    std::ifstream in(PuzzlePath(name));
    std::string line;
    while (std::getline(in, line)) {
        std::erase(line, '\r');
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

// One case of solution_counts.txt: the puzzle, its number of solutions and, when that is 1,
// the solution.
struct SCountedPuzzle {
    std::string puzzle;
    int count = 0;
    std::string solution;
};

inline std::vector<SCountedPuzzle> ReadCountedPuzzles() {
    std::vector<SCountedPuzzle> cases;
    for (const std::string& line : ReadPuzzleLines("solution_counts.txt")) {
        SCountedPuzzle c;
        const std::size_t colon = line.find(':');
        if (colon != 81) {
            continue;
        }
        c.puzzle = line.substr(0, 81);
        const std::size_t second = line.find(':', colon + 1);
        const std::size_t end = second == std::string::npos ? line.size() : second;
        std::from_chars(line.data() + colon + 1, line.data() + end, c.count);
        if (second != std::string::npos) {
            c.solution = line.substr(second + 1);
        }
        cases.push_back(c);
    }
    return cases;
}

// The sample sets of puzzles, each a file of one puzzle a line.
inline const std::vector<std::string>& PuzzleSetNames() {
    static const std::vector<std::string> names = {
        "sudoku_exchange_easy_500.txt",
        "sudoku_exchange_medium_500.txt",
        "sudoku_exchange_hard_500.txt",
        "sudoku_exchange_diabolical_500.txt",
        "forum_hardest_1106.txt",
        "magictour_top1465.txt",
        "17_clue.txt",
        "forum_hardest_1905_11plus.txt",
        "serg_benchmark.txt",
    };
    return names;
}

}  // namespace testsupport
