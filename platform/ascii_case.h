#pragma once

#include <cstddef>
#include <string_view>

namespace marvolin::platform {

// Case folding of the ASCII letters only: names the program compares (effects, readers,
// settings keys) are ASCII, and the user's locale must not change what matches.
constexpr char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace marvolin::platform
