#include "effects/progress_tick.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "effects/normalize_peak.h"

namespace marvolin::effects {
namespace {

struct PercentRecorder : EffectHost {
    void ShowProgress(std::uint32_t percent) override {
        percents.push_back(percent);
        sampleIndexes.push_back(currentSample);
    }
    void ShowMemoryMessage() override {}
    std::vector<std::uint32_t> percents;
    std::vector<std::uint32_t> sampleIndexes;
    std::uint32_t currentSample = 0;
};

TEST(ProgressTickTest, CallsTheIndicatorAtStepThenEveryStepMinusOne) {
    struct Case {
        std::uint32_t samples;
        std::uint32_t step;
        std::size_t calls;
        std::uint32_t lastPercent;
    };
    const Case cases[] = {
        {1000, 10, 110, 111},                  // step n / 100
        {250, 2, 248, 249},   {150, 1, 1, 2},  // fewer than 200 samples: one call
        {50, 0, 1, 2},        {100000, 1000, 100, 101},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.samples);
        PercentRecorder host;
        ProgressTick tick(host, c.step);
        for (host.currentSample = 0; host.currentSample < c.samples; ++host.currentSample) {
            tick.Tick();
        }
        ASSERT_EQ(host.percents.size(), c.calls);
        EXPECT_EQ(host.percents.front(), 2u);
        EXPECT_EQ(host.percents.back(), c.lastPercent);
        EXPECT_EQ(tick.percent(), c.lastPercent);
        if (c.step > 1) {
            EXPECT_EQ(host.sampleIndexes[0], c.step);
            EXPECT_EQ(host.sampleIndexes[1], 2 * c.step - 1);
        }
    }
}

TEST(ProgressTickTest, CountingFirstCallsOneSampleEarlierAndNeverForStepZero) {
    struct Case {
        std::uint32_t samples;
        std::uint32_t step;
        std::size_t calls;
    };
    const Case cases[] = {{1000, 10, 111}, {150, 1, 1}, {50, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.samples);
        PercentRecorder host;
        ProgressTick tick(host, c.step);
        for (host.currentSample = 0; host.currentSample < c.samples; ++host.currentSample) {
            tick.TickCountingFirst();
        }
        ASSERT_EQ(host.percents.size(), c.calls);
        EXPECT_EQ(tick.percent(), 1 + c.calls);
        if (c.step > 1) {
            EXPECT_EQ(host.sampleIndexes[0], c.step - 1);
            EXPECT_EQ(host.sampleIndexes[1], 2 * c.step - 2);
        }
    }
}

TEST(ProgressTickTest, AdvancingInRunsMakesTheSameCallsAsTickingEachSample) {
    struct Case {
        std::uint32_t step;
        std::uint32_t firstPercent;
        std::vector<std::uint32_t> runs;
        bool restartBetweenRuns;  // with the same step
    };
    const Case cases[] = {
        {1000, 1, {100000}, false},
        {7, 51, {3, 0, 4, 50, 1}, false},
        {2, 1, {250}, false},
        {0, 1, {10, 10, 10}, true},
        {1, 1, {5000}, false},
        {333, 51, {1000, 1000, 1000}, true},
        {4096, 1, {4096, 4095, 2}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        PercentRecorder ticked;
        PercentRecorder advanced;
        ProgressTick one(ticked, c.step, c.firstPercent);
        ProgressTick many(advanced, c.step, c.firstPercent);
        for (const std::uint32_t run : c.runs) {
            if (c.restartBetweenRuns) {
                one.Restart(c.step);
                many.Restart(c.step);
            }
            for (std::uint32_t i = 0; i < run; ++i) {
                one.Tick();
            }
            many.Advance(run);
        }
        EXPECT_EQ(advanced.percents, ticked.percents);
        EXPECT_EQ(many.percent(), one.percent());
    }

    // After 2^32 samples the counter comes round to the step again, as single ticks would.
    PercentRecorder wrapped;
    ProgressTick zeroStep(wrapped, 0);
    zeroStep.Advance((std::uint64_t{1} << 32) - 1);
    EXPECT_EQ(wrapped.percents, (std::vector<std::uint32_t>{2}));
    zeroStep.Advance(1);
    EXPECT_EQ(wrapped.percents, (std::vector<std::uint32_t>{2, 3}));
}

TEST(NormalizePeakTest, TheLoudestSampleBecomesExactlyOne) {
    std::vector<float> samples = {0.25f, -0.5f, 0.1f, 0.5f};
    NormalizePeak(samples);
    EXPECT_EQ(samples, (std::vector<float>{0.5f, -1.0f, 0.2f, 1.0f}));

    std::vector<float> odd = {0.3f, -0.7f};
    NormalizePeak(odd);
    EXPECT_EQ(odd[1], -1.0f);
    EXPECT_EQ(odd[0], static_cast<float>(double(0.3f) / double(0.7f)));

    std::vector<float> silence = {0.0f, -0.0f, 0.0f};
    NormalizePeak(silence);
    EXPECT_EQ(silence, (std::vector<float>{0.0f, 0.0f, 0.0f}));

    std::vector<float> empty;
    NormalizePeak(empty);
    EXPECT_TRUE(empty.empty());
}

}  // namespace
}  // namespace marvolin::effects
