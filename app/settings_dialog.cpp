#include "app/settings_dialog.h"

#include <cstdint>

#include "app/device_choice.h"

namespace marvolin::app {
namespace {

using namespace platform;

struct RateButton {
    int control;
    std::int32_t samplingFrequency;
};
constexpr RateButton kRateButtons[] = {
    {kRate8000Button, 1},  {kRate11025Button, 2}, {kRate16000Button, 3},
    {kRate22050Button, 4}, {kRate32000Button, 5}, {kRate44100Button, 6},
};

struct SwitchBox {
    int control;
    std::int32_t Settings::*field;
};
// In the order the boxes are ticked as the dialog opens.
constexpr SwitchBox kSwitchBoxes[] = {
    {kPlayAfterLoadingBox, &Settings::playAfterLoading},
    {kPlayAfterProcessingBox, &Settings::playAfterProcessing},
    {kPlayAfterUndoBox, &Settings::playAfterUndo},
    {kPlayAfterRecordingBox, &Settings::playAfterRecording},
    {kAutoTruncateBox, &Settings::autoTruncate},
    {kDisplayHelpBox, &Settings::displayHelp},
};

// The position when it is in the list, -1 (nothing selected) otherwise.
int ListPosition(std::int32_t deviceNumber, std::size_t listSize) {
    return deviceNumber >= 0 && static_cast<std::size_t>(deviceNumber) < listSize ? deviceNumber
                                                                                  : -1;
}

}  // namespace

SettingsDialog::SettingsDialog(Settings& settings, std::string settingsFile,
                               const AudioDeviceList& devices)
    : settings_(settings), settingsFile_(std::move(settingsFile)), devices_(devices) {}

SettingsDialogContents SettingsDialog::Open() {
    settings_ = ReadSettings(settingsFile_);
    saveFailed_ = false;

    SettingsDialogContents contents;
    contents.inputDevices = devices_.InputDeviceNames();
    contents.outputDevices = devices_.OutputDeviceNames();
    inputIds_ = devices_.InputDeviceIds();
    outputIds_ = devices_.OutputDeviceIds();
    // A device stored by name is shown where it is now; one that is gone shows the default.
    bool gone = false;
    const std::int32_t input =
        CurrentDeviceNumber(settings_.audioInput, settings_.audioInputName, inputIds_, gone);
    const std::int32_t output =
        CurrentDeviceNumber(settings_.audioOutput, settings_.audioOutputName, outputIds_, gone);
    contents.selectedInput = ListPosition(input, contents.inputDevices.size());
    contents.selectedOutput = ListPosition(output, contents.outputDevices.size());
    contents.directory = settings_.defaultDirectory;
    for (const SwitchBox& box : kSwitchBoxes) {
        if (settings_.*box.field != 0) {
            contents.checkedBoxes.push_back(box.control);
        }
    }
    for (const RateButton& button : kRateButtons) {
        if (button.samplingFrequency == settings_.samplingFrequency) {
            contents.checkedRateButton = button.control;
        }
    }
    return contents;
}

void SettingsDialog::SelectionChanged(int control, int position) {
    // The number stays what older versions read; the name is what finds the device again.
    const auto nameAt = [position](const std::vector<std::string>& ids) {
        return position >= 0 && static_cast<std::size_t>(position) < ids.size()
                   ? ids[static_cast<std::size_t>(position)]
                   : std::string();
    };
    if (control == kInputDeviceList) {
        settings_.audioInput = position;
        settings_.audioInputName = nameAt(inputIds_);
    } else if (control == kOutputDeviceList) {
        settings_.audioOutput = position;
        settings_.audioOutputName = nameAt(outputIds_);
    }
}

void SettingsDialog::TextChanged(int control, std::string_view text) {
    // Kept whole, however long: a cut path would name another folder.
    if (control == kDirectoryField) {
        settings_.defaultDirectory = std::string(text);
    }
}

void SettingsDialog::Clicked(int control) {
    for (const RateButton& button : kRateButtons) {
        if (button.control == control) {
            settings_.samplingFrequency = button.samplingFrequency;
            return;
        }
    }
    for (const SwitchBox& box : kSwitchBoxes) {
        if (box.control == control) {
            std::int32_t& value = settings_.*box.field;
            value = value == 0 ? 1 : 0;
            return;
        }
    }
    if (control == kSettingsOk) {
        saveFailed_ = !WriteSettings(settingsFile_, settings_);
    }
}

}  // namespace marvolin::app
