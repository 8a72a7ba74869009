#include "cli/terminal_messages.h"

#include <cstring>
#include <string>

namespace marvolin::cli {
namespace {

void WriteLine(std::ostream& out, std::string line, bool clearLine) {
    if (clearLine) {
        line.insert(0, "\r\033[K");
    }
    line += '\n';
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.flush();
}

}  // namespace

void PrintMessage(std::ostream& out, resources::MessageId id) {
    const resources::MessageText& message = resources::LookUpMessage(id);
    out << message.caption << ": " << message.text << '\n';
}

void PrintFileMessage(std::ostream& out, std::string_view path, resources::MessageId id,
                      int systemError, bool clearLine) {
    const resources::MessageText& message = resources::LookUpMessage(id);
    std::string line = "marvolin-fx: " + std::string(path) + ": " + std::string(message.caption) +
                       ": " + std::string(message.text);
    if (systemError != 0) {
        line += " (" + std::string(std::strerror(systemError)) + ")";
    }
    WriteLine(out, std::move(line), clearLine);
}

void PrintFileProblem(std::ostream& out, std::string_view path, std::string_view problem,
                      bool clearLine) {
    WriteLine(out, "marvolin-fx: " + std::string(path) + ": " + std::string(problem), clearLine);
}

}  // namespace marvolin::cli
