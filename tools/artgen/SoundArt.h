// The splash sound (splash/splash.wav): a soft synthesised chime.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kSampleRate = 22050;

// A RIFF WAVE file, 16-bit PCM mono at 22050 Hz, about 1.5 seconds: a rising arpeggio of
// bell tones that starts and ends in silence.
std::vector<uint8_t> MakeChime();
