// Saved games on disk: the board's 1811-byte state record, read whole and checked.
#include "game/SaveFile.h"

#include "platform/FileIO.h"

namespace savefile {

SLoadResult Read(const std::filesystem::path& path, CBoard& board) {
    std::string reason;
    const auto bytes = fileio::ReadFile(path, CBoard::kStateBytes, &reason);
    if (!bytes) {
        std::error_code ec;
        const bool exists = std::filesystem::exists(path, ec);
        return {exists ? LoadStatus::kRefused : LoadStatus::kNoFile,
                "cannot read " + path.string() + ": " + reason};
    }
    if (bytes->size() != CBoard::kStateBytes) {
        return {bytes->empty() ? LoadStatus::kNoFile : LoadStatus::kRefused,
                path.string() + " is not a saved game: it is " +
                    (bytes->size() > CBoard::kStateBytes
                         ? std::string("longer than")
                         : std::to_string(bytes->size()) + " bytes, not") +
                    " 1811 bytes"};
    }
    if (!board.LoadState(*bytes)) {
        return {LoadStatus::kRefused,
                path.string() + " is a damaged saved game: a value is out of its range"};
    }
    return {};
}

bool Write(const std::filesystem::path& path, const CBoard& board, std::string* why) {
    CBoard::StateRecord record{};
    board.SaveState(record);
    std::string reason;
    if (!fileio::WriteFileAtomically(path, record, &reason)) {
        if (why != nullptr) {
            *why = "cannot write " + path.string() + ": " + reason;
        }
        return false;
    }
    return true;
}

}  // namespace savefile
