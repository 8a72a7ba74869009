#include "formats/byte_reader.h"

namespace marvolin::formats {

bool ByteReader::Seek(std::uint64_t offset) {
    if (offset > size()) {
        return false;
    }
    position_ = offset;
    return true;
}

bool ByteReader::Skip(std::uint64_t count) {
    if (count > remaining()) {
        return false;
    }
    position_ += count;
    return true;
}

bool ByteReader::ReadBytes(std::span<std::uint8_t> target) {
    if (target.size() > remaining()) {
        return false;
    }
    if (source_.ReadAt(position_, target) != target.size()) {
        return false;
    }
    position_ += target.size();
    return true;
}

std::size_t ByteReader::ReadUpTo(std::span<std::uint8_t> target) {
    const std::size_t wanted =
        target.size() < remaining() ? target.size() : static_cast<std::size_t>(remaining());
    const std::size_t got = source_.ReadAt(position_, target.first(wanted));
    position_ += got;
    return got;
}

std::optional<std::array<char, 4>> ByteReader::ReadTag() {
    std::array<std::uint8_t, 4> bytes{};
    if (!ReadBytes(bytes)) {
        return std::nullopt;
    }
    return std::array<char, 4>{static_cast<char>(bytes[0]), static_cast<char>(bytes[1]),
                               static_cast<char>(bytes[2]), static_cast<char>(bytes[3])};
}

std::optional<std::uint8_t> ByteReader::ReadU8() {
    std::array<std::uint8_t, 1> bytes{};
    if (!ReadBytes(bytes)) {
        return std::nullopt;
    }
    return bytes[0];
}

std::optional<std::uint16_t> ByteReader::ReadU16LE() {
    std::array<std::uint8_t, 2> b{};
    if (!ReadBytes(b)) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::optional<std::uint32_t> ByteReader::ReadU32LE() {
    std::array<std::uint8_t, 4> b{};
    if (!ReadBytes(b)) {
        return std::nullopt;
    }
    return std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) | (std::uint32_t{b[2]} << 16) |
           (std::uint32_t{b[3]} << 24);
}

std::optional<std::uint16_t> ByteReader::ReadU16BE() {
    std::array<std::uint8_t, 2> b{};
    if (!ReadBytes(b)) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>((b[0] << 8) | b[1]);
}

std::optional<std::uint32_t> ByteReader::ReadU32BE() {
    std::array<std::uint8_t, 4> b{};
    if (!ReadBytes(b)) {
        return std::nullopt;
    }
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
           std::uint32_t{b[3]};
}

}  // namespace marvolin::formats
