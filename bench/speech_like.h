#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace marvolin::bench {

// A deterministic stand-in for a voice: a buzzing fundamental that glides between 90 and
// 220 Hz with three formant-like partials and some breath noise, shaped into syllables of
// about 200 ms with short pauses between them.
inline std::vector<std::int16_t> SpeechLike(std::size_t count, double sampleRate = 22050.0) {
    std::vector<std::int16_t> samples(count);
    std::uint32_t noise = 12345;
    double phase = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double pitch = 155.0 + 65.0 * std::sin(2.0 * M_PI * 0.7 * t);
        phase += 2.0 * M_PI * pitch / sampleRate;
        const double syllable = std::fmod(t, 0.25);
        const double envelope = syllable < 0.2 ? std::sin(M_PI * syllable / 0.2) : 0.0;
        noise = noise * 1103515245u + 12345u;
        const double breath = (static_cast<double>(noise >> 16 & 0x7FFF) / 16384.0 - 1.0) * 0.05;
        const double voice = 0.5 * std::sin(phase) + 0.25 * std::sin(3.0 * phase) +
                             0.15 * std::sin(7.0 * phase) + 0.1 * std::sin(13.0 * phase);
        samples[i] = static_cast<std::int16_t>(24000.0 * envelope * (voice + breath));
    }
    return samples;
}

}  // namespace marvolin::bench
