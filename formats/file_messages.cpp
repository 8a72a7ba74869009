#include "formats/file_messages.h"

namespace marvolin::formats {

void ShowFileError(FileHost& host, std::string_view text, platform::MessageIcon icon) {
    host.messageBoxes.Show(text, kErrorCaption, icon, platform::MessageButtons::Ok);
}

}  // namespace marvolin::formats
