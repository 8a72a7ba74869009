#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QList>
#include <cstdint>

#include "platform/audio_devices.h"

namespace marvolin::platform::qt {

// The device at position `deviceNumber` of `devices` and the 16-bit mono format at
// `sampleRate` for it. BadDevice when there is no such position, BadFormat when the device
// does not take that format.
DeviceResult ChooseAudioDevice(const QList<QAudioDevice>& devices, int deviceNumber,
                               std::uint32_t sampleRate, QAudioDevice& device,
                               QAudioFormat& format);

}  // namespace marvolin::platform::qt
