#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "formats/byte_source.h"

namespace marvolin::formats {

// Reads a ByteSource front to back. Every read is checked against the end of the source:
// a read that does not fit gives nullopt (or false) and leaves the position where it was.
class ByteReader {
  public:
    explicit ByteReader(ByteSource& source) : source_(source) {}

    std::uint64_t size() const { return source_.size(); }
    std::uint64_t position() const { return position_; }
    std::uint64_t remaining() const { return position_ < size() ? size() - position_ : 0; }

    // Moves to `offset`; false (position unchanged) when it lies past the end.
    bool Seek(std::uint64_t offset);
    // Moves forward by `count`; false (position unchanged) when that passes the end.
    bool Skip(std::uint64_t count);

    bool ReadBytes(std::span<std::uint8_t> target);
    // Reads up to target.size() bytes, stopping at the end; returns how many were read.
    std::size_t ReadUpTo(std::span<std::uint8_t> target);

    std::optional<std::array<char, 4>> ReadTag();
    std::optional<std::uint8_t> ReadU8();
    std::optional<std::uint16_t> ReadU16LE();
    std::optional<std::uint32_t> ReadU32LE();
    std::optional<std::uint16_t> ReadU16BE();
    std::optional<std::uint32_t> ReadU32BE();

  private:
    ByteSource& source_;
    std::uint64_t position_ = 0;
};

inline bool TagIs(const std::array<char, 4>& tag, std::string_view expected) {
    return expected.size() == 4 && std::string_view(tag.data(), 4) == expected;
}

}  // namespace marvolin::formats
