// The one seedable pseudo-random source handed to the engine (PCG32, XSH-RR variant).
#pragma once

#include <cstdint>

// The engine never seeds this object and never reads the time: the program seeds it once at
// start-up (from the tick count, or from --seed) and passes it in. Next() yields non-negative
// 31-bit integers; callers take them modulo a count.
class CRandom {
public:
    explicit CRandom(uint64_t seed = 1) { Seed(seed); }

    void Seed(uint64_t seed) {
        m_state = 0;
        Step();
        m_state += seed;
        Step();
    }

    int32_t Next() { return static_cast<int32_t>(Step() >> 1); }

private:
    uint32_t Step() {
        const uint64_t old = m_state;
        m_state = old * 6364136223846793005ULL + kIncrement;
        const auto xorshifted = static_cast<uint32_t>(((old >> 18U) ^ old) >> 27U);
        const auto rot = static_cast<uint32_t>(old >> 59U);
        return (xorshifted >> rot) | (xorshifted << ((32U - rot) & 31U));
    }

    static constexpr uint64_t kIncrement = 1442695040888963407ULL;
    uint64_t m_state = 0;
};
