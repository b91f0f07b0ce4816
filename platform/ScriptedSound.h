// CSilentSound: the sound service of script mode: nothing is played.
#pragma once

#include "platform/Sound.h"

class CSilentSound : public ISound {
public:
    void PlayAsync(const std::filesystem::path&) override {}
};
