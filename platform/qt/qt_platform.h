#pragma once

#include "platform/platform.h"
#include "platform/qt/pulse_connection.h"
#include "platform/qt/pulse_wave_input.h"
#include "platform/qt/pulse_wave_output.h"
#include "platform/qt/qt_audio_device_list.h"
#include "platform/qt/qt_cursor.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_modal_dialogs.h"
#include "platform/qt/qt_text_renderer.h"
#include "platform/qt/qt_timers.h"
#include "platform/qt/qt_window.h"

namespace marvolin::platform::qt {

class MainWidget;

// The full set of services on Qt, all about the one main widget.
class QtPlatform {
  public:
    explicit QtPlatform(MainWidget& widget);
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Platform& services() { return services_; }

    QtCursor cursor;
    QtMessageBoxes messageBoxes;
    QtWindow window;
    QtFileDialogs fileDialogs;
    QtTimers timers;
    // Before the devices that use it, so that it goes after them.
    PulseConnection soundServer;
    PulseWaveOutput waveOutput;
    PulseWaveInput waveInput;
    QtAudioDeviceList audioDevices;
    QtTextRenderer textRenderer;
    QtModalDialogs dialogs;

  private:
    Platform services_;
};

}  // namespace marvolin::platform::qt
