#pragma once

#include <string_view>

#include "platform/message_boxes.h"

namespace marvolin::effects {

inline constexpr std::string_view kEffectMemoryText = "Not enough memory to apply effect !";
inline constexpr std::string_view kEffectMemoryCaption = "Error";

// What an EffectHost shows from ShowMemoryMessage: a warning with an OK button.
inline void ShowEffectMemoryMessage(platform::MessageBoxes& messageBoxes) {
    messageBoxes.Show(kEffectMemoryText, kEffectMemoryCaption, platform::MessageIcon::Warning,
                      platform::MessageButtons::Ok);
}

}  // namespace marvolin::effects
