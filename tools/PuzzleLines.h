// The puzzle lines of solve's input, read in chunks with a bound on what is kept of a line.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tool {

// Lines are numbered from 1. Blank lines (empty, or a lone carriage return) and comments ('#'
// first) are passed over without being kept, however long they are; of any other line at most
// kMaxKept characters are kept, and a longer one is refused as soon as that is seen, without
// reading the rest of it.
class CPuzzleLines {
public:
    // Fills the buffer: gives the count read, 0 at the end, or -1 with errno's value in `err`.
    using Source = std::function<long(char* buffer, std::size_t size, int& err)>;
    // 81 characters and the carriage return of a line ended the Windows way.
    static constexpr std::size_t kMaxKept = 82;

    explicit CPuzzleLines(Source source);

    enum class Next { kLine, kEnd, kTooLong, kError };
    // The next line that is neither blank nor a comment, as it stands (without the line feed);
    // kError when reading failed (Error() gives errno's value).
    Next Read(std::string& line);
    // The number of the line Read last gave or refused.
    long LineNumber() const { return m_lineNumber; }
    int Error() const { return m_error; }

private:
    bool Fill();

    Source m_source;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    long m_linesDone = 0;
    long m_lineNumber = 0;
    int m_error = 0;
    bool m_atEnd = false;
};

// A descriptor read with read(2): a pipe's lines are taken as they come.
CPuzzleLines::Source DescriptorSource(int fd);
// A stream read through its buffer.
CPuzzleLines::Source StreamSource(std::istream& in);

}  // namespace tool
