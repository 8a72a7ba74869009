#pragma once

#include <ostream>

#include "resources/message_table.h"

namespace marvolin::cli {

// Prints a message as the window would show it, as one "Caption: text" line.
void PrintMessage(std::ostream& out, resources::MessageId id);

}  // namespace marvolin::cli
