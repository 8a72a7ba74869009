#include "platform/qt/qt_audio_device_list.h"

#include "platform/qt/pulse_connection.h"
#include "platform/qt/pulse_device_choice.h"

namespace marvolin::platform::qt {

std::vector<std::string> QtAudioDeviceList::InputDeviceNames() const {
    const auto devices = connection_.ListDevices();
    return devices ? DeviceLines(devices->inputs, devices->defaultInput)
                   : std::vector<std::string>{};
}

std::vector<std::string> QtAudioDeviceList::OutputDeviceNames() const {
    const auto devices = connection_.ListDevices();
    return devices ? DeviceLines(devices->outputs, devices->defaultOutput)
                   : std::vector<std::string>{};
}

std::vector<std::string> QtAudioDeviceList::InputDeviceIds() const {
    const auto devices = connection_.ListDevices();
    return devices ? DeviceIds(devices->inputs) : std::vector<std::string>{};
}

std::vector<std::string> QtAudioDeviceList::OutputDeviceIds() const {
    const auto devices = connection_.ListDevices();
    return devices ? DeviceIds(devices->outputs) : std::vector<std::string>{};
}

}  // namespace marvolin::platform::qt
