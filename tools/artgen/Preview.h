// Previews of the shipped artwork, composed the way the game draws its screens.
#pragma once

#include <filesystem>
#include <string>

// Reads the pictures back from resDir (as the game reads them: 5-6-5 widened by bit
// replication) and writes PNGs to outDir: for each skin three sample positions (Cell Select
// with Limit Numbers and illegal marks; Number Select with crosshatching; Key Select with the
// candidates framed on the palette) on the 480 x 272 and the 320 x 240 screen, the splash
// with every animation frame on both screens, the glyph sheets, toolbars and about picture
// enlarged. False, with the reason, when a file is missing or unreadable.
bool WritePreviews(const std::filesystem::path& resDir, const std::filesystem::path& outDir,
                   std::string* why);
