// The puzzle lines of solve's input, read in chunks with a bound on what is kept of a line.
#include "tools/PuzzleLines.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <istream>

namespace tool {

namespace {

constexpr std::size_t kChunk = 256 * 1024;

}  // namespace

CPuzzleLines::CPuzzleLines(Source source) : m_source(std::move(source)), m_buffer(kChunk) {}

bool CPuzzleLines::Fill() {
    if (m_atEnd) {
        return false;
    }
    int err = 0;
    const long n = m_source(m_buffer.data(), m_buffer.size(), err);
    if (n <= 0) {
        m_atEnd = true;
        m_error = n < 0 ? err : 0;
        return false;
    }
    m_pos = 0;
    m_end = static_cast<std::size_t>(n);
    return true;
}

CPuzzleLines::Next CPuzzleLines::Read(std::string& line) {
    for (;;) {
        // Runs of empty lines go by a byte at a time, with nothing else done for them.
        for (;;) {
            if (m_pos == m_end && !Fill()) {
                return m_error != 0 ? Next::kError : Next::kEnd;
            }
            const char* begin = m_buffer.data() + m_pos;
            const char* end = m_buffer.data() + m_end;
            const char* p = begin;
            while (p < end && *p == '\n') {
                ++p;
            }
            m_linesDone += p - begin;
            m_pos += static_cast<std::size_t>(p - begin);
            if (m_pos < m_end) {
                break;
            }
        }
        m_lineNumber = m_linesDone + 1;
        const bool comment = m_buffer[m_pos] == '#';
        line.clear();
        for (;;) {
            if (m_pos == m_end && !Fill()) {
                if (m_error != 0) {
                    return Next::kError;
                }
                break;  // the last line, without a line feed
            }
            const char* begin = m_buffer.data() + m_pos;
            const auto* feed = static_cast<const char*>(std::memchr(begin, '\n', m_end - m_pos));
            const std::size_t n =
                feed != nullptr ? static_cast<std::size_t>(feed - begin) : m_end - m_pos;
            if (!comment) {
                if (line.size() + n > kMaxKept) {
                    return Next::kTooLong;
                }
                line.append(begin, n);
            }
            m_pos += n;
            if (feed != nullptr) {
                ++m_pos;
                ++m_linesDone;
                break;
            }
        }
        if (!comment && !line.empty() && line != "\r") {
            return Next::kLine;
        }
    }
}

CPuzzleLines::Source DescriptorSource(int fd) {
    return [fd](char* buffer, std::size_t size, int& err) -> long {
        for (;;) {
            const ssize_t n = ::read(fd, buffer, size);
            if (n >= 0 || errno != EINTR) {
                err = n < 0 ? errno : 0;
                return static_cast<long>(n);
            }
        }
    };
}

CPuzzleLines::Source StreamSource(std::istream& in) {
    return [&in](char* buffer, std::size_t size, int& err) -> long {
        err = 0;
        return static_cast<long>(in.rdbuf()->sgetn(buffer, static_cast<std::streamsize>(size)));
    };
}

}  // namespace tool
