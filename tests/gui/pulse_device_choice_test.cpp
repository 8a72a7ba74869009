#include "platform/qt/pulse_device_choice.h"

#include <gtest/gtest.h>

namespace marvolin::platform::qt {
namespace {

const std::vector<PulseConnection::Device> kOutputs{{"alsa_output.analog", "Built-in Audio"},
                                                    {"bluez_sink.headset", "Headset"}};

TEST(PulseDeviceChoiceTest, TheDefaultComesFirstAndNumbersCountFromIt) {
    EXPECT_EQ(DeviceLines(kOutputs, "bluez_sink.headset"),
              (std::vector<std::string>{"Default (Headset)", "Built-in Audio", "Headset"}));
    EXPECT_EQ(DeviceLines(kOutputs, "gone_sink"),
              (std::vector<std::string>{"Default", "Built-in Audio", "Headset"}));
    EXPECT_EQ(DeviceLines({}, ""), std::vector<std::string>{"Default"});
    EXPECT_EQ(DeviceIds(kOutputs),
              (std::vector<std::string>{"", "alsa_output.analog", "bluez_sink.headset"}));

    EXPECT_EQ(DeviceName(kOutputs, 0), std::optional<std::string>(""));
    EXPECT_EQ(DeviceName({}, 0), std::optional<std::string>(""));  // the default always is
    EXPECT_EQ(DeviceName(kOutputs, 1), std::optional<std::string>("alsa_output.analog"));
    EXPECT_EQ(DeviceName(kOutputs, 2), std::optional<std::string>("bluez_sink.headset"));
    EXPECT_EQ(DeviceName(kOutputs, 3), std::nullopt);
    EXPECT_EQ(DeviceName(kOutputs, -1), std::nullopt);
}

TEST(PulseDeviceChoiceTest, RatesTheServerCannotCarryAreRefused) {
    EXPECT_TRUE(PlayableRate(8000));
    EXPECT_TRUE(PlayableRate(44100));
    EXPECT_TRUE(PlayableRate(10989));
    EXPECT_FALSE(PlayableRate(0));
    EXPECT_FALSE(PlayableRate(100'000'000));
    EXPECT_FALSE(PlayableRate(0xFFFFFFFFu));
}

}  // namespace
}  // namespace marvolin::platform::qt
