// Taking the data folder before a game reads it: the claim of a script run, and the line said
// when a folder cannot be locked at all.
#include "script/DataFolderClaim.h"

#include <iostream>

std::optional<int> ClaimDataFolderForScript(CInstanceLock& lock,
                                            const std::filesystem::path& dataFolder) {
    if (dataFolder.empty()) {
        return std::nullopt;
    }
    switch (lock.Take(dataFolder)) {
        case CInstanceLock::EState::kHeld:
            return std::nullopt;
        case CInstanceLock::EState::kImpossible:
            SayDataFolderNotLocked(dataFolder, lock);
            return std::nullopt;
        case CInstanceLock::EState::kInUse:
            break;
    }
    std::cerr << "sudoku: the data folder " << dataFolder.string()
              << " is in use by another game\n";
    return 2;
}

void SayDataFolderNotLocked(const std::filesystem::path& dataFolder, const CInstanceLock& lock) {
    std::cerr << "sudoku: the data folder " << dataFolder.string() << " cannot be locked ("
              << lock.Why() << "): a second game on it is not kept out\n";
}
