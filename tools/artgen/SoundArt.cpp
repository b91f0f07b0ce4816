// The splash sound (splash/splash.wav): a soft synthesised chime.
#include "tools/artgen/SoundArt.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSeconds = 1.5;
constexpr double kPeak = 0.32;  // of full scale, about -10 dBFS

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFFU));
    out.push_back(static_cast<uint8_t>((v >> 8U) & 0xFFU));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFFU);
    Put16(out, v >> 16U);
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

// One bell tone: a few partials, each fading at its own rate, with a 6 ms attack.
double Bell(double t, double frequency) {
    if (t < 0.0) {
        return 0.0;
    }
    struct SPartial {
        double ratio;
        double level;
        double decay;
    };
    constexpr std::array<SPartial, 4> kPartials = {{
        {1.0, 1.0, 3.2},
        {2.0, 0.28, 5.5},
        {3.0, 0.10, 8.0},
        {4.17, 0.05, 11.0},
    }};
    double v = 0.0;
    for (const SPartial& p : kPartials) {
        v += p.level * std::exp(-p.decay * t) * std::sin(2 * kPi * frequency * p.ratio * t);
    }
    const double attack = std::min(1.0, t / 0.006);
    return v * attack * attack;
}

}  // namespace

std::vector<uint8_t> MakeChime() {
    const int count = static_cast<int>(kSeconds * kSampleRate);
    // C major arpeggio, C5 E5 G5 C6, each note a little softer than a plain sum would be.
    struct SNote {
        double start;
        double frequency;
        double level;
    };
    constexpr std::array<SNote, 4> kNotes = {{
        {0.00, 523.25, 0.55},
        {0.11, 659.26, 0.50},
        {0.22, 783.99, 0.48},
        {0.36, 1046.50, 0.52},
    }};
    std::vector<double> samples(static_cast<std::size_t>(count));
    double peak = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double v = 0.0;
        for (const SNote& n : kNotes) {
            // A faint detuned twin gives the bell a slow shimmer.
            v += n.level * (Bell(t - n.start, n.frequency) * 0.85 +
                            Bell(t - n.start, n.frequency * 1.0025) * 0.15);
        }
        // The last 0.25 s fade to silence along a raised cosine.
        const double tail = kSeconds - t;
        if (tail < 0.25) {
            v *= 0.5 - 0.5 * std::cos(kPi * tail / 0.25);
        }
        samples[static_cast<std::size_t>(i)] = v;
        peak = std::max(peak, std::fabs(v));
    }
    const uint32_t dataBytes = static_cast<uint32_t>(count) * 2U;
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);               // chunk size
    Put16(out, 1);                // PCM
    Put16(out, 1);                // mono
    Put32(out, kSampleRate);      // samples per second
    Put32(out, kSampleRate * 2);  // bytes per second
    Put16(out, 2);                // block align
    Put16(out, 16);               // bits per sample
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (const double v : samples) {
        const long s = std::lround(v / peak * kPeak * 32767.0);
        Put16(out, static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(s))));
    }
    return out;
}
