// sudoku-tool: the command-line companion of the game, on the same engine.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <string_view>

#include "tools/EngineCommands.h"
#include "tools/GameCommands.h"
#include "tools/RenderCommand.h"

namespace {

struct CommandEntry {
    std::string_view name;
    tool::Command run;
};

constexpr CommandEntry kCommands[] = {
    {"solve", tool::RunSolve},   {"generate", tool::RunGenerate}, {"hint", tool::RunHint},
    {"check", tool::RunCheck},   {"import", tool::RunImport},     {"show", tool::RunShow},
    {"export", tool::RunExport}, {"stats", tool::RunStats},       {"render", tool::RunRender},
};

constexpr const char* kUsage =
    "usage: sudoku-tool COMMAND [ARGUMENTS]\n"
    "\n"
    "Puzzles are 81 characters, row by row: 1-9 for a digit, '.' or '0' for an empty cell.\n"
    "\n"
    "  solve [FILE|-]                 solve one puzzle per line (standard input by default)\n"
    "  generate --level L [--count N] new puzzles, L = 30, 40, 44, 50 or 65\n"
    "  hint PUZZLE                    the cell a hint points at: 'X Y' (column, row) or 'none'\n"
    "  check PUZZLE                   rules kept?, solved by hidden singles?, solutions\n"
    "  import PUZZLE -o FILE.sdk      a saved game holding the puzzle as a custom game\n"
    "  show FILE.sdk                  a saved game as text\n"
    "  export FILE.sdk                its givens and its current board, one line each\n"
    "  stats [options.cfg]            the statistics of every level\n"
    "  render FILE.sdk -o OUT.png     the game screen of a saved game as a PNG image\n"
    "      [--options options.cfg] [--program-dir DIR] [--screen WxH] [--pencil]\n"
    "      [--hint X Y] [--clock]\n"
    "\n"
    "--seed N makes every random choice reproducible. -o - writes to standard output.\n"
    "Exit status: 0 done, 1 a file could not be written or read, 2 bad input or usage.\n";

// Standard output written with write(2) through a buffer of its own, so that the reason of
// the first failed write is known.
class COutputBuffer : public std::streambuf {
public:
    COutputBuffer() { setp(m_buffer, m_buffer + sizeof m_buffer); }
    // errno's value for the first write that failed; 0 while none has.
    int Error() const { return m_error; }

protected:
    int_type overflow(int_type c) override {
        if (!Drain()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    bool Drain() {
        const char* p = pbase();
        while (m_error == 0 && p < pptr()) {
            const ssize_t n = ::write(STDOUT_FILENO, p, static_cast<std::size_t>(pptr() - p));
            if (n > 0) {
                p += n;
            } else if (n < 0 && errno != EINTR) {
                m_error = errno;
            }
        }
        setp(m_buffer, m_buffer + sizeof m_buffer);
        return m_error == 0;
    }

    char m_buffer[64 * 1024];
    int m_error = 0;
};

// A standard descriptor that is closed is held by /dev/null opened the other way, so that no
// file the program opens lands on it (and gets the output meant for the terminal), while
// reading or writing it still fails as on a closed one.
void HoldClosedStandardDescriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF) {
            const int held = ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
            if (held >= 0 && held != fd) {
                ::close(held);  // an earlier one is still closed: nothing to hold this one
            }
        }
    }
}

// Flushes standard output; a write that failed at any time gives one line and kFileError.
int CheckOutput(std::ostream& out, const COutputBuffer& buffer, int status) {
    out.flush();
    if (out && buffer.Error() == 0) {
        return status;
    }
    const int e = buffer.Error();
    std::cerr << "sudoku-tool: cannot write to standard output: "
              << (e == EBADF ? "it is closed"
                  : e != 0   ? std::strerror(e)
                             : "write error")
              << '\n';
    return status == tool::kOk ? tool::kFileError : status;
}

}  // namespace

int main(int argc, char** argv) {
    HoldClosedStandardDescriptors();
    COutputBuffer buffer;
    std::ostream out(&buffer);
    if (argc < 2) {
        std::cerr << kUsage;
        return tool::kBadInput;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        out << kUsage;
        return CheckOutput(out, buffer, tool::kOk);
    }
    const std::string_view name = argv[1];
    for (const CommandEntry& c : kCommands) {
        if (c.name == name) {
            const tool::Args args(argv + 2, argv + argc);
            return CheckOutput(out, buffer, c.run(args, std::cin, out, std::cerr));
        }
    }
    std::cerr << "sudoku-tool: unknown command '" << name << "'\n" << kUsage;
    return tool::kBadInput;
}
