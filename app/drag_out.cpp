#include "app/drag_out.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>

#include "formats/wav.h"
#include "platform/paths.h"

namespace marvolin::app {

DragOutFolder::~DragOutFolder() {
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

const std::string& DragOutFolder::Path() {
    if (path_.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        std::string base = tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
        std::string pattern = platform::JoinPath(base, "marvolin-drag-XXXXXX");
        // mkdtemp makes the folder readable by its owner only.
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    return path_;
}

std::optional<std::string> DragOutFolder::WriteSound(const formats::SoundBuffer& sound,
                                                     const std::string& soundPath) {
    if (sound.sampleCount() == 0 || Path().empty()) {
        return std::nullopt;
    }
    const formats::SaveResult saved =
        formats::SaveWav(sound, platform::JoinPath(path_, DragFileName(soundPath)));
    if (!saved.ok()) {
        return std::nullopt;
    }
    return saved.path;
}

std::string DragFileName(const std::string& soundPath) {
    const std::size_t slash = soundPath.find_last_of('/');
    std::string name = slash == std::string::npos ? soundPath : soundPath.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name.resize(dot);
    }
    if (name.empty() || name == "." || name == "..") {
        name = "Marvolin";
    }
    return name + ".wav";
}

}  // namespace marvolin::app
