#include "cli/reader_choice.h"

#include <array>
#include <string>

#include "platform/ascii_case.h"

namespace marvolin::cli {
namespace {

struct NamedReader {
    std::string_view name;
    int filterIndex;
};

constexpr std::array<NamedReader, 6> kReaderNames = {
    {{"wav", 1}, {"aiff", 2}, {"au", 3}, {"iff", 4}, {"snd", 5}, {"voc", 6}}};

constexpr std::array<NamedReader, 8> kExtensions = {{{"wav", 1},
                                                     {"aif", 2},
                                                     {"aiff", 2},
                                                     {"au", 3},
                                                     {"iff", 4},
                                                     {"8svx", 4},
                                                     {"snd", 5},
                                                     {"voc", 6}}};

template <std::size_t N>
std::optional<int> Lookup(const std::array<NamedReader, N>& table, std::string_view key) {
    for (const NamedReader& reader : table) {
        if (platform::EqualIgnoringAsciiCase(reader.name, key)) {
            return reader.filterIndex;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> ReaderFilterByName(std::string_view name) {
    return Lookup(kReaderNames, name);
}

std::optional<int> ReaderFilterByExtension(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view fileName =
        slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    return Lookup(kExtensions, fileName.substr(dot + 1));
}

}  // namespace marvolin::cli
