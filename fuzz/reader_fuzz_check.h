#pragma once

// What every load must guarantee, whatever the bytes: put into a loaded sound the way the window
// does it, a refused file leaves that sound exactly as it was, a failed allocation leaves no
// block at 44100 Hz, and an accepted file gives a playable rate (at most 768000 Hz) and never more
// than `samplesPerByte` samples for each byte of the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formats/byte_source.h"
#include "formats/file_result.h"
#include "formats/reader_steps.h"
#include "formats/sound_buffer.h"

namespace marvolin::fuzzing {

inline void LoadAndCheck(formats::SoundLoader loader, const std::uint8_t* data, std::size_t size,
                         std::size_t samplesPerByte = 1) {
    using formats::FileStatus;
    formats::MemoryByteSource source(std::span<const std::uint8_t>(data, size));
    formats::SoundBuffer sound;
    const std::vector<std::int16_t> previous = {5, -6, 7};
    sound.Install(previous);
    sound.sampleRate = 8000;
    sound.channelCount = 3;

    formats::LoadResult result = loader(source);
    const FileStatus status = result.status;
    // Memory readers never open anything and never write.
    bool held = status != FileStatus::CannotOpen && status != FileStatus::CannotSave;
    formats::InstallLoaded(sound, std::move(result));

    if (status == FileStatus::Ok) {
        held = held && sound.hasBlock && sound.sampleRate != 0 &&
               sound.sampleRate <= formats::kHighestSampleRate &&
               sound.samples.size() <= samplesPerByte * size;
    } else if (status == FileStatus::NoMemory) {
        held = held && !sound.hasBlock && sound.samples.empty() && sound.sampleRate == 44100;
    } else {
        held = held && sound.hasBlock && sound.samples == previous && sound.sampleRate == 8000 &&
               sound.channelCount == 3;
    }
    if (!held) {
        std::abort();
    }
}

}  // namespace marvolin::fuzzing
