// options.cfg: the options record's 140-byte image in the data folder.
#pragma once

#include <filesystem>
#include <string>

#include "engine/Options.h"

class DataManager;

constexpr const char* kOptionsFile = "options.cfg";

// Reads up to 140 bytes of options.cfg over the record: a missing file keeps the record as it
// is (the defaults at start-up) and a short one sets only the leading fields. Values are taken
// as they are; every lookup that picks a table row with an option guards its index.
void LoadOptions(COptions& options, DataManager& data);
// Writes the 140 bytes; false when that failed.
bool SaveOptions(const COptions& options, DataManager& data);

// Reads an options file anywhere, the way LoadOptions reads options.cfg: up to 140 bytes over
// the record. A file that is missing or cannot be read changes nothing and gives false, with
// the reason in `why`.
bool ReadOptionsFile(const std::filesystem::path& path, COptions& options,
                     std::string* why = nullptr);
