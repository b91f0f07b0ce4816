// The autosaved game: resumed at start-up, written whenever the program ends.
#include "game/GameFiles.h"

#include <iostream>
#include <vector>

#include "platform/DataManager.h"

namespace gamefiles {

bool LoadGameFile(DataManager& data, CBoard& board, std::string_view name) {
    if (!data.FileExists(name)) {
        return false;
    }
    auto file = data.OpenDataFile(name);
    std::vector<uint8_t> bytes(CBoard::kStateBytes + 1);
    bytes.resize(DataManager::ReadBlock(*file, bytes.data(), bytes.size()));
    data.CloseDataFile(std::move(file));
    if (!board.LoadState(bytes)) {
        std::cerr << "sudoku: " << data.MakeDataPath(name).string()
                  << " is not a whole saved game; a new game starts\n";
        return false;
    }
    return true;
}

bool WriteGameFile(DataManager& data, const CBoard& board, std::string_view name) {
    // The whole file is replaced, so that it is exactly one record long whatever was there.
    CBoard::StateRecord record{};
    board.SaveState(record);
    return data.ReplaceDataFile(name, record);
}

}  // namespace gamefiles
