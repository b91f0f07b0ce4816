// Reading files that must be regular files without ever blocking, and the one way every file
// the program saves is written.
//
// Reading: the path is looked at with stat, then opened with O_NONBLOCK and checked again with
// fstat, so a FIFO, a device, a socket or a folder is refused with one clear reason and
// nothing waits for a writer.
//
// Writing (WriteFile), by what the path names once symbolic links are followed:
//   - standard output or another open descriptor of the process (/dev/stdout, /dev/stderr,
//     /dev/fd/N, /proc/self/fd/N): written through that descriptor, in place;
//   - a regular file, or nothing yet: a temporary file is written in the folder of the file the
//     links lead to, flushed to disk and renamed over it, so the links stay and the file is
//     never half-written. A replaced file keeps its mode, and its owner where the process may
//     set it; a file the user may not write is refused and left as it is;
//   - a device, a FIFO or a socket: opened without blocking (a FIFO that nobody reads fails at
//     once) and written through in place;
//   - a folder: refused.
// Every write, flush, close and rename is checked; false means the bytes are not all there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fileio {

// Why a file could not be read or written, as a kind the game can name in the player's
// language (the `why` texts beside it are for standard error).
enum class Problem {
    kNone,
    kMissing,         // nothing at the path
    kNotAFile,        // a folder, a FIFO, a device or a socket
    kDenied,          // the user may not read or write it
    kNoFolder,        // the folder it would go in does not exist
    kFolderReadOnly,  // the folder it would go in cannot be written
    kDiskFull,        // no room is left where it would go
    kFailed,          // anything else: an input/output error, ...
};

enum class ReadStatus {
    kRead,      // the bytes are there
    kMissing,   // nothing at the path (a link that leads nowhere included)
    kNotAFile,  // a folder, a FIFO, a device or a socket
    kFailed,    // a file that could not be read: no permission, an input/output error, ...
};

struct SRead {
    ReadStatus status = ReadStatus::kRead;
    std::vector<uint8_t> bytes;
    // Why it was not read, in a few words ("it is a folder, not a file", "Permission denied");
    // empty when it was.
    std::string why;
    Problem problem = Problem::kNone;

    bool Ok() const { return status == ReadStatus::kRead; }
};

// Reads at most maxBytes + 1 bytes of a regular file (one more than allowed, so that the
// caller sees a file that is too long).
SRead ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

// ReadRegularFile's bytes, or nullopt with the reason in `why`.
std::optional<std::vector<uint8_t>> ReadFile(const std::filesystem::path& path,
                                             std::size_t maxBytes, std::string* why = nullptr);

// True when the path leads to a regular file that opens for reading; otherwise false with
// the reason in `why`. Nothing blocks. For files handed on by name to something that would
// block on a FIFO (a sound, a page for the browser).
bool CheckRegularFile(const std::filesystem::path& path, std::string* why = nullptr,
                      Problem* problem = nullptr);

// Writes the bytes as the whole file by the rules at the top of this file. On failure `why`
// says what went wrong, `problem` gives its kind (found by looking at the path and its folder
// once the write has failed) and a file that was there is unchanged.
bool WriteFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
               std::string* why = nullptr, Problem* problem = nullptr);

// WriteFile under the name its older callers use.
inline bool WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                                std::string* why = nullptr) {
    return WriteFile(path, bytes, why);
}

}  // namespace fileio
