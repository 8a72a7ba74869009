#include "formats/channel_mixdown.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace marvolin::formats {
namespace {

template <typename T>
std::vector<std::int16_t> Mix(MixSampleType type, int channels, const std::vector<T>& interleaved) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(interleaved.data());
    const std::uint8_t* planes[] = {bytes};
    MixInput input{type, false, channels, interleaved.size() / channels, planes};
    std::vector<std::int16_t> out(input.frames);
    MixDown(input, out.data());
    return out;
}

TEST(ChannelMixdownTest, IntegerMeansRoundToNearestWithTiesToEvenAndNeverClip) {
    // 16-bit stereo: (1+2)/2 = 1.5 -> 2, (3+4)/2 = 3.5 -> 4, (-1-2)/2 = -1.5 -> -2,
    // (2+3)/2 = 2.5 -> 2, full scale stays full scale.
    EXPECT_EQ(
        Mix<std::int16_t>(MixSampleType::Signed16, 2,
                          {1, 2, 3, 4, -1, -2, 2, 3, 32767, 32767, -32768, -32768, 32767, -32768}),
        (std::vector<std::int16_t>{2, 4, -2, 2, 32767, -32768, 0}));
    // Three channels: (10+11+11)/3 = 10.67 -> 11, (-10-11-11)/3 -> -11.
    EXPECT_EQ(Mix<std::int16_t>(MixSampleType::Signed16, 3, {10, 11, 11, -10, -11, -11}),
              (std::vector<std::int16_t>{11, -11}));
}

TEST(ChannelMixdownTest, WideSamplesKeepTheirFractionUntilTheOneRounding) {
    // 32-bit (24-bit data in the top bits): 0x00018000 is 1.5 steps -> 2; 0x00028000 -> 2;
    // 0x0001C000 is 1.75 -> 2; 0x7FFFFFFF rounds past 32767 and is held there.
    EXPECT_EQ(Mix<std::int32_t>(MixSampleType::Signed32, 1,
                                {0x00018000, 0x00028000, 0x0001C000, 0x7FFFFFFF, INT32_MIN}),
              (std::vector<std::int16_t>{2, 2, 2, 32767, -32768}));
    // Two channels of a quarter step each mix to a quarter step: 0; of three quarters: 1.
    EXPECT_EQ(Mix<std::int32_t>(MixSampleType::Signed32, 2, {0x4000, 0x4000, 0xC000, 0xC000}),
              (std::vector<std::int16_t>{0, 1}));
    EXPECT_EQ(Mix<std::uint8_t>(MixSampleType::Unsigned8, 2, {128, 128, 255, 255, 0, 1}),
              (std::vector<std::int16_t>{0, 127 * 256, -32640}));
    EXPECT_EQ(Mix<std::int64_t>(MixSampleType::Signed64, 1, {std::int64_t{-5} << 48}),
              (std::vector<std::int16_t>{-5}));
}

TEST(ChannelMixdownTest, FloatsScaleFullScaleTo32768AndClampOnlyBeyondIt) {
    EXPECT_EQ(Mix<float>(MixSampleType::Float32, 1,
                         {0.5f, -1.0f, 1.0f, 2.0f, 1.5f / 32768, 2.5f / 32768, -0.00002f}),
              (std::vector<std::int16_t>{16384, -32768, 32767, 32767, 2, 2, -1}));
    EXPECT_EQ(Mix<double>(MixSampleType::Float64, 2, {1.0, -1.0, 0.25, 0.75, 0.0 / 0.0, 0.0}),
              (std::vector<std::int16_t>{0, 16384, 0}));
}

TEST(ChannelMixdownTest, PlanarChannelsMixLikeInterleavedOnes) {
    const std::vector<float> left = {0.25f, -0.5f};
    const std::vector<float> right = {0.75f, 0.5f};
    const std::uint8_t* planes[] = {reinterpret_cast<const std::uint8_t*>(left.data()),
                                    reinterpret_cast<const std::uint8_t*>(right.data())};
    MixInput input{MixSampleType::Float32, true, 2, 2, planes};
    std::int16_t out[2] = {7, 7};
    MixDown(input, out);
    EXPECT_EQ(out[0], 16384);
    EXPECT_EQ(out[1], 0);
}

}  // namespace
}  // namespace marvolin::formats
