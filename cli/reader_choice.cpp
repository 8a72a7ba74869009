#include "cli/reader_choice.h"

#include <array>
#include <string>

#include "formats/load_sound_file.h"
#include "platform/ascii_case.h"

namespace marvolin::cli {
namespace {

struct NamedReader {
    std::string_view name;
    int filterIndex;
};

constexpr std::array<NamedReader, 6> kReaderNames = {
    {{"wav", 1}, {"aiff", 2}, {"au", 3}, {"iff", 4}, {"snd", 5}, {"voc", 6}}};

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

formats::OwnReader OwnReaderByType() {
    return [](formats::SoundType type, const std::string& path) {
        switch (type) {
            case formats::SoundType::Aiff:
                return formats::LoadSoundFile(path, 2);
            case formats::SoundType::Au:
                return formats::LoadSoundFile(path, 3);
            case formats::SoundType::Svx8:
                return formats::LoadSoundFile(path, 4);
            case formats::SoundType::Voc:
                return formats::LoadSoundFile(path, 6);
            default:
                return formats::LoadSoundFile(path, 1);
        }
    };
}

}  // namespace marvolin::cli
