// Statistics per level over the options record: solved boards, total, best and average times.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Options.h"

// A selection index is 0 for all levels together, else the level slot + 1; level slots are
// 0 Beginner, 1 Easy, 2 Medium, 3 Hard, 4 Expert and 5 Custom (every other level code).

// The slot of a level code: 30 -> 0, 40 -> 1, 44 -> 2, 50 -> 3, 65 -> 4, anything else -> 5.
int LevelSlot(int32_t levelCode);
// Counts one solved board of the level, solved in `seconds` whole seconds. Every figure stops
// at its largest value, 2147483647 (596523:14:07 as a time), instead of wrapping.
void RecordSolvedGame(COptions& options, int32_t levelCode, int32_t seconds);
// The figures of selection 1..6, or for 0 the figures of all levels together.
SLevelStats GetLevelStats(const COptions& options, int selection);
// The figures as the statistics dialog shows them: GetLevelStats with every negative figure
// (only a damaged file holds one) taken as zero.
SLevelStats GetShownLevelStats(const COptions& options, int selection);
// Zeroes the figures of selection 1..6, or of every level for 0.
void ResetStats(COptions& options, int selection);

// A time in seconds as "H:MM:SS" (hours unbounded), the way the statistics show times; a
// negative time as "-H:MM:SS".
std::string StatTimeText(int32_t seconds);
