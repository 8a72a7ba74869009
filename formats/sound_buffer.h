#pragma once

#include <cstdint>
#include <vector>

namespace marvolin::formats {

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
