#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace marvolin::platform {

struct FileFilter {
    std::string name;     // "Microsoft .WAV"
    std::string pattern;  // "*.wav"
};

// The file chosen in a dialog and the filter the user left selected.
struct FileChoice {
    FileChoice() = default;
    // A choice made on the first filter unless said otherwise.
    FileChoice(std::string chosenPath, int index = 1)  // NOLINT: a path alone is a choice
        : path(std::move(chosenPath)), filterIndex(index) {}

    std::string path;
    int filterIndex = 1;  // 1-based position of the filter the user left selected
};
using OpenChoice = FileChoice;

// The common open and save dialogs. Both start in initialDirectory on the first filter;
// the save dialog asks before overwriting an existing file. Cancelling gives nullopt.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    virtual std::optional<OpenChoice> ChooseFileToOpen(const std::vector<FileFilter>& filters,
                                                       const std::string& initialDirectory) = 0;
    virtual std::optional<FileChoice> ChooseFileToSave(const std::vector<FileFilter>& filters,
                                                       const std::string& initialDirectory) = 0;
};

}  // namespace marvolin::platform
