// Saved games on disk: the board's 1811-byte state record, read whole and checked.
#include "game/SaveFile.h"

namespace savefile {

Fault FaultOf(fileio::Problem problem) {
    switch (problem) {
        case fileio::Problem::kNone:
            return Fault::kNone;
        case fileio::Problem::kMissing:
            return Fault::kMissing;
        case fileio::Problem::kNotAFile:
            return Fault::kNotAFile;
        case fileio::Problem::kDenied:
            return Fault::kDenied;
        case fileio::Problem::kNoFolder:
            return Fault::kNoFolder;
        case fileio::Problem::kFolderReadOnly:
            return Fault::kFolderReadOnly;
        case fileio::Problem::kDiskFull:
            return Fault::kDiskFull;
        case fileio::Problem::kFailed:
            break;
    }
    return Fault::kFailed;
}

SLoadResult Read(const std::filesystem::path& path, CBoard& board) {
    return Load(fileio::ReadRegularFile(path, CBoard::kStateBytes), path, board);
}

SLoadResult Load(const fileio::SRead& file, const std::filesystem::path& path, CBoard& board) {
    switch (file.status) {
        case fileio::ReadStatus::kRead:
            break;
        case fileio::ReadStatus::kMissing:
            return {LoadStatus::kNoFile, "cannot read " + path.string() + ": " + file.why, false,
                    Fault::kMissing};
        case fileio::ReadStatus::kNotAFile:
            return {LoadStatus::kRefused, "cannot read " + path.string() + ": " + file.why, false,
                    Fault::kNotAFile};
        case fileio::ReadStatus::kFailed:
            return {LoadStatus::kRefused, "cannot read " + path.string() + ": " + file.why, true,
                    FaultOf(file.problem)};
    }
    const std::size_t size = file.bytes.size();
    if (size != CBoard::kStateBytes) {
        return {size == 0 ? LoadStatus::kNoFile : LoadStatus::kRefused,
                path.string() + " is not a saved game: it is " +
                    (size > CBoard::kStateBytes ? std::string("longer than")
                                                : std::to_string(size) + " bytes, not") +
                    " 1811 bytes",
                false, Fault::kNotASavedGame};
    }
    if (!board.LoadState(file.bytes)) {
        return {LoadStatus::kRefused,
                path.string() + " is a damaged saved game: a value is out of its range", false,
                Fault::kDamaged};
    }
    return {};
}

bool Write(const std::filesystem::path& path, const CBoard& board, std::string* why, Fault* fault) {
    CBoard::StateRecord record{};
    board.SaveState(record);
    std::string reason;
    fileio::Problem problem = fileio::Problem::kNone;
    if (!fileio::WriteFile(path, record, &reason, &problem)) {
        if (why != nullptr) {
            *why = "cannot write " + path.string() + ": " + reason;
        }
        if (fault != nullptr) {
            *fault = FaultOf(problem);
        }
        return false;
    }
    return true;
}

}  // namespace savefile
