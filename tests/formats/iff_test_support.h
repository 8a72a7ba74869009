// Builders of the big-endian IFF files the AIFF and 8SVX readers read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace marvolin::formats::iff_testing {

using ByteVector = std::vector<std::uint8_t>;

// A big-endian chunk: id, size (the body's unless `declaredSize` is given), body, and the pad
// byte that follows an odd body.
inline ByteVector Chunk(const std::string& id, const ByteVector& body,
                        std::optional<std::uint32_t> declaredSize = std::nullopt) {
    testing::Bytes bytes;
    bytes.Tag(id).U32BE(declaredSize.value_or(static_cast<std::uint32_t>(body.size())));
    bytes.Append(body);
    if (body.size() % 2 != 0) {
        bytes.U8(0);
    }
    return bytes.data;
}

inline ByteVector Form(const std::string& formType, const std::vector<ByteVector>& chunks) {
    testing::Bytes body;
    body.Tag(formType);
    for (const ByteVector& chunk : chunks) {
        body.Append(chunk);
    }
    return testing::Bytes()
        .Tag("FORM")
        .U32BE(static_cast<std::uint32_t>(body.data.size()))
        .Append(body.data)
        .data;
}

inline ByteVector First(const ByteVector& bytes, std::size_t count) {
    return ByteVector(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

}  // namespace marvolin::formats::iff_testing
