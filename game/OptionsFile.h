// options.cfg: the options record's 140-byte image in the data folder.
#pragma once

#include <filesystem>
#include <string>

#include "engine/Options.h"
#include "platform/FileIO.h"

class DataManager;

constexpr const char* kOptionsFile = "options.cfg";

// Reads up to 140 bytes of options.cfg over the record: a missing file keeps the record as it
// is (the defaults at start-up) and is created empty, a short one sets only the leading
// fields. Values are taken as they are; every lookup that picks a table row with an option
// guards its index. False, with "cannot read PATH: REASON" in `why`, when options.cfg is there
// but cannot be read (a folder, a FIFO, a device, no read permission, far too long): the
// record is unchanged and SaveOptions will not write over that file. Nothing is printed.
bool LoadOptions(COptions& options, DataManager& data, std::string* why = nullptr);
// Writes the 140 bytes; false, with the reason in `why`, when that failed or was refused.
bool SaveOptions(const COptions& options, DataManager& data, std::string* why = nullptr);

// Reads an options file anywhere, the way LoadOptions reads options.cfg: up to 140 bytes over
// the record. A file that is missing or cannot be read changes nothing and gives false, with
// "cannot read PATH: REASON" in `why` and what kept it from being read in `status`.
bool ReadOptionsFile(const std::filesystem::path& path, COptions& options,
                     std::string* why = nullptr, fileio::ReadStatus* status = nullptr);
