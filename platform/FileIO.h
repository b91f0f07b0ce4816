// Whole-file reads with a size limit, and writes that replace the target only when complete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fileio {

// Reads at most maxBytes + 1 bytes of a regular file (one more than allowed, so that the
// caller sees a file that is too long); nullopt when it is missing, not a regular file or
// cannot be read. `why` says what went wrong.
std::optional<std::vector<uint8_t>> ReadFile(const std::filesystem::path& path,
                                             std::size_t maxBytes, std::string* why = nullptr);

// Writes the bytes to a temporary file beside the target, flushes it to disk and renames it
// over the target. On failure the target is left as it was and the temporary file removed.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                         std::string* why = nullptr);

}  // namespace fileio
