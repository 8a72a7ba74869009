#include <memory>

#include "formats/byte_source.h"
#include "resources/message_table.h"
#include "screen/bitmap_decoder.h"
#include "screen/screen.h"

namespace marvolin::screen {

bool ReadBackgroundPicture(Screen& screen, platform::MessageBoxes& messageBoxes,
                           const std::string& path) {
    const std::unique_ptr<formats::FileByteSource> file = formats::FileByteSource::Open(path);
    if (!file) {
        // Only this failure is reported here; start-up reports every failure once more.
        resources::ShowMessage(messageBoxes, resources::MessageId::CannotReadPicture);
        return false;
    }
    DecodedBitmap decoded = DecodeBitmap(*file);
    if (!decoded.ok()) {
        return false;
    }
    // Every restore copies the window's area from the picture, so it must cover the window.
    if (decoded.surface.width() < kWindowWidth || decoded.surface.height() < kWindowHeight) {
        return false;
    }
    screen.picture = std::move(decoded.surface);
    return true;
}

}  // namespace marvolin::screen
