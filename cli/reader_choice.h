#pragma once

#include <optional>
#include <string_view>

namespace marvolin::cli {

// The reader for a --reader name (wav, aiff, au, iff, snd, voc; any case), as the filter index
// that formats::LoadSoundFile takes. nullopt for an unknown name.
std::optional<int> ReaderFilterByName(std::string_view name);

// The reader that a file's extension suggests (.wav, .aif/.aiff, .au, .iff/.8svx, .snd, .voc;
// any case). nullopt when the name has no extension or an unknown one.
std::optional<int> ReaderFilterByExtension(std::string_view path);

}  // namespace marvolin::cli
