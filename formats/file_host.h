#pragma once

#include "platform/cursor.h"
#include "platform/message_boxes.h"

namespace marvolin::formats {

// What the readers and the writer need of the window: its message boxes and the cursor.
struct FileHost {
    platform::MessageBoxes& messageBoxes;
    platform::Cursor& cursor;
};

}  // namespace marvolin::formats
