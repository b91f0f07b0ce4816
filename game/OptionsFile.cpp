// options.cfg: the options record's 140-byte image, read at start-up and written at the end.
#include "game/Options.h"
#include "platform/DataManager.h"

namespace {
constexpr const char* kOptionsFile = "options.cfg";
}  // namespace

void COptions::LoadOptions(DataManager& data) {
    auto file = data.OpenDataFile(kOptionsFile);
    Image im{};
    const std::size_t n = DataManager::ReadBlock(*file, im.data(), im.size());
    data.CloseDataFile(std::move(file));
    ReadImage(im.data(), n);
}

bool COptions::SaveOptions(DataManager& data) const {
    auto file = data.OpenDataFile(kOptionsFile);
    const Image im = ToImage();
    file->SeekToBegin();
    DataManager::WriteBlock(*file, im.data(), im.size());
    return data.CloseDataFile(std::move(file));
}
