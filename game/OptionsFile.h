// options.cfg: the options record's 140-byte image in the data folder.
#pragma once

#include "engine/Options.h"

class DataManager;

constexpr const char* kOptionsFile = "options.cfg";

// Reads up to 140 bytes of options.cfg over the record: a missing file keeps the record as it
// is (the defaults at start-up) and a short one sets only the leading fields. Values are taken
// as they are; every lookup that picks a table row with an option guards its index.
void LoadOptions(COptions& options, DataManager& data);
// Writes the 140 bytes; false when that failed.
bool SaveOptions(const COptions& options, DataManager& data);
