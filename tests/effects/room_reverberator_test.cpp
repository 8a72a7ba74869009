#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/room_acoustics.h"
#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

using testing::FailingAllocations;
using testing::RoutineRun;

struct RoomCase {
    const char* name;
    std::uint16_t effect;                 // 0 for the first Acoustics button
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
    {"Airport", 0, kHall, {194, 453, 324, 324, 1055}, kHallGains, 2.400, 52920, 0.9619},
    {"Cathedral", 1, kHall, {194, 453, 324, 324, 1055}, kHallGains, 2.400, 52920, 0.9619},
    {"Bedroom",
     2,
     {0.7, 0.7, 161.3, 0.7, 2.119},
     {45, 45, 10460, 45, 137},
     {2.143, 0.1769, 0.0054, 0.4906, 0.3470},
     0.1919,
     4230,
     0.5231},
    {"Bathroom", 3, kTiled, {0, 129, 648, 259, 0}, kTiledGains, 0.0679, 1496, 0.001},
    {"Tunnel", 4, kTiled, {0, 129, 648, 259, 0}, kTiledGains, 0.0679, 1496, 0.001},
};

const RoomResponse& ResponseOf(std::uint16_t effect, std::uint32_t rate) {
    static RoomResponse response;
    response = ComputeRoomResponse(*SelectRoom(0, static_cast<std::uint16_t>(8 + effect)), rate);
    return response;
}

TEST(RoomReverberatorTest, RoomsGiveTheirTabulatedPathsAndReverberation) {
    for (const RoomCase& c : kRooms) {
        SCOPED_TRACE(c.name);
        const RoomResponse& response = ResponseOf(c.effect, 22050);
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
    EXPECT_EQ(SelectRoom(3, 8), nullptr);
}

TEST(RoomReverberatorTest, OutputIsOnlyTheReverberationLongerByTheLatestPathAndTheTail) {
    for (const RoomCase& c : kRooms) {
        SCOPED_TRACE(c.name);
        RoutineRun run;
        run.effect = c.effect;
        std::vector<float> impulse(1000, 0.0f);
        impulse[0] = 1.0f;
        const std::vector<float> out = run.Run(RunRoomReverberator, impulse);
        const std::size_t latest = *std::max_element(c.delays.begin(), c.delays.end());
        ASSERT_EQ(out.size(), 1000 + latest + ResponseOf(c.effect, 22050).tail);

        // No dry path: silence until the earliest path plus the first comb filter's 50 ms.
        const std::size_t first = *std::min_element(c.delays.begin(), c.delays.end()) + 1102;
        const auto audible = std::find_if(out.begin(), out.end(), [](float v) { return v != 0; });
        EXPECT_EQ(static_cast<std::size_t>(audible - out.begin()), first);
        const auto [low, high] = std::minmax_element(out.begin(), out.end());
        EXPECT_EQ(std::max(-*low, *high), 1.0f);
    }
    RoutineRun empty;  // silence of the added length
    EXPECT_EQ(empty.Run(RunRoomReverberator, {}), std::vector<float>(1055 + 52919, 0.0f));
}

TEST(RoomReverberatorTest, CathedralAndTunnelShowHalfTheProgressOfAirportAndBathroom) {
    const std::vector<float> input(20000, 0.25f);
    for (const std::uint16_t whole : {0, 3}) {
        SCOPED_TRACE(whole);
        RoutineRun full;
        full.effect = whole;
        RoutineRun half;
        half.effect = static_cast<std::uint16_t>(whole + 1);
        EXPECT_EQ(half.Run(RunRoomReverberator, input), full.Run(RunRoomReverberator, input));
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
    // Early buffer, late buffer, six comb lines, output block.
    for (int successes = 0; successes < 9; ++successes) {
        SCOPED_TRACE(successes);
        RoutineRun run;
        run.effect = 2;
        FailingAllocations failing(1, successes);
        EXPECT_EQ(run.Run(RunRoomReverberator, input), input);
        EXPECT_EQ(run.host.memoryMessages, 1);
    }
    RoutineRun huge;  // 4 GHz: longer than a sound can count
    huge.sampleRate = 4000000000u;
    EXPECT_EQ(huge.Run(RunRoomReverberator, input), input);
    EXPECT_EQ(huge.host.memoryMessages, 1);

    for (const std::uint32_t rate : {0u, 1u, 19u}) {  // zero delays read the unwritten zeros
        SCOPED_TRACE(rate);
        RoutineRun tiny;
        tiny.sampleRate = rate;
        const std::vector<float> out = tiny.Run(RunRoomReverberator, input);
        const RoomResponse& response = ResponseOf(0, rate);
        EXPECT_EQ(out.size(), input.size() + response.delays[kWallXLength] + response.tail);
        EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float v) { return std::isfinite(v); }));
    }
}

}  // namespace
}  // namespace marvolin::effects
