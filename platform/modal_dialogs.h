#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marvolin::platform {

// The Settings dialog's controls by number. The Qt dialog gives each control its number as
// object name.
enum SettingsControl : int {
    kSettingsOk = 1,
    kSettingsCancel = 2,
    kInputDeviceList = 1001,
    kOutputDeviceList = 1002,
    kDirectoryField = 1003,
    kRate8000Button = 1004,
    kRate11025Button = 1005,
    kRate16000Button = 1006,
    kPlayAfterLoadingBox = 1007,
    kRate22050Button = 1008,
    kRate32000Button = 1009,
    kRate44100Button = 1010,
    kPlayAfterProcessingBox = 1011,
    kPlayAfterUndoBox = 1012,
    kPlayAfterRecordingBox = 1013,
    kDisplayHelpBox = 1014,
    kAutoTruncateBox = 1015,
};

// What the Settings dialog shows as it opens.
struct SettingsDialogContents {
    std::vector<std::string> inputDevices;  // position n is device number n
    std::vector<std::string> outputDevices;
    int selectedInput = -1;  // -1: no position selected
    int selectedOutput = -1;
    std::string directory;
    std::vector<int> checkedBoxes;  // the check boxes ticked, by control number
    int checkedRateButton = 0;      // the radio button checked; 0 when none is
};

// The program's side of the Settings dialog. The dialog asks for its contents once as it
// opens and then reports every change the user makes; OK and Cancel arrive as clicks on
// controls 1 and 2, after which the dialog closes.
class SettingsDialogHandler {
  public:
    virtual ~SettingsDialogHandler() = default;
    virtual SettingsDialogContents Open() = 0;
    virtual void SelectionChanged(int control, int position) = 0;
    virtual void TextChanged(int control, std::string_view text) = 0;
    virtual void Clicked(int control) = 0;
};

// What the About box shows.
struct AboutBoxContents {
    std::string title;
    int logoBitmap = 0;  // bitmap resource
    std::vector<std::string> lines;
};

// The program's modal dialogs, shown without an owner window and centred on the desktop.
// Each returns when its dialog has closed.
class ModalDialogs {
  public:
    virtual ~ModalDialogs() = default;
    virtual void RunSettings(SettingsDialogHandler& handler) = 0;
    // Closes with OK (Enter) or the window's close command, never with Escape.
    virtual void RunAbout(const AboutBoxContents& contents) = 0;
};

}  // namespace marvolin::platform
