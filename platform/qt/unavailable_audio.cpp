#include "platform/qt/unavailable_audio.h"

namespace marvolin::platform::qt {

DeviceResult UnavailableWaveOutput::Open(int, std::uint32_t) {
    return DeviceResult::BadDevice;
}
DeviceResult UnavailableWaveOutput::Prepare(std::span<const std::int16_t>) {
    return DeviceResult::InvalidHandle;
}
DeviceResult UnavailableWaveOutput::Write() {
    return DeviceResult::InvalidHandle;
}
DeviceResult UnavailableWaveOutput::Unprepare() {
    return DeviceResult::InvalidHandle;
}
DeviceResult UnavailableWaveOutput::Reset() {
    return DeviceResult::InvalidHandle;
}
DeviceResult UnavailableWaveOutput::Close() {
    return DeviceResult::InvalidHandle;
}

DeviceResult UnavailableWaveInput::Open(int, std::uint32_t) {
    return DeviceResult::BadDevice;
}
DeviceResult UnavailableWaveInput::Prepare(std::span<std::int16_t>) {
    return DeviceResult::InvalidHandle;
}
DeviceResult UnavailableWaveInput::AddBuffer() {
    return DeviceResult::InvalidHandle;
}
DeviceResult UnavailableWaveInput::Start() {
    return DeviceResult::InvalidHandle;
}
DeviceResult UnavailableWaveInput::Stop() {
    return DeviceResult::InvalidHandle;
}
DeviceResult UnavailableWaveInput::Reset() {
    return DeviceResult::InvalidHandle;
}
DeviceResult UnavailableWaveInput::Unprepare() {
    return DeviceResult::InvalidHandle;
}
DeviceResult UnavailableWaveInput::Close() {
    return DeviceResult::InvalidHandle;
}

}  // namespace marvolin::platform::qt
