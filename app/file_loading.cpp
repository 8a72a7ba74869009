#include "app/file_loading.h"

namespace marvolin::app {

void ShowFileProblem(platform::MessageBoxes& messageBoxes, formats::FileStatus status,
                     FileMessageChoice messageFor) {
    if (const auto message = messageFor(status)) {
        resources::ShowMessage(messageBoxes, *message);
    }
}

void LoadIntoCurrentSound(formats::SoundBuffer& sound, platform::Platform& platform,
                          const std::function<formats::LoadResult()>& load,
                          FileMessageChoice messageFor) {
    formats::LoadResult result;
    {
        const platform::WaitCursor wait(platform.cursor);
        result = load();
    }
    const formats::FileStatus status = result.status;
    formats::InstallLoaded(sound, std::move(result));
    ShowFileProblem(platform.messageBoxes, status, messageFor);
}

}  // namespace marvolin::app
