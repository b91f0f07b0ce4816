// Taking the data folder before a game reads it: the claim of a script run, and the line said
// when a folder cannot be locked at all.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/InstanceLock.h"

// A script run: takes the data folder. Nothing when the script is to run (it holds the folder,
// there is no data folder, or the folder cannot be locked, which is said once on standard
// error); 2, with one line, when another game holds the folder.
std::optional<int> ClaimDataFolderForScript(CInstanceLock& lock,
                                            const std::filesystem::path& dataFolder);

// The line on standard error when the lock on `dataFolder` is impossible (CInstanceLock::Why
// says why) and the game goes on without it.
void SayDataFolderNotLocked(const std::filesystem::path& dataFolder, const CInstanceLock& lock);
