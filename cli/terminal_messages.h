#pragma once

#include <ostream>
#include <string_view>

#include "resources/message_table.h"

namespace marvolin::cli {

// Prints a message as the window would show it, as one "Caption: text" line.
void PrintMessage(std::ostream& out, resources::MessageId id);

// Prints "marvolin-fx: PATH: Caption: text", followed by the system's reason in brackets when
// `systemError` is an errno value, as one line written at once (several files may be at work
// side by side). `clearLine` first wipes a progress line that stands on the terminal.
void PrintFileMessage(std::ostream& out, std::string_view path, resources::MessageId id,
                      int systemError, bool clearLine);

// The same for a problem in the program's own words: "marvolin-fx: PATH: problem".
void PrintFileProblem(std::ostream& out, std::string_view path, std::string_view problem,
                      bool clearLine);

}  // namespace marvolin::cli
