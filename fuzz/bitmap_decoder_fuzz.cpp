// Feeds arbitrary bytes to the bitmap decoder, which reads the background picture a user can
// replace: a refused file yields no pixels, an accepted one exactly its width x height, never
// more than the decoder's bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "screen/bitmap_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marvolin::screen;
    const DecodedBitmap decoded = DecodeBitmap(std::span<const std::uint8_t>(data, size));
    const Surface& surface = decoded.surface;
    const auto pixels = static_cast<std::int64_t>(surface.width()) * surface.height();
    bool held = true;
    if (decoded.ok()) {
        held = surface.width() > 0 && surface.height() > 0 && surface.width() <= kMaxBitmapSide &&
               surface.height() <= kMaxBitmapSide && pixels <= kMaxBitmapPixels;
    } else {
        held = pixels == 0;
    }
    if (!held) {
        std::abort();
    }
    return 0;
}
