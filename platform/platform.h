#pragma once

#include "platform/audio_devices.h"
#include "platform/cursor.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/modal_dialogs.h"
#include "platform/text_renderer.h"
#include "platform/timers.h"
#include "platform/window.h"

namespace marvolin::platform {

// The services the program calls, gathered for the main window. The Qt front end and the
// headless one each provide a full set.
struct Platform {
    MessageBoxes& messageBoxes;
    Cursor& cursor;
    Window& window;
    FileDialogs& fileDialogs;
    Timers& timers;
    WaveOutput& waveOutput;
    WaveInput& waveInput;
    AudioDeviceList& audioDevices;
    TextRenderer& textRenderer;
    ModalDialogs& dialogs;
};

}  // namespace marvolin::platform
