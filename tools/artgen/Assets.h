// The list of files the generator writes, each with its bytes and what a reader must see.
#pragma once

#include <QImage>
#include <string>
#include <vector>

struct SAsset {
    std::string path;            // relative to the output folder, '/' between parts
    std::vector<uint8_t> bytes;  // the whole file
    std::string encoding;        // one line for the summary
    QImage expected;             // the picture a reader must decode; null for the sound
};

// Draws and encodes every file. False, with the reason, when a picture cannot be encoded as
// asked (for example a glyph sheet that needs more than 256 colours).
bool BuildAssets(std::vector<SAsset>& out, std::string* why);

// Decodes the asset's bytes with our reader and with Qt's and compares both with the
// expected picture (Qt widens 5-6-5 by multiplication, 31 becoming 248; that is allowed
// for). False, with the reason, on any difference.
bool VerifyAsset(const SAsset& asset, std::string* why);
