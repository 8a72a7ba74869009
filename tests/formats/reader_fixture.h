#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "formats/byte_source.h"
#include "formats/file_result.h"
#include "formats/reader_steps.h"
#include "formats/sound_buffer.h"
#include "platform/allocation.h"

namespace marvolin::formats {

// A loaded sound that refused files must leave exactly as it is; every load is put into it
// the way the window does.
class ReaderTest : public ::testing::Test {
  protected:
    void TearDown() override { platform::AllocationFailures::Reset(); }

    void Restart() {
        status = FileStatus::Ok;
        sound = SoundBuffer{};
        sound.Install({5, -6, 7});
        sound.sampleRate = 8000;
        sound.channelCount = 3;
    }

    void Load(SoundLoader loader, const std::vector<std::uint8_t>& file) {
        MemoryByteSource source(file);
        Install(loader(source));
    }

    void Install(LoadResult result) {
        status = result.status;
        systemError = result.systemError;
        InstallLoaded(sound, std::move(result));
    }

    void ExpectRefused(FileStatus expected) {
        EXPECT_EQ(status, expected);
        EXPECT_TRUE(sound.hasBlock);
        EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{5, -6, 7}));
        EXPECT_EQ(sound.sampleRate, 8000u);
        EXPECT_EQ(sound.channelCount, 3u);
    }

    void ExpectLoaded(const std::vector<std::int16_t>& samples, std::uint32_t rate,
                      std::uint16_t channels) {
        EXPECT_EQ(status, FileStatus::Ok);
        EXPECT_TRUE(sound.hasBlock);
        EXPECT_EQ(sound.samples, samples);
        EXPECT_EQ(sound.sampleRate, rate);
        EXPECT_EQ(sound.channelCount, channels);
    }

    // A failed allocation leaves no sound at all, at 44100 Hz, with the file's channel count.
    void ExpectOutOfMemory(std::uint16_t channels) {
        EXPECT_EQ(status, FileStatus::NoMemory);
        EXPECT_FALSE(sound.hasBlock);
        EXPECT_TRUE(sound.samples.empty());
        EXPECT_EQ(sound.sampleRate, 44100u);
        EXPECT_EQ(sound.channelCount, channels);
    }

    // Fails the load's block allocations one after the other, from the first on, until a load
    // no longer meets a failure. Each failure must end as ExpectOutOfMemory says; the last load
    // (with every allocation granted) stays in `sound` for the caller to check.
    void ExpectEachAllocationFailureHandled(SoundLoader loader,
                                            const std::vector<std::uint8_t>& file,
                                            std::uint16_t channels) {
        constexpr int kMostAllocations = 8;
        int failures = 0;
        for (int successesFirst = 0; successesFirst < kMostAllocations; ++successesFirst) {
            SCOPED_TRACE(successesFirst);
            Restart();
            platform::AllocationFailures::FailNext(1, successesFirst);
            Load(loader, file);
            platform::AllocationFailures::Reset();
            if (status != FileStatus::NoMemory) {
                break;
            }
            ExpectOutOfMemory(channels);
            ++failures;
        }
        EXPECT_GE(failures, 1);  // the sample block at least
        EXPECT_LT(failures, kMostAllocations);
    }

    FileStatus status = FileStatus::Ok;
    int systemError = 0;
    SoundBuffer sound;
};

}  // namespace marvolin::formats
