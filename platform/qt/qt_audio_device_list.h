#pragma once

#include "platform/audio_devices.h"

namespace marvolin::platform::qt {

class PulseConnection;

// The sound server's devices, asked afresh each time: the system's default first (as
// "Default (its description)"), then every device by description. A device number is a
// position in these lists. Without a reachable server the lists are empty.
class QtAudioDeviceList : public AudioDeviceList {
  public:
    explicit QtAudioDeviceList(PulseConnection& connection) : connection_(connection) {}

    std::vector<std::string> InputDeviceNames() const override;
    std::vector<std::string> OutputDeviceNames() const override;
    std::vector<std::string> InputDeviceIds() const override;
    std::vector<std::string> OutputDeviceIds() const override;

  private:
    PulseConnection& connection_;
};

}  // namespace marvolin::platform::qt
