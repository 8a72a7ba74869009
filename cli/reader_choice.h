#pragma once

#include <optional>
#include <string_view>

#include "formats/sound_type.h"

namespace marvolin::cli {

// The reader for a --reader name (wav, aiff, au, iff, snd, voc; any case), as the filter index
// that formats::LoadSoundFile takes. nullopt for an unknown name.
std::optional<int> ReaderFilterByName(std::string_view name);

// The program's own reader for a type found from a file's content, for formats::LoadByContent.
formats::OwnReader OwnReaderByType();

}  // namespace marvolin::cli
