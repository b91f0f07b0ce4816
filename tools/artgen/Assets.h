// The list of files the generator writes, each with its bytes and what a reader must see.
#pragma once

#include <QImage>
#include <array>
#include <string>
#include <vector>

struct SAsset {
    std::string path;            // relative to the output folder, '/' between parts
    std::vector<uint8_t> bytes;  // the whole file
    std::string encoding;        // one line for the summary
    QImage expected;  // the picture the game (for a PNG: any reader) must see; null for the sound
    // How far each channel (red, green, blue) of what the game reads may lie from `expected`:
    // 0 for the exact encodings.
    std::array<int, 3> tolerance{};
    bool keyed = false;  // magenta stays magenta, and nothing else turns into it
};

// Draws and encodes every file. False, with the reason, when a picture cannot be encoded as
// asked (for example a glyph sheet that needs more than 256 colours).
bool BuildAssets(std::vector<SAsset>& out, std::string* why);

// Reads the asset's bytes with the game's own BMP reader (a PNG, which only the desktop reads,
// with Qt's) and compares the picture with the expected one. False, with the reason, on a refusal
// or any difference beyond the tolerance.
bool VerifyAsset(const SAsset& asset, std::string* why);
