// options.cfg: the options record's 140-byte image, read at start-up and written at the end.
#include "game/OptionsFile.h"

#include "platform/DataManager.h"

void LoadOptions(COptions& options, DataManager& data) {
    auto file = data.OpenDataFile(kOptionsFile);
    COptions::Image im{};
    const std::size_t n = DataManager::ReadBlock(*file, im.data(), im.size());
    data.CloseDataFile(std::move(file));
    options.ReadImage(im.data(), n);
}

bool SaveOptions(const COptions& options, DataManager& data) {
    auto file = data.OpenDataFile(kOptionsFile);
    const COptions::Image im = options.ToImage();
    file->SeekToBegin();
    DataManager::WriteBlock(*file, im.data(), im.size());
    return data.CloseDataFile(std::move(file));
}
