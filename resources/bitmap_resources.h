#pragma once

#include <cstdint>
#include <span>

#include "resources/panel_layout.h"

namespace marvolin::resources {

// The bytes of bitmap resource `id` as a complete BMP file; empty when there is none.
// Icons (119, the progress ball) are bitmaps too: their pure magenta (255, 0, 255) pixels
// are transparent.
std::span<const std::uint8_t> BitmapResource(int id);

}  // namespace marvolin::resources
