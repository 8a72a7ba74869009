#pragma once

#include <string_view>

namespace marvolin::resources {

// The program's string table: entries 1 to 16 and 100. Unknown ids give an empty string.
std::string_view LoadString(int id);

inline constexpr int kOpenFilterList = 1;
inline constexpr int kSaveFilterList = 2;
inline constexpr int kFirstHelpLine = 3;  // help line of hotspot i is string i + 3
inline constexpr int kWelcomeSound = 100;

}  // namespace marvolin::resources
