#include "platform/qt/qt_audio_device_list.h"

#include <QAudioDevice>
#include <QList>
#include <QMediaDevices>

namespace marvolin::platform::qt {
namespace {

std::vector<std::string> Descriptions(const QList<QAudioDevice>& devices) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(devices.size()));
    for (const QAudioDevice& device : devices) {
        names.push_back(device.description().toStdString());
    }
    return names;
}

}  // namespace

std::vector<std::string> QtAudioDeviceList::InputDeviceNames() const {
    return Descriptions(QMediaDevices::audioInputs());
}

std::vector<std::string> QtAudioDeviceList::OutputDeviceNames() const {
    return Descriptions(QMediaDevices::audioOutputs());
}

}  // namespace marvolin::platform::qt
