#include "screen/bitmap_decoder.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include "platform/allocation.h"

namespace marvolin::screen {
namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint16_t kSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kUncompressed = 0;

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t I32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(U32(p));
}

bool ReadExactly(formats::ByteSource& source, std::uint64_t offset,
                 std::span<std::uint8_t> target) {
    return source.ReadAt(offset, target) == target.size();
}

// Where everything lies in the file, once the headers have been checked against its size.
struct Layout {
    int width = 0;
    int rows = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint64_t colourTableOffset = 0;
    std::uint32_t colourCount = 0;
    std::uint64_t pixelOffset = 0;
    std::uint64_t stride = 0;  // bytes a row, padded to 4
};

BitmapError ReadLayout(formats::ByteSource& source, Layout& layout) {
    std::array<std::uint8_t, kFileHeaderSize + kInfoHeaderSize> header{};
    const std::uint64_t fileSize = source.size();
    const std::size_t got = source.ReadAt(0, header);
    if (got < kFileHeaderSize) {
        return BitmapError::Truncated;
    }
    if (U16(&header[0]) != kSignature) {
        return BitmapError::NotBitmap;
    }
    const std::uint8_t* info = &header[kFileHeaderSize];
    if (got >= kFileHeaderSize + 4 && U32(info) == kCoreHeaderSize) {
        return BitmapError::CoreHeader;
    }
    if (got < header.size()) {
        return BitmapError::Truncated;
    }

    const std::uint32_t headerSize = U32(info);
    const std::int32_t width = I32(info + 4);
    const std::int32_t height = I32(info + 8);
    const std::uint16_t bitCount = U16(info + 14);
    const std::uint32_t compression = U32(info + 16);
    const std::uint32_t imageSize = U32(info + 20);
    const std::uint32_t usedColours = U32(info + 32);
    const std::uint32_t pixelDataOffset = U32(&header[10]);

    if (headerSize < kInfoHeaderSize) {
        return BitmapError::BadHeader;
    }
    if (compression != kUncompressed ||
        !(bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32)) {
        return BitmapError::Unsupported;
    }
    // A negative height means the rows are stored top row first.
    const std::int64_t rows = height < 0 ? -std::int64_t{height} : std::int64_t{height};
    if (width <= 0 || rows == 0) {
        return BitmapError::BadHeader;
    }
    if (width > kMaxBitmapSide || rows > kMaxBitmapSide || width * rows > kMaxBitmapPixels) {
        return BitmapError::TooLarge;
    }

    // The colour count is a 16-bit value: the header's used-colour count, else the full
    // table for the depth (none for 24 bits; 2^32 wraps to none for 32 bits).
    const std::uint16_t colourCount =
        usedColours != 0 ? static_cast<std::uint16_t>(usedColours)
        : bitCount == 24 ? std::uint16_t{0}
                         : static_cast<std::uint16_t>(std::uint64_t{1} << bitCount);
    const std::uint64_t colourTableOffset = kFileHeaderSize + headerSize;
    const std::uint64_t colourTableEnd = colourTableOffset + std::uint64_t{colourCount} * 4;
    if (colourTableEnd > fileSize) {
        return BitmapError::Truncated;
    }

    const std::uint64_t stride = (std::uint64_t{bitCount} * std::uint64_t(width) + 31) / 32 * 4;
    const std::uint64_t rowBytes = stride * static_cast<std::uint64_t>(rows);
    // The header's image size, when given, must be in the file too, but it can never stand
    // in for rows that are not there.
    const std::uint64_t pixelBytes = std::max<std::uint64_t>(imageSize, rowBytes);
    const std::uint64_t pixelOffset = pixelDataOffset != 0 ? pixelDataOffset : colourTableEnd;
    if (pixelOffset > fileSize || pixelBytes > fileSize - pixelOffset) {
        return BitmapError::Truncated;
    }

    layout.width = width;
    layout.rows = static_cast<int>(rows);
    layout.topDown = height < 0;
    layout.bitCount = bitCount;
    layout.colourTableOffset = colourTableOffset;
    layout.colourCount = colourCount;
    layout.pixelOffset = pixelOffset;
    layout.stride = stride;
    return BitmapError::None;
}

// Colour table entries are stored blue, green, red, reserved. Indices past the table are black.
bool ReadPalette(formats::ByteSource& source, const Layout& layout,
                 std::array<Color, 256>& palette) {
    palette.fill(0);
    if (layout.bitCount > 8) {
        return true;
    }
    const std::uint32_t entries =
        std::min<std::uint32_t>(layout.colourCount, 1u << layout.bitCount);
    std::vector<std::uint8_t> table(std::size_t{entries} * 4);
    if (!ReadExactly(source, layout.colourTableOffset, table)) {
        return false;
    }
    for (std::uint32_t i = 0; i < entries; ++i) {
        palette[i] = RGB(table[4 * i + 2], table[4 * i + 1], table[4 * i]);
    }
    return true;
}

void DecodeRow(const Layout& layout, const std::array<Color, 256>& palette, const std::uint8_t* in,
               Color* out) {
    const int width = layout.width;
    switch (layout.bitCount) {
        case 1:
            for (int x = 0; x < width; ++x) {
                out[x] = palette[(in[x >> 3] >> (7 - (x & 7))) & 1];
            }
            break;
        case 4:
            for (int x = 0; x < width; ++x) {
                out[x] = palette[(in[x >> 1] >> ((x & 1) != 0 ? 0 : 4)) & 0x0F];
            }
            break;
        case 8:
            for (int x = 0; x < width; ++x) {
                out[x] = palette[in[x]];
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x) {
                out[x] = RGB(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
            }
            break;
        case 32:
            for (int x = 0; x < width; ++x) {
                out[x] = RGB(in[4 * x + 2], in[4 * x + 1], in[4 * x]);
            }
            break;
    }
}

}  // namespace

DecodedBitmap DecodeBitmap(formats::ByteSource& source) {
    DecodedBitmap result;
    Layout layout;
    result.error = ReadLayout(source, layout);
    if (!result.ok()) {
        return result;
    }
    std::array<Color, 256> palette{};
    if (!ReadPalette(source, layout, palette)) {
        result.error = BitmapError::Truncated;
        return result;
    }

    const std::size_t pixelCount =
        static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.rows);
    Surface surface;
    std::vector<std::uint8_t> row;
    try {
        if (platform::AllocationFailures::ShouldFail(pixelCount * sizeof(Color))) {
            throw std::bad_alloc();
        }
        surface = Surface(layout.width, layout.rows);
        row.resize(static_cast<std::size_t>(layout.stride));
    } catch (const std::bad_alloc&) {
        result.error = BitmapError::NoMemory;
        return result;
    }

    for (int r = 0; r < layout.rows; ++r) {
        // A file that shrinks while it is read ends here like any short file.
        if (!ReadExactly(source, layout.pixelOffset + layout.stride * static_cast<std::uint64_t>(r),
                         row)) {
            result.error = BitmapError::Truncated;
            return result;
        }
        const int y = layout.topDown ? r : layout.rows - 1 - r;
        DecodeRow(
            layout, palette, row.data(),
            surface.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(layout.width));
    }
    result.surface = std::move(surface);
    return result;
}

DecodedBitmap DecodeBitmap(std::span<const std::uint8_t> bytes) {
    formats::MemoryByteSource source(bytes);
    return DecodeBitmap(source);
}

}  // namespace marvolin::screen
