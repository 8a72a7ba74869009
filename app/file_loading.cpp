#include "app/file_loading.h"

#include "resources/message_table.h"

namespace marvolin::app {

void ShowFileProblem(platform::MessageBoxes& messageBoxes, formats::FileStatus status) {
    if (const auto message = resources::ForFileStatus(status)) {
        resources::ShowMessage(messageBoxes, *message);
    }
}

void LoadIntoCurrentSound(formats::SoundBuffer& sound, platform::Platform& platform,
                          const std::function<formats::LoadResult()>& load) {
    formats::LoadResult result;
    {
        const platform::WaitCursor wait(platform.cursor);
        result = load();
    }
    const formats::FileStatus status = result.status;
    formats::InstallLoaded(sound, std::move(result));
    ShowFileProblem(platform.messageBoxes, status);
}

}  // namespace marvolin::app
