#pragma once

#include <string>
#include <vector>

#include "app/settings.h"
#include "platform/audio_devices.h"
#include "platform/modal_dialogs.h"

namespace marvolin::app {

// The Settings dialog's logic. It works on the program's settings record directly, so every
// change takes effect at once; OK also writes the ten settings to the file, while Cancel
// leaves the file alone but keeps the changes in force until the dialog opens again (which
// reloads the file) or the program restarts.
class SettingsDialog : public platform::SettingsDialogHandler {
  public:
    SettingsDialog(Settings& settings, std::string settingsFile,
                   const platform::AudioDeviceList& devices);

    // Reloads the settings from the file and says what the dialog shows.
    platform::SettingsDialogContents Open() override;
    void SelectionChanged(int control, int position) override;
    void TextChanged(int control, std::string_view text) override;
    // Rate buttons choose their rate; check boxes flip their switch (0 becomes 1, anything
    // else 0); OK writes the file.
    void Clicked(int control) override;

    // OK could not write the settings file.
    bool saveFailed() const { return saveFailed_; }

  private:
    Settings& settings_;
    std::string settingsFile_;
    const platform::AudioDeviceList& devices_;
    // The devices' stable names as the lists showed them when the dialog opened.
    std::vector<std::string> inputIds_;
    std::vector<std::string> outputIds_;
    bool saveFailed_ = false;
};

}  // namespace marvolin::app
