// The options record: defaults, its 140-byte image, and short or odd files.
#include <gtest/gtest.h>

#include "engine/ByteIO.h"
#include "engine/Options.h"
#include "game/Statistics.h"

namespace {

TEST(Options, DefaultsOfAFirstStart) {
    const COptions o;
    EXPECT_EQ(o.GetInputMode(), kCellSelect);
    EXPECT_TRUE(o.GetFlagIllegal());
    EXPECT_FALSE(o.GetAutoPencilmarks());
    EXPECT_FALSE(o.GetLimitNumbers());
    EXPECT_FALSE(o.GetZonePencilmarks());
    EXPECT_FALSE(o.GetCrosshatching());
    EXPECT_FALSE(o.GetCustomEntry());
    EXPECT_TRUE(o.GetFirstRun());
    EXPECT_EQ(o.GetLevel(), 30);
    EXPECT_EQ(o.GetSkin(), 0);
    EXPECT_EQ(o.GetLanguage(), 6);
    for (int i = 0; i <= 6; ++i) {
        const SLevelStats s = GetLevelStats(o, i);
        EXPECT_EQ(s.solved + s.totalTime + s.bestTime + s.averageTime, 0);
    }
}

TEST(Options, ImageLayoutIsFixedByteForByte) {
    COptions o;
    o.SetInputMode(1);
    o.SetAutoPencilmarks(true);
    o.SetLimitNumbers(true);
    o.SetFlagIllegal(false);
    o.SetLevel(65);
    o.SetSkin(2);
    o.SetCustomEntry(true);
    o.SetZonePencilmarks(true);
    o.SetFirstRun(false);
    o.SetLanguage(3);
    o.SetCrosshatching(true);
    RecordSolvedGame(o, 40, 100);
    RecordSolvedGame(o, 6, 7);
    o.SetReservedFlag(1);
    const COptions::Image im = o.ToImage();
    // clang-format off
    const uint8_t head[40] = {
        1, 0, 0, 0,   1, 1, 0, 0,   65, 0, 0, 0,   2, 0, 0, 0,
        1, 1, 0, 0,   0, 0, 0, 0,   0, 0, 0, 0,    0, 0, 0, 0,
        3, 0, 0, 0,   1, 0, 0, 0};
    // clang-format on
    for (std::size_t i = 0; i < 40; ++i) {
        EXPECT_EQ(im[i], head[i]) << "byte " << i;
    }
    // Easy is slot 1 at 56, Custom slot 5 at 120: solved, total, best, average.
    EXPECT_EQ(byteio::Get32(&im[56]), 1);
    EXPECT_EQ(byteio::Get32(&im[60]), 100);
    EXPECT_EQ(byteio::Get32(&im[64]), 100);
    EXPECT_EQ(byteio::Get32(&im[68]), 100);
    EXPECT_EQ(byteio::Get32(&im[120]), 1);
    EXPECT_EQ(byteio::Get32(&im[124]), 7);
    EXPECT_EQ(im[136], 1);
    EXPECT_EQ(im[137] | im[138] | im[139], 0);

    COptions back;
    back.ReadImage(im.data(), im.size());
    EXPECT_EQ(back.ToImage(), im);
}

TEST(Options, AShortImageSetsOnlyTheFieldsItCovers) {
    COptions written;
    written.SetLanguage(0);
    written.SetSkin(1);
    RecordSolvedGame(written, 30, 50);
    const COptions::Image im = written.ToImage();

    COptions forty;  // every option field, no statistics
    forty.ReadImage(im.data(), 40);
    EXPECT_EQ(forty.GetLanguage(), 0);
    EXPECT_EQ(forty.GetSkin(), 1);
    EXPECT_EQ(GetLevelStats(forty, 1).solved, 0);

    COptions ten;  // input mode, three flags, the gap and half the level
    ten.ReadImage(im.data(), 10);
    EXPECT_EQ(ten.GetLevel(), 30);
    EXPECT_EQ(ten.GetLanguage(), 6);

    COptions none;
    none.ReadImage(im.data(), 0);
    EXPECT_EQ(none.ToImage(), COptions().ToImage());
}

TEST(Options, GapsAndReservedBytesOfAReadFileAreWrittenBack) {
    COptions::Image im = COptions().ToImage();
    im[7] = 0xAA;
    im[18] = 0xBB;
    im[21] = 0xCC;
    im[30] = 0xDD;
    im[38] = 0xEE;
    im[139] = 0x11;
    im[4] = 2;  // a boolean byte that is neither 0 nor 1 reads as on and is kept as it is
    COptions o;
    o.ReadImage(im.data(), im.size());
    EXPECT_TRUE(o.GetAutoPencilmarks());
    EXPECT_EQ(o.ToImage(), im);
}

}  // namespace
