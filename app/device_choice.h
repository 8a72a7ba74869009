#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window_state.h"
#include "platform/platform.h"

namespace marvolin::app {

// The device number to use for a device stored as `number` and `name`: the position of
// `name` among `ids` (the devices' stable names in list order), so that the choice follows
// the device when the list changes. Without a name, or without names to look in, `number`
// as stored. A name that is not in the list gives 0, the system's default, and sets `gone`.
std::int32_t CurrentDeviceNumber(std::int32_t number, const std::string& name,
                                 const std::vector<std::string>& ids, bool& gone);

// The output and input device numbers to open now, telling the user once when the chosen
// device has gone (caption "Warning").
std::int32_t OutputDeviceNumber(MainWindowState& state, platform::Platform& platform);
std::int32_t InputDeviceNumber(MainWindowState& state, platform::Platform& platform);

}  // namespace marvolin::app
