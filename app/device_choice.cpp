#include "app/device_choice.h"

#include <algorithm>

#include "resources/message_table.h"

namespace marvolin::app {
namespace {

std::int32_t DeviceNumber(std::int32_t number, const std::string& name,
                          const std::vector<std::string>& ids, std::string& reportedGone,
                          platform::Platform& platform) {
    if (name.empty()) {
        return number;  // nothing to look up: no round trip to the sound system
    }
    bool gone = false;
    const std::int32_t current = CurrentDeviceNumber(number, name, ids, gone);
    if (gone && reportedGone != name) {
        reportedGone = name;
        resources::ShowMessage(platform.messageBoxes, resources::MessageId::ChosenDeviceGone);
    }
    return current;
}

}  // namespace

std::int32_t CurrentDeviceNumber(std::int32_t number, const std::string& name,
                                 const std::vector<std::string>& ids, bool& gone) {
    gone = false;
    if (name.empty() || ids.empty()) {
        return number;
    }
    const auto found = std::find(ids.begin(), ids.end(), name);
    if (found == ids.end()) {
        gone = true;
        return 0;
    }
    return static_cast<std::int32_t>(found - ids.begin());
}

std::int32_t OutputDeviceNumber(MainWindowState& state, platform::Platform& platform) {
    const std::string& name = state.settings.audioOutputName;
    return DeviceNumber(
        state.settings.audioOutput, name,
        name.empty() ? std::vector<std::string>{} : platform.audioDevices.OutputDeviceIds(),
        state.reportedGoneOutput, platform);
}

std::int32_t InputDeviceNumber(MainWindowState& state, platform::Platform& platform) {
    const std::string& name = state.settings.audioInputName;
    return DeviceNumber(
        state.settings.audioInput, name,
        name.empty() ? std::vector<std::string>{} : platform.audioDevices.InputDeviceIds(),
        state.reportedGoneInput, platform);
}

}  // namespace marvolin::app
