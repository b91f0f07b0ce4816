// The autosaved game: resumed at start-up, written whenever the program ends.
#include "game/GameFiles.h"

#include "platform/DataManager.h"

namespace gamefiles {

savefile::SLoadResult LoadGameFile(DataManager& data, CBoard& board, std::string_view name) {
    return savefile::Load(data.ReadDataFile(name, CBoard::kStateBytes), data.MakeDataPath(name),
                          board);
}

bool WriteGameFile(DataManager& data, const CBoard& board, std::string_view name,
                   std::string* why) {
    std::filesystem::path path;
    return data.DataPathForWriting(name, path, why) && savefile::Write(path, board, why);
}

}  // namespace gamefiles
