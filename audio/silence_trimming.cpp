#include "audio/silence_trimming.h"

#include <cstdlib>

#include "resources/message_table.h"

namespace marvolin::audio {
namespace {

// In 32 bits, so that -32768 counts as 32768.
bool IsVoice(std::int16_t sample) {
    return std::abs(std::int32_t{sample}) >= kSilenceThreshold;
}

}  // namespace

VoiceSpan FindVoice(std::span<const std::int16_t> samples) {
    std::size_t start = 0;
    while (start < samples.size() && !IsVoice(samples[start])) {
        ++start;
    }
    std::size_t end = samples.size();
    while (end > 0 && !IsVoice(samples[end - 1])) {
        --end;
    }
    return {start, end};
}

void TrimSilence(platform::MessageBoxes& messageBoxes, formats::SoundBuffer& sound) {
    const VoiceSpan voice = FindVoice(sound.samples);
    if (voice.end <= voice.start) {
        resources::ShowMessage(messageBoxes, resources::MessageId::NoSoundLevel);
        return;
    }
    const auto answer = resources::ShowMessage(messageBoxes, resources::MessageId::SilenceQuestion);
    if (answer != platform::MessageAnswer::Ok) {
        return;
    }
    auto& samples = sound.samples;
    samples.erase(samples.begin() + static_cast<std::ptrdiff_t>(voice.end), samples.end());
    samples.erase(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(voice.start));
    samples.shrink_to_fit();
}

}  // namespace marvolin::audio
