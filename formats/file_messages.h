#pragma once

#include <string_view>

#include "formats/file_host.h"

namespace marvolin::formats {

inline constexpr std::string_view kCannotOpenFile = "Marvolin is unable to open this file !";
inline constexpr std::string_view kNotAWavFile = "This is not a .WAV file !";
inline constexpr std::string_view kNotEnoughMemory = "Not enough memory !";
inline constexpr std::string_view kDamagedFile = "This file is damaged or incomplete !";
inline constexpr std::string_view kUnsupportedCompression =
    "This compression format is not supported !";
inline constexpr std::string_view kCannotSaveFile = "Unable to save this file !";
inline constexpr std::string_view kErrorCaption = "Error";

// A file problem: caption "Error", an OK button and, for the reader messages, no icon.
void ShowFileError(FileHost& host, std::string_view text,
                   platform::MessageIcon icon = platform::MessageIcon::None);

}  // namespace marvolin::formats
