#pragma once

#include "platform/audio_devices.h"

namespace marvolin::platform::qt {

// The sound devices QMediaDevices knows, by description, in its order: a device number is a
// position in these lists.
class QtAudioDeviceList : public AudioDeviceList {
  public:
    std::vector<std::string> InputDeviceNames() const override;
    std::vector<std::string> OutputDeviceNames() const override;
};

}  // namespace marvolin::platform::qt
