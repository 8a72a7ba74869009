#pragma once

#include "platform/audio_devices.h"

namespace marvolin::platform::qt {

// Output device that cannot be opened: Open answers BadDevice, everything else InvalidHandle.
class UnavailableWaveOutput : public WaveOutput {
  public:
    DeviceResult Open(int deviceNumber, std::uint32_t sampleRate) override;
    DeviceResult Prepare(std::span<const std::int16_t> samples) override;
    DeviceResult Write() override;
    DeviceResult Unprepare() override;
    DeviceResult Reset() override;
    DeviceResult Close() override;
    std::uint32_t BufferId() const override { return 0; }
};

// Input device that cannot be opened: Open answers BadDevice, everything else InvalidHandle.
class UnavailableWaveInput : public WaveInput {
  public:
    DeviceResult Open(int deviceNumber, std::uint32_t sampleRate) override;
    DeviceResult Prepare(std::span<std::int16_t> buffer) override;
    DeviceResult AddBuffer() override;
    DeviceResult Start() override;
    DeviceResult Stop() override;
    DeviceResult Reset() override;
    DeviceResult Unprepare() override;
    DeviceResult Close() override;
    std::size_t RecordedBytes() const override { return 0; }
};

}  // namespace marvolin::platform::qt
