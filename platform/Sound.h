// ISound: the splash sound, played without waiting.
#pragma once

#include <filesystem>

class ISound {
public:
    virtual ~ISound() = default;
    // Starts playing a WAV file and returns at once. A missing or unreadable file, or a machine
    // without an audio device, plays nothing and reports nothing.
    virtual void PlayAsync(const std::filesystem::path& wav) = 0;
};
