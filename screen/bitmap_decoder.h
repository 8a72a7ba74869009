#pragma once

#include <cstdint>
#include <span>

#include "formats/byte_source.h"
#include "screen/surface.h"

namespace marvolin::screen {

enum class BitmapError {
    None,
    NotBitmap,    // no "BM" signature
    Truncated,    // a header, the colour table or the pixel rows end early
    CoreHeader,   // the old 12-byte header
    BadHeader,    // a header too short to be one, or a width or height of 0 or less
    Unsupported,  // compressed, or a bit depth other than 1, 4, 8, 24 or 32
    TooLarge,     // more pixels than any picture of this program needs
    NoMemory
};

struct DecodedBitmap {
    BitmapError error = BitmapError::None;
    Surface surface;  // the picture, top row first; empty unless error is None

    bool ok() const { return error == BitmapError::None; }
};

// Pictures are held at 4 bytes a pixel; this bounds what a hostile header can make us allocate.
inline constexpr int kMaxBitmapSide = 16384;
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{4096} * 4096;

// Decodes an uncompressed Windows bitmap with an information header of 40 bytes or more
// (1, 4 or 8 bits with a colour table, 24 or 32 bits direct), stored bottom-up or, with a
// negative height, top-down. Every size in the headers is checked against the size of the
// source before anything is allocated or read.
DecodedBitmap DecodeBitmap(formats::ByteSource& source);
DecodedBitmap DecodeBitmap(std::span<const std::uint8_t> bytes);

}  // namespace marvolin::screen
