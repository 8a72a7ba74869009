#include "platform/qt/audio_device_choice.h"

#include <climits>

namespace marvolin::platform::qt {

DeviceResult ChooseAudioDevice(const QList<QAudioDevice>& devices, int deviceNumber,
                               std::uint32_t sampleRate, QAudioDevice& device,
                               QAudioFormat& format) {
    if (deviceNumber < 0 || deviceNumber >= devices.size()) {
        return DeviceResult::BadDevice;
    }
    if (sampleRate == 0 || sampleRate > INT_MAX) {
        return DeviceResult::BadFormat;
    }
    QAudioFormat wanted;
    wanted.setSampleRate(static_cast<int>(sampleRate));
    wanted.setChannelCount(1);
    wanted.setSampleFormat(QAudioFormat::Int16);
    if (!devices[deviceNumber].isFormatSupported(wanted)) {
        return DeviceResult::BadFormat;
    }
    device = devices[deviceNumber];
    format = wanted;
    return DeviceResult::Ok;
}

}  // namespace marvolin::platform::qt
