// COptions: the one record of the player's settings, the current level and the statistics.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Figures of one level slot; times in whole seconds.
struct SLevelStats {
    int32_t solved = 0;
    int32_t totalTime = 0;
    int32_t bestTime = 0;  // 0: no time yet
    int32_t averageTime = 0;
};

// Level codes. The generated levels are the number of cells the generator empties.
namespace level {
constexpr int32_t kBeginner = 30;
constexpr int32_t kEasy = 40;
constexpr int32_t kMedium = 44;
constexpr int32_t kHard = 50;
constexpr int32_t kExpert = 65;
constexpr int32_t kCustom = 6;
// True for the six codes above; options.cfg and saved games may hold any other value.
constexpr bool IsLevelCode(int32_t code) {
    return code == kBeginner || code == kEasy || code == kMedium || code == kHard ||
           code == kExpert || code == kCustom;
}
}  // namespace level

// Input modes.
enum InputMode : int32_t { kCellSelect = 0, kNumberSelect = 1, kKeySelect = 2 };

constexpr int kLanguageCount = 7;  // 0 English ... 6 Russian
constexpr int kLevelSlots = 6;     // Beginner, Easy, Medium, Hard, Expert, Custom

// The record is stored as options.cfg, its own 140-byte image (ToImage, ReadImage). The
// members below are in file order; the gap bytes and reserved fields are kept exactly as a
// read file supplied them so that they are written back unchanged. Setters store without
// range checks: values out of range can only come from a file, and every reader that picks a
// table row with an option guards its index.
class COptions {
public:
    COptions() { SetDefaults(); }

    void SetDefaults() {
        m_nInputMode = kCellSelect;
        m_bAutoPencilmarks = 0;
        m_bLimitNumbers = 0;
        m_bFlagIllegal = 1;
        m_gap7 = 0;
        m_nLevel = level::kBeginner;
        m_nSkin = 0;
        m_bCustomEntry = 0;
        m_bZonePencilmarks = 0;
        m_gap18 = {};
        m_reserved20 = 0;
        m_reserved24 = 0;
        m_bFirstRun = 1;
        m_gap29 = {};
        m_nLanguage = 6;
        m_bCrosshatching = 0;
        m_gap37 = {};
        m_levelStats = {};
        m_reservedFlag = 0;
        m_gap137 = {};
    }

    int32_t GetInputMode() const { return m_nInputMode; }
    void SetInputMode(int32_t v) { m_nInputMode = v; }
    bool GetAutoPencilmarks() const { return m_bAutoPencilmarks != 0; }
    void SetAutoPencilmarks(bool v) { m_bAutoPencilmarks = v ? 1 : 0; }
    bool GetLimitNumbers() const { return m_bLimitNumbers != 0; }
    void SetLimitNumbers(bool v) { m_bLimitNumbers = v ? 1 : 0; }
    bool GetFlagIllegal() const { return m_bFlagIllegal != 0; }
    void SetFlagIllegal(bool v) { m_bFlagIllegal = v ? 1 : 0; }
    int32_t GetLevel() const { return m_nLevel; }
    void SetLevel(int32_t v) { m_nLevel = v; }
    int32_t GetSkin() const { return m_nSkin; }
    void SetSkin(int32_t v) { m_nSkin = v; }
    bool GetCustomEntry() const { return m_bCustomEntry != 0; }
    void SetCustomEntry(bool v) { m_bCustomEntry = v ? 1 : 0; }
    bool GetZonePencilmarks() const { return m_bZonePencilmarks != 0; }
    void SetZonePencilmarks(bool v) { m_bZonePencilmarks = v ? 1 : 0; }
    bool GetFirstRun() const { return m_bFirstRun != 0; }
    void SetFirstRun(bool v) { m_bFirstRun = v ? 1 : 0; }
    int32_t GetLanguage() const { return m_nLanguage; }
    void SetLanguage(int32_t v) { m_nLanguage = v; }
    bool GetCrosshatching() const { return m_bCrosshatching != 0; }
    void SetCrosshatching(bool v) { m_bCrosshatching = v ? 1 : 0; }
    uint8_t GetReservedFlag() const { return m_reservedFlag; }
    void SetReservedFlag(uint8_t v) { m_reservedFlag = v; }

    // The statistics block, one record per level slot (game/Statistics.h works on it).
    using LevelStatsBlock = std::array<SLevelStats, kLevelSlots>;
    const LevelStatsBlock& LevelStats() const { return m_levelStats; }
    LevelStatsBlock& LevelStats() { return m_levelStats; }

    // The 140-byte image: options.cfg holds it (game/OptionsFile.h reads and writes the file).
    static constexpr std::size_t kFileBytes = 140;
    using Image = std::array<uint8_t, kFileBytes>;
    Image ToImage() const;
    // Reads the first n bytes of an image (n at most 140); later fields keep their values.
    void ReadImage(const uint8_t* bytes, std::size_t n);

private:
    int32_t m_nInputMode;
    uint8_t m_bAutoPencilmarks;
    uint8_t m_bLimitNumbers;
    uint8_t m_bFlagIllegal;
    uint8_t m_gap7;
    int32_t m_nLevel;
    int32_t m_nSkin;
    uint8_t m_bCustomEntry;
    uint8_t m_bZonePencilmarks;
    std::array<uint8_t, 2> m_gap18;
    int32_t m_reserved20;
    int32_t m_reserved24;
    uint8_t m_bFirstRun;
    std::array<uint8_t, 3> m_gap29;
    int32_t m_nLanguage;
    uint8_t m_bCrosshatching;
    std::array<uint8_t, 3> m_gap37;
    LevelStatsBlock m_levelStats;
    uint8_t m_reservedFlag;
    std::array<uint8_t, 3> m_gap137;
};
