#include "platform/qt/qt_platform.h"

#include "platform/qt/main_widget.h"

namespace marvolin::platform::qt {

QtPlatform::QtPlatform(MainWidget& widget)
    : messageBoxes(widget, cursor),
      window(widget),
      fileDialogs(widget, cursor),
      timers(widget),
      waveOutput(widget, soundServer),
      waveInput(widget, soundServer),
      audioDevices(soundServer),
      dialogs(cursor),
      services_{messageBoxes, cursor,    window,       fileDialogs,  timers,
                waveOutput,   waveInput, audioDevices, textRenderer, dialogs} {
    textRenderer.ShareLinesWith(&widget);
}

}  // namespace marvolin::platform::qt
