// ReadScriptText: the text of a script from a file, or from standard input.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Larger scripts are refused rather than read into memory.
constexpr std::size_t kMaxScriptBytes = 16U << 20;

// A script is read as a stream, so that it may come from a pipe ("-" is standard input): at
// most kMaxScriptBytes, else nothing with the reason in `why`.
std::optional<std::string> ReadScriptText(const std::string& name, std::string& why);
