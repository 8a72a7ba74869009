#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio_devices.h"
#include "platform/qt/pulse_connection.h"

namespace marvolin::platform::qt {

// Device numbers as the settings keep them: 0 is whatever the system's default device is at
// the time, 1 the first device the server lists, 2 the second, and so on.
//
// The server's name of device `deviceNumber` among `devices` ("" for the default), or
// nullopt when there is no such device.
std::optional<std::string> DeviceName(const std::vector<PulseConnection::Device>& devices,
                                      int deviceNumber);

// What the Settings lists show: "Default (description of the default)" first, then every
// device by description. Without a known default the first line is just "Default".
std::vector<std::string> DeviceLines(const std::vector<PulseConnection::Device>& devices,
                                     const std::string& defaultName);

// The server's names in the same order as DeviceLines ("" for the default).
std::vector<std::string> DeviceIds(const std::vector<PulseConnection::Device>& devices);

// Whether the server can carry 16-bit mono samples at `sampleRate`.
bool PlayableRate(std::uint32_t sampleRate);

enum class DeviceDirection { Output, Input };

// What opening device `deviceNumber` at `sampleRate` needs: the rate checked, then the
// device's server name found ("" for the default, which needs no round trip to the server).
// On success `name` holds it and the result is Ok.
DeviceResult ChooseDevice(PulseConnection& connection, DeviceDirection direction, int deviceNumber,
                          std::uint32_t sampleRate, std::string& name);

}  // namespace marvolin::platform::qt
