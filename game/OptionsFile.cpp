// options.cfg: the options record's 140-byte image, read at start-up and written at the end.
#include "game/OptionsFile.h"

#include <algorithm>
#include <span>

#include "platform/DataManager.h"

namespace {

// The leading bytes of a file over the record; bytes past the 140th are ignored.
void ReadOver(COptions& options, std::span<const uint8_t> bytes) {
    options.ReadImage(bytes.data(), std::min(bytes.size(), COptions::kFileBytes));
}

}  // namespace

bool LoadOptions(COptions& options, DataManager& data, std::string* why) {
    auto file = data.OpenDataFile(kOptionsFile);
    if (!file->Unreadable().empty()) {
        if (why != nullptr) {
            *why = "cannot read " + file->Path().string() + ": " + file->Unreadable();
        }
        return false;
    }
    COptions::Image im{};
    const std::size_t n = DataManager::ReadBlock(*file, im.data(), im.size());
    data.CloseDataFile(std::move(file));
    ReadOver(options, std::span<const uint8_t>(im.data(), n));
    return true;
}

bool SaveOptions(const COptions& options, DataManager& data, std::string* why) {
    auto file = data.OpenDataFile(kOptionsFile);
    const COptions::Image im = options.ToImage();
    file->SeekToBegin();
    DataManager::WriteBlock(*file, im.data(), im.size());
    return data.CloseDataFile(std::move(file), why);
}

bool ReadOptionsFile(const std::filesystem::path& path, COptions& options, std::string* why,
                     fileio::ReadStatus* status) {
    const fileio::SRead r = fileio::ReadRegularFile(path, COptions::kFileBytes);
    if (status != nullptr) {
        *status = r.status;
    }
    if (!r.Ok()) {
        if (why != nullptr) {
            *why = "cannot read " + path.string() + ": " + r.why;
        }
        return false;
    }
    ReadOver(options, r.bytes);
    return true;
}
