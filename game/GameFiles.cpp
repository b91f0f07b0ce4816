// The autosaved game: resumed at start-up, written whenever the program ends.
#include "game/GameFiles.h"

#include "platform/DataManager.h"

namespace gamefiles {

savefile::SLoadResult LoadGameFile(DataManager& data, CBoard& board, std::string_view name) {
    return savefile::Read(data.MakeDataPath(name), board);
}

bool WriteGameFile(DataManager& data, const CBoard& board, std::string_view name) {
    // The whole file is replaced, so that it is exactly one record long whatever was there.
    CBoard::StateRecord record{};
    board.SaveState(record);
    return data.ReplaceDataFile(name, record);
}

}  // namespace gamefiles
