#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/room_acoustics.h"
#include "effects/room_reverberator.h"
#include "effects/routine_test_support.h"

namespace marvolin::effects {
namespace {

using testing::RoutineRun;

struct RoomCase {
    const char* name;
    const RoomRecord& room;
    std::array<double, 5> distances;      // direct, walls y = 0, y = width, x = 0, x = length
    std::array<std::uint64_t, 5> delays;  // at 22050 Hz
    std::array<double, 5> gains;
    double reverberationTime;
    std::uint64_t tail;  // at 22050 Hz
    double feedbackScale;
};

constexpr std::array<double, 5> kHall = {3.0, 7.0, 5.0, 5.0, 16.279};
constexpr std::array<double, 5> kHallGains = {0.5, 0.0434, 0.1111, 0.0334, 0.0305};
constexpr std::array<double, 5> kTiled = {0.001, 2.0, 10.0, 4.0, 0.001};
constexpr std::array<double, 5> kTiledGains = {1500, 0.1489, 0.0544, 0.0745, 111.57};

const RoomCase kRooms[] = {
    {"Airport", kLargeHall, kHall, {194, 453, 324, 324, 1055}, kHallGains, 2.400, 52920, 0.9619},
    {"Cathedral", kLargeHall, kHall, {194, 453, 324, 324, 1055}, kHallGains, 2.400, 52920, 0.9619},
    {"Bedroom",
     kLongNarrowRoom,
     {0.7, 0.7, 161.3, 0.7, 2.119},
     {45, 45, 10460, 45, 137},
     {2.143, 0.1769, 0.0054, 0.4906, 0.3470},
     0.1919,
     4230,
     0.5231},
    {"Bathroom", kSmallTiledRoom, kTiled, {0, 129, 648, 259, 0}, kTiledGains, 0.0679, 1496, 0.001},
    {"Tunnel", kSmallTiledRoom, kTiled, {0, 129, 648, 259, 0}, kTiledGains, 0.0679, 1496, 0.001},
};

std::vector<float> Reverberate(RoutineRun& run, const RoomRecord& room, std::vector<float> samples,
                               ProgressShare progress = kWholeProgress) {
    return run.Run(RunRoomReverberator, std::move(samples), room, progress);
}

TEST(RoomReverberatorTest, RoomsGiveTheirTabulatedPathsAndReverberation) {
    for (const RoomCase& c : kRooms) {
        SCOPED_TRACE(c.name);
        const RoomResponse response = ComputeRoomResponse(c.room, 22050);
        for (std::size_t path = 0; path < 5; ++path) {
            SCOPED_TRACE(path);
            EXPECT_NEAR(response.distances[path], c.distances[path], 5e-4);
            // The delay is the distance over the speed of sound, 340 m/s.
            EXPECT_EQ(c.delays[path],
                      static_cast<std::uint64_t>(c.distances[path] * 22050 / 340.0 + 1e-3));
            EXPECT_EQ(response.delays[path], c.delays[path]);
            EXPECT_NEAR(response.gains[path], c.gains[path], std::max(c.gains[path] * 1e-3, 5e-5));
        }
        EXPECT_NEAR(response.reverberationTime, c.reverberationTime, 1e-4);
        EXPECT_NEAR(double(response.tail), double(c.tail), 1.0);
        EXPECT_NEAR(response.feedbackScale, c.feedbackScale, 1e-4);
    }
}

TEST(RoomReverberatorTest, OutputIsOnlyTheReverberationLongerByTheLatestPathAndTheTail) {
    for (const RoomCase& c : kRooms) {
        SCOPED_TRACE(c.name);
        RoutineRun run;
        std::vector<float> impulse(1000, 0.0f);
        impulse[0] = 1.0f;
        const std::vector<float> out = Reverberate(run, c.room, impulse);
        const std::size_t latest = *std::max_element(c.delays.begin(), c.delays.end());
        ASSERT_EQ(out.size(), 1000 + latest + ComputeRoomResponse(c.room, 22050).tail);

        // No dry path: silence until the earliest path plus the first comb filter's 50 ms.
        const std::size_t first = *std::min_element(c.delays.begin(), c.delays.end()) + 1102;
        const auto audible = std::find_if(out.begin(), out.end(), [](float v) { return v != 0; });
        EXPECT_EQ(static_cast<std::size_t>(audible - out.begin()), first);
        const auto [low, high] = std::minmax_element(out.begin(), out.end());
        EXPECT_EQ(std::max(-*low, *high), 1.0f);
    }
    RoutineRun empty;  // silence of the added length
    EXPECT_EQ(Reverberate(empty, kLargeHall, {}), std::vector<float>(1055 + 52919, 0.0f));
}

TEST(RoomReverberatorTest, HalfTheProgressGivesTheSameSoundWithHalfTheCalls) {
    const std::vector<float> input(20000, 0.25f);
    for (const RoomRecord* room : {&kLargeHall, &kSmallTiledRoom}) {
        RoutineRun full;
        RoutineRun half;
        EXPECT_EQ(Reverberate(half, *room, input, kFirstHalfOfProgress),
                  Reverberate(full, *room, input));
        for (const RoutineRun* run : {&full, &half}) {
            for (std::size_t i = 0; i < run->host.percents.size(); ++i) {
                ASSERT_EQ(run->host.percents[i], 2 + i);
            }
        }
        EXPECT_NEAR(full.host.percents.back(), 101, 2);
        EXPECT_NEAR(half.host.percents.back(), 51, 1);
    }
}

TEST(RoomReverberatorTest, EachBlockThatCannotBeTakenLeavesTheSoundAsItWas) {
    const std::vector<float> input = {0.5f, -0.25f, 1.0f, 0.0f, -1.0f};
    RoutineRun run;
    std::vector<float> out;
    const int points = testing::FailEachAllocationInTurn(
        [&] {
            run = RoutineRun{};
            out = Reverberate(run, kLongNarrowRoom, input);
        },
        [&](int) {
            EXPECT_EQ(out, input);
            EXPECT_EQ(run.host.memoryMessages, 1);
        });
    EXPECT_GE(points, 2);  // the reflections, the comb lines and the output have blocks

    RoutineRun huge;  // 4 GHz: longer than a sound can count
    huge.sampleRate = 4000000000u;
    EXPECT_EQ(Reverberate(huge, kLargeHall, input), input);
    EXPECT_EQ(huge.host.memoryMessages, 1);

    for (const std::uint32_t rate : {0u, 1u, 19u}) {  // zero delays read the unwritten zeros
        SCOPED_TRACE(rate);
        RoutineRun tiny;
        tiny.sampleRate = rate;
        const std::vector<float> out = Reverberate(tiny, kLargeHall, input);
        const RoomResponse response = ComputeRoomResponse(kLargeHall, rate);
        EXPECT_EQ(out.size(), input.size() + response.delays[kWallXLength] + response.tail);
        EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float v) { return std::isfinite(v); }));
    }
}

}  // namespace
}  // namespace marvolin::effects
