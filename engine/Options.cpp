// The 140-byte image of the options record, field by field, little-endian.
#include <algorithm>
#include <cstring>

#include "engine/ByteIO.h"
#include "engine/Options.h"

COptions::Image COptions::ToImage() const {
    Image im{};
    uint8_t* p = im.data();
    byteio::Put32(p + 0, m_nInputMode);
    p[4] = m_bAutoPencilmarks;
    p[5] = m_bLimitNumbers;
    p[6] = m_bFlagIllegal;
    p[7] = m_gap7;
    byteio::Put32(p + 8, m_nLevel);
    byteio::Put32(p + 12, m_nSkin);
    p[16] = m_bCustomEntry;
    p[17] = m_bZonePencilmarks;
    std::copy(m_gap18.begin(), m_gap18.end(), p + 18);
    byteio::Put32(p + 20, m_reserved20);
    byteio::Put32(p + 24, m_reserved24);
    p[28] = m_bFirstRun;
    std::copy(m_gap29.begin(), m_gap29.end(), p + 29);
    byteio::Put32(p + 32, m_nLanguage);
    p[36] = m_bCrosshatching;
    std::copy(m_gap37.begin(), m_gap37.end(), p + 37);
    for (std::size_t i = 0; i < m_levelStats.size(); ++i) {
        uint8_t* s = p + 40 + 16 * i;
        byteio::Put32(s + 0, m_levelStats[i].solved);
        byteio::Put32(s + 4, m_levelStats[i].totalTime);
        byteio::Put32(s + 8, m_levelStats[i].bestTime);
        byteio::Put32(s + 12, m_levelStats[i].averageTime);
    }
    p[136] = m_reservedFlag;
    std::copy(m_gap137.begin(), m_gap137.end(), p + 137);
    return im;
}

void COptions::ReadImage(const uint8_t* bytes, std::size_t n) {
    // Bytes beyond n keep what the record holds now: lay the new bytes over the current image
    // and take every field from the result.
    Image im = ToImage();
    std::memcpy(im.data(), bytes, std::min(n, kFileBytes));
    const uint8_t* p = im.data();
    m_nInputMode = byteio::Get32(p + 0);
    m_bAutoPencilmarks = p[4];
    m_bLimitNumbers = p[5];
    m_bFlagIllegal = p[6];
    m_gap7 = p[7];
    m_nLevel = byteio::Get32(p + 8);
    m_nSkin = byteio::Get32(p + 12);
    m_bCustomEntry = p[16];
    m_bZonePencilmarks = p[17];
    std::copy(p + 18, p + 20, m_gap18.begin());
    m_reserved20 = byteio::Get32(p + 20);
    m_reserved24 = byteio::Get32(p + 24);
    m_bFirstRun = p[28];
    std::copy(p + 29, p + 32, m_gap29.begin());
    m_nLanguage = byteio::Get32(p + 32);
    m_bCrosshatching = p[36];
    std::copy(p + 37, p + 40, m_gap37.begin());
    for (std::size_t i = 0; i < m_levelStats.size(); ++i) {
        const uint8_t* s = p + 40 + 16 * i;
        m_levelStats[i] = {byteio::Get32(s + 0), byteio::Get32(s + 4), byteio::Get32(s + 8),
                           byteio::Get32(s + 12)};
    }
    m_reservedFlag = p[136];
    std::copy(p + 137, p + 140, m_gap137.begin());
}
