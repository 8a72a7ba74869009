#include "formats/fibonacci_delta.h"

#include <algorithm>
#include <array>
#include <vector>

namespace marvolin::formats {
namespace {

constexpr std::array<std::int8_t, 16> kCodeToDelta = {-34, -21, -13, -8, -5, -3, -2, -1,
                                                      0,   1,   2,   3,  5,  8,  13, 21};

}  // namespace

bool DecodeFibonacciDelta(ByteReader& reader, std::int8_t initial, std::span<std::int16_t> out) {
    std::uint8_t value = static_cast<std::uint8_t>(initial);
    auto emit = [&value](unsigned code) {
        value = static_cast<std::uint8_t>(value + kCodeToDelta[code]);
        return static_cast<std::int16_t>(static_cast<std::int8_t>(value) * 256);
    };

    std::vector<std::uint8_t> piece(64 * 1024);
    std::size_t done = 0;
    while (done < out.size()) {
        const std::size_t wanted = std::min(piece.size(), (out.size() - done + 1) / 2);
        const std::size_t got = reader.ReadUpTo(std::span(piece).first(wanted));
        for (std::size_t i = 0; i < got && done < out.size(); ++i) {
            out[done++] = emit(piece[i] >> 4);
            if (done < out.size()) {
                out[done++] = emit(piece[i] & 0x0F);
            }
        }
        if (got < wanted) {
            return false;
        }
    }
    return true;
}

}  // namespace marvolin::formats
