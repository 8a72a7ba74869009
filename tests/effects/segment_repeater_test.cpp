#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

testing::RoutineRun StammeringAt(std::uint32_t rate) {
    return testing::RoutineRun::AtRate(rate);
}

// Each sample holds its own index, so the output shows which input sample went where.
std::vector<float> Ramp(std::uint32_t begin, std::uint32_t end, std::uint32_t plays = 1) {
    std::vector<float> samples;
    for (std::uint32_t play = 0; play < plays; ++play) {
        for (std::uint32_t i = begin; i < end; ++i) {
            samples.push_back(static_cast<float>(i));
        }
    }
    return samples;
}

std::vector<float> Joined(std::initializer_list<std::vector<float>> parts) {
    std::vector<float> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(SegmentRepeaterTest, RepeatsEachStretchTheSoundHoldsAndCopiesTheRestOnce) {
    struct Boundaries {
        std::uint32_t rate, a, b1, b2, c1, c2;
    };
    const Boundaries rows[] = {
        {8000, 1600, 12000, 13600, 24000, 25600},
        {11025, 2205, 16537, 18742, 33075, 35280},
        {22050, 4410, 33075, 37485, 66150, 70560},
        {44100, 8820, 66150, 74970, 132300, 141120},
    };
    for (const Boundaries& b : rows) {
        SCOPED_TRACE(b.rate);
        EXPECT_EQ(b.rate * 200 / 1000, b.a);
        EXPECT_EQ(b.rate * 1500 / 1000, b.b1);
        EXPECT_EQ(b.rate * 1700 / 1000, b.b2);
        EXPECT_EQ(b.rate * 3000 / 1000, b.c1);
        EXPECT_EQ(b.rate * 3200 / 1000, b.c2);

        const std::uint32_t between = (b.a + b.b1) / 2;
        const std::uint32_t inMiddle = (b.b1 + b.b2) / 2;
        const std::uint32_t longer = b.c2 + 1000;
        const std::vector<float> firstFiveTimes = Ramp(0, b.a, 5);
        const std::vector<std::vector<float>> expected = {
            firstFiveTimes,
            Joined({firstFiveTimes, Ramp(b.a, between)}),
            Joined({firstFiveTimes, Ramp(b.a, inMiddle)}),
            Joined({firstFiveTimes, Ramp(b.a, b.b1), Ramp(b.b1, b.b2, 5), Ramp(b.b2, b.c2)}),
            Joined({firstFiveTimes, Ramp(b.a, b.b1), Ramp(b.b1, b.b2, 5), Ramp(b.b2, b.c1),
                    Ramp(b.c1, b.c2, 5), Ramp(b.c2, longer)}),
        };
        const std::uint32_t counts[] = {b.a, between, inMiddle, b.c2, longer};
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(counts[i]);
            auto run = StammeringAt(b.rate);
            ASSERT_EQ(run.Run(RunSegmentRepeater, Ramp(0, counts[i])), expected[i]);
        }
        EXPECT_EQ(expected.back().size(), longer + 4 * (b.a + b.b2 - b.b1 + b.c2 - b.c1));
    }
}

TEST(SegmentRepeaterTest, ProgressEndsNearOneHundredAndOne) {
    auto run = StammeringAt(22050);
    // Step 396: 22 050 repeated samples compare first, 17 640 single copies count first.
    run.Run(RunSegmentRepeater, Ramp(0, 22050));
    ASSERT_EQ(run.host.percents.size(), 100u);
    EXPECT_EQ(run.host.percents.back(), 101u);
}

TEST(SegmentRepeaterTest, KeepsTheSoundWhenTooShortOrShortOfMemory) {
    const auto shortSound = Ramp(0, 4409);
    const std::uint32_t rates[] = {22050, 4'000'000'000u};
    for (const std::uint32_t rate : rates) {
        auto run = StammeringAt(rate);
        EXPECT_EQ(run.Run(RunSegmentRepeater, shortSound), shortSound);
        EXPECT_EQ(run.Run(RunSegmentRepeater, {}), std::vector<float>{});
        EXPECT_EQ(run.host.memoryMessages, 0);
        EXPECT_TRUE(run.host.percents.empty());
    }
    // At 4 Hz the stretches hold no sample: the sound is copied as it is.
    auto tiny = StammeringAt(4);
    EXPECT_EQ(tiny.Run(RunSegmentRepeater, Ramp(0, 20)), Ramp(0, 20));

    auto run = StammeringAt(22050);
    testing::FailingAllocations failing;
    EXPECT_EQ(run.Run(RunSegmentRepeater, Ramp(0, 5000)), Ramp(0, 5000));
    EXPECT_EQ(run.host.memoryMessages, 1);
}

}  // namespace
}  // namespace marvolin::effects
