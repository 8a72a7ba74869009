#pragma once

#include <cstdint>
#include <vector>

namespace marvolin::formats {

// The longest sound the program makes or decodes: 2^24 samples (6 min 20 s at 44100 Hz,
// 12 min 40 s at 22050 Hz, far beyond the longest recording). An effect holds a few float
// copies of its sound at once, so this keeps any effect on any file to a few hundred MB and a
// few seconds, however long a file's header says it is or however high its rate.
inline constexpr std::uint32_t kLongestSound = 1u << 24;

// The one current sound: 16-bit signed mono samples in one block that the buffer owns.
// "No block" (nothing loaded, or a failed allocation) differs from a block of 0 samples.
struct SoundBuffer {
    std::vector<std::int16_t> samples;
    bool hasBlock = false;
    std::uint32_t sampleRate = 22050;
    std::uint16_t channelCount = 1;  // of the last file read; the samples are always one channel

    std::uint32_t sampleCount() const { return static_cast<std::uint32_t>(samples.size()); }

    // Takes `block` as the new samples, releasing the old block.
    void Install(std::vector<std::int16_t> block) {
        samples = std::move(block);
        hasBlock = true;
    }

    // Releases the block: no samples, no block.
    void Release() {
        samples = {};
        hasBlock = false;
    }
};

}  // namespace marvolin::formats
