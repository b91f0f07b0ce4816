// CSilentSound: the sound service of script mode and tests: nothing is played.
#pragma once

#include <filesystem>
#include <vector>

#include "platform/Sound.h"

// Plays nothing; remembers what it was asked to play, for tests.
class CSilentSound : public ISound {
public:
    void PlayAsync(const std::filesystem::path& wav) override { m_played.push_back(wav); }
    const std::vector<std::filesystem::path>& Requests() const { return m_played; }

private:
    std::vector<std::filesystem::path> m_played;
};
