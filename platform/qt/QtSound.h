// CQtSound: the splash sound on QSoundEffect.
#pragma once

#include <QSoundEffect>

#include <memory>

#include "platform/Sound.h"

// Plays a WAV file without waiting. A missing file, or a machine without an audio output,
// plays nothing and says nothing.
class CQtSound : public ISound {
public:
    void PlayAsync(const std::filesystem::path& wav) override;

private:
    std::unique_ptr<QSoundEffect> m_effect;  // kept until the next sound or the end
};
