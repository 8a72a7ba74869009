#pragma once

// What every load must guarantee, whatever the bytes: the wait cursor is balanced, at most one
// message is shown, a refused file leaves the sound exactly as it was, a failed allocation
// leaves no sound, and an accepted file gives a playable rate and never more than
// `samplesPerByte` samples for each byte of the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "formats/byte_source.h"
#include "formats/file_host.h"
#include "formats/file_messages.h"
#include "formats/reader_steps.h"
#include "formats/sound_buffer.h"

namespace marvolin::fuzzing {

class RecordingBoxes : public platform::MessageBoxes {
  public:
    platform::MessageAnswer Show(std::string_view text, std::string_view, platform::MessageIcon,
                                 platform::MessageButtons) override {
        ++shown;
        lastText = text;
        return platform::MessageAnswer::Ok;
    }
    int shown = 0;
    std::string lastText;
};

class DepthCursor : public platform::Cursor {
  public:
    void PushWait() override { ++depth; }
    void Restore() override { --depth; }
    int depth = 0;
};

inline void LoadAndCheck(formats::SoundLoader loader, const std::uint8_t* data, std::size_t size,
                         std::size_t samplesPerByte = 1) {
    RecordingBoxes boxes;
    DepthCursor cursor;
    formats::FileHost host{boxes, cursor};
    formats::MemoryByteSource source(std::span<const std::uint8_t>(data, size));
    formats::SoundBuffer sound;
    const std::vector<std::int16_t> previous = {5, -6, 7};
    sound.Install(previous);
    sound.sampleRate = 8000;
    sound.channelCount = 3;

    loader(host, sound, source);

    bool held = cursor.depth == 0 && boxes.shown <= 1;
    if (boxes.shown == 0) {
        held = held && sound.hasBlock && sound.sampleRate != 0 &&
               sound.samples.size() <= samplesPerByte * size;
    } else if (boxes.lastText == formats::kNotEnoughMemory) {
        held = held && !sound.hasBlock && sound.sampleRate == 44100;
    } else {
        held = held && sound.hasBlock && sound.samples == previous && sound.sampleRate == 8000 &&
               sound.channelCount == 3;
    }
    if (!held) {
        std::abort();
    }
}

}  // namespace marvolin::fuzzing
