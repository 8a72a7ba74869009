#include "platform/qt/pulse_device_choice.h"

#include <pulse/sample.h>

namespace marvolin::platform::qt {

std::optional<std::string> DeviceName(const std::vector<PulseConnection::Device>& devices,
                                      int deviceNumber) {
    if (deviceNumber == 0) {
        return std::string();
    }
    if (deviceNumber < 0 || static_cast<std::size_t>(deviceNumber) > devices.size()) {
        return std::nullopt;
    }
    return devices[static_cast<std::size_t>(deviceNumber) - 1].name;
}

std::vector<std::string> DeviceLines(const std::vector<PulseConnection::Device>& devices,
                                     const std::string& defaultName) {
    std::vector<std::string> lines{"Default"};
    for (const PulseConnection::Device& device : devices) {
        if (device.name == defaultName) {
            lines[0] = "Default (" + device.description + ")";
        }
        lines.push_back(device.description);
    }
    return lines;
}

std::vector<std::string> DeviceIds(const std::vector<PulseConnection::Device>& devices) {
    std::vector<std::string> ids{""};
    for (const PulseConnection::Device& device : devices) {
        ids.push_back(device.name);
    }
    return ids;
}

bool PlayableRate(std::uint32_t sampleRate) {
    const pa_sample_spec sampleFormat = MonoSamples(sampleRate);
    return pa_sample_spec_valid(&sampleFormat) != 0;
}

DeviceResult ChooseDevice(PulseConnection& connection, DeviceDirection direction, int deviceNumber,
                          std::uint32_t sampleRate, std::string& name) {
    if (!PlayableRate(sampleRate)) {
        return DeviceResult::BadFormat;
    }
    std::optional<std::string> found = std::string();
    if (deviceNumber != 0) {
        const auto devices = connection.ListDevices();
        if (!devices) {
            return DeviceResult::BadDevice;
        }
        found = DeviceName(direction == DeviceDirection::Input ? devices->inputs : devices->outputs,
                           deviceNumber);
    }
    if (!found) {
        return DeviceResult::BadDevice;
    }
    name = *found;
    return DeviceResult::Ok;
}

}  // namespace marvolin::platform::qt
