// Saved games on disk: the board's 1811-byte state record, read whole and checked.
#include "game/SaveFile.h"

namespace savefile {

SLoadResult Read(const std::filesystem::path& path, CBoard& board) {
    return Load(fileio::ReadRegularFile(path, CBoard::kStateBytes), path, board);
}

SLoadResult Load(const fileio::SRead& file, const std::filesystem::path& path, CBoard& board) {
    switch (file.status) {
        case fileio::ReadStatus::kRead:
            break;
        case fileio::ReadStatus::kMissing:
            return {LoadStatus::kNoFile, "cannot read " + path.string() + ": " + file.why};
        case fileio::ReadStatus::kNotAFile:
            return {LoadStatus::kRefused, "cannot read " + path.string() + ": " + file.why};
        case fileio::ReadStatus::kFailed:
            return {LoadStatus::kRefused, "cannot read " + path.string() + ": " + file.why, true};
    }
    const std::size_t size = file.bytes.size();
    if (size != CBoard::kStateBytes) {
        return {size == 0 ? LoadStatus::kNoFile : LoadStatus::kRefused,
                path.string() + " is not a saved game: it is " +
                    (size > CBoard::kStateBytes ? std::string("longer than")
                                                : std::to_string(size) + " bytes, not") +
                    " 1811 bytes"};
    }
    if (!board.LoadState(file.bytes)) {
        return {LoadStatus::kRefused,
                path.string() + " is a damaged saved game: a value is out of its range"};
    }
    return {};
}

bool Write(const std::filesystem::path& path, const CBoard& board, std::string* why) {
    CBoard::StateRecord record{};
    board.SaveState(record);
    std::string reason;
    if (!fileio::WriteFile(path, record, &reason)) {
        if (why != nullptr) {
            *why = "cannot write " + path.string() + ": " + reason;
        }
        return false;
    }
    return true;
}

}  // namespace savefile
