#include "effects/progress_tick.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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
