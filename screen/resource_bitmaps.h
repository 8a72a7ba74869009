#pragma once

#include <optional>

#include "screen/surface.h"

namespace marvolin::screen {

// Bitmap resource `id` decoded, or nullopt when there is none or it cannot be decoded.
// Each call decodes afresh: nothing is cached.
std::optional<Surface> LoadResourceBitmap(int id);

// Where LoadResourceBitmap gets its bitmaps: the program's own resources, unless a test
// has put its own loader in place. Returns the loader that was in use; nullptr restores the
// program's resources.
using ResourceBitmapLoader = std::optional<Surface> (*)(int id);
ResourceBitmapLoader ReplaceResourceBitmapLoader(ResourceBitmapLoader loader);

}  // namespace marvolin::screen
