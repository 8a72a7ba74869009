#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/sound_buffer.h"
#include "platform/message_boxes.h"

namespace marvolin::audio {

// Samples of a smaller magnitude count as silence.
inline constexpr std::int32_t kSilenceThreshold = 2000;

// The samples from the first to the last one that reaches the threshold: [start, end).
// end <= start when none does.
struct VoiceSpan {
    std::size_t start;
    std::size_t end;
};
VoiceSpan FindVoice(std::span<const std::int16_t> samples);

// Offers to cut the silence before and after the voice; the sound keeps only the voice when
// the user answers OK. A sound with no voice at all gets a warning and stays whole.
void TrimSilence(platform::MessageBoxes& messageBoxes, formats::SoundBuffer& sound);

}  // namespace marvolin::audio
