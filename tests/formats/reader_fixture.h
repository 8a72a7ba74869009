#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "formats/byte_source.h"
#include "formats/file_host.h"
#include "formats/reader_steps.h"
#include "formats/sound_buffer.h"
#include "platform/allocation.h"
#include "platform/headless/headless_platform.h"

namespace marvolin::formats {

// A host, and a loaded sound that refused files must leave exactly as it is.
class ReaderTest : public ::testing::Test {
  protected:
    void TearDown() override { platform::AllocationFailures::Reset(); }

    void Restart() {
        boxes.shown.clear();
        sound = SoundBuffer{};
        sound.Install({5, -6, 7});
        sound.sampleRate = 8000;
        sound.channelCount = 3;
    }

    void Load(SoundLoader loader, const std::vector<std::uint8_t>& file) {
        MemoryByteSource source(file);
        loader(host, sound, source);
        EXPECT_EQ(cursor.waitDepth, 0);
    }

    void ExpectRefused(std::string_view text,
                       platform::MessageIcon icon = platform::MessageIcon::None) {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, text);
        EXPECT_EQ(boxes.shown[0].caption, "Error");
        EXPECT_EQ(boxes.shown[0].icon, icon);
        EXPECT_TRUE(sound.hasBlock);
        EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{5, -6, 7}));
        EXPECT_EQ(sound.sampleRate, 8000u);
        EXPECT_EQ(sound.channelCount, 3u);
    }

    void ExpectLoaded(const std::vector<std::int16_t>& samples, std::uint32_t rate,
                      std::uint16_t channels) {
        EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
        EXPECT_TRUE(sound.hasBlock);
        EXPECT_EQ(sound.samples, samples);
        EXPECT_EQ(sound.sampleRate, rate);
        EXPECT_EQ(sound.channelCount, channels);
    }

    // A failed allocation leaves no sound at all, at 44100 Hz.
    void ExpectOutOfMemory() {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Not enough memory !");
        EXPECT_FALSE(sound.hasBlock);
        EXPECT_TRUE(sound.samples.empty());
        EXPECT_EQ(sound.sampleRate, 44100u);
    }

    platform::headless::ScriptedMessageBoxes boxes;
    platform::headless::CountingCursor cursor;
    FileHost host{boxes, cursor};
    SoundBuffer sound;
};

}  // namespace marvolin::formats
