#pragma once

#include <string_view>

namespace marvolin::formats {

// The note every saved file carries: the WAV writer's INFO list, the other formats' tags.
inline constexpr std::string_view kCopyrightNote = "File created by Marvolin (c) Brendale";

}  // namespace marvolin::formats
