#include "cli/terminal_messages.h"

namespace marvolin::cli {

void PrintMessage(std::ostream& out, resources::MessageId id) {
    const resources::MessageText& message = resources::LookUpMessage(id);
    out << message.caption << ": " << message.text << '\n';
}

}  // namespace marvolin::cli
