#pragma once

#include <string_view>

namespace marvolin::platform {

enum class MessageIcon { None, Error, Warning, Question, Information };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

// Modal message boxes owned by the main window.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer Show(std::string_view text, std::string_view caption, MessageIcon icon,
                               MessageButtons buttons) = 0;
};

}  // namespace marvolin::platform
