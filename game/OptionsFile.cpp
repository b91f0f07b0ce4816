// options.cfg: the options record's 140-byte image, read at start-up and written at the end.
#include "game/OptionsFile.h"

#include <algorithm>
#include <span>

#include "platform/DataManager.h"
#include "platform/FileIO.h"

namespace {

// The leading bytes of a file over the record; bytes past the 140th are ignored.
void ReadOver(COptions& options, std::span<const uint8_t> bytes) {
    options.ReadImage(bytes.data(), std::min(bytes.size(), COptions::kFileBytes));
}

}  // namespace

void LoadOptions(COptions& options, DataManager& data) {
    auto file = data.OpenDataFile(kOptionsFile);
    COptions::Image im{};
    const std::size_t n = DataManager::ReadBlock(*file, im.data(), im.size());
    data.CloseDataFile(std::move(file));
    ReadOver(options, std::span<const uint8_t>(im.data(), n));
}

bool SaveOptions(const COptions& options, DataManager& data) {
    auto file = data.OpenDataFile(kOptionsFile);
    const COptions::Image im = options.ToImage();
    file->SeekToBegin();
    DataManager::WriteBlock(*file, im.data(), im.size());
    return data.CloseDataFile(std::move(file));
}

bool ReadOptionsFile(const std::filesystem::path& path, COptions& options, std::string* why) {
    std::string reason;
    const auto bytes = fileio::ReadFile(path, COptions::kFileBytes, &reason);
    if (!bytes) {
        if (why != nullptr) {
            *why = "cannot read " + path.string() + ": " + reason;
        }
        return false;
    }
    ReadOver(options, *bytes);
    return true;
}
