#pragma once

#include <optional>
#include <string>
#include <vector>

namespace marvolin::platform {

struct FileFilter {
    std::string name;     // "Microsoft .WAV"
    std::string pattern;  // "*.wav"
};

struct OpenChoice {
    std::string path;
    int filterIndex = 1;  // 1-based position of the filter the user left selected
};

// The common open and save dialogs. Both start in initialDirectory on the first filter;
// the save dialog asks before overwriting an existing file. Cancelling gives nullopt.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    virtual std::optional<OpenChoice> ChooseFileToOpen(const std::vector<FileFilter>& filters,
                                                       const std::string& initialDirectory) = 0;
    virtual std::optional<std::string> ChooseFileToSave(const std::vector<FileFilter>& filters,
                                                        const std::string& initialDirectory) = 0;
};

}  // namespace marvolin::platform
