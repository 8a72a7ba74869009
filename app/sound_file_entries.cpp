#include "app/sound_file_entries.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "app/commands.h"
#include "formats/aiff.h"
#include "formats/au.h"
#include "formats/load_sound_file.h"
#include "formats/sound_type.h"
#include "formats/svx.h"
#include "formats/voc.h"
#include "formats/wav.h"
#include "resources/string_table.h"

namespace marvolin::app {
namespace {

// Extensions a reader also reads under another extension's entry.
struct Sibling {
    std::string_view pattern;
    std::string_view siblings;
};
constexpr std::array kSiblings = {Sibling{"*.aif", "*.aiff;*.aifc"}};

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

std::vector<std::string> SplitPatterns(std::string_view patterns) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= patterns.size()) {
        const std::size_t end = std::min(patterns.find(';', start), patterns.size());
        if (end > start) {
            parts.emplace_back(patterns.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

// "*.aif" gives "*.aif;*.aiff;*.aifc;*.AIF;*.AIFF;*.AIFC".
std::string CompletePatterns(std::string_view patterns) {
    std::vector<std::string> lower;
    for (const std::string& pattern : SplitPatterns(patterns)) {
        lower.push_back(pattern);
        for (const Sibling& sibling : kSiblings) {
            if (pattern == sibling.pattern) {
                for (std::string& extra : SplitPatterns(sibling.siblings)) {
                    lower.push_back(std::move(extra));
                }
            }
        }
    }
    std::vector<std::string> all = lower;
    for (const std::string& pattern : lower) {
        std::string upper = Upper(pattern);
        if (std::find(all.begin(), all.end(), upper) == all.end()) {
            all.push_back(std::move(upper));
        }
    }
    std::string joined;
    for (const std::string& pattern : all) {
        joined += (joined.empty() ? "" : ";") + pattern;
    }
    return joined;
}

formats::LoadResult LoadOwnType(formats::SoundType type, const std::string& path) {
    switch (type) {
        case formats::SoundType::Wav:
            return formats::LoadWav(path);
        case formats::SoundType::Aiff:
            return formats::LoadAiff(path);
        case formats::SoundType::Au:
            return formats::LoadAu(path);
        case formats::SoundType::Svx8:
            return formats::Load8svx(path);
        case formats::SoundType::Voc:
            return formats::LoadVoc(path);
        case formats::SoundType::Other:
            break;
    }
    formats::LoadResult refused;
    refused.status = formats::FileStatus::NotThisFormat;
    return refused;
}

// The file name without its folder and its last extension.
std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.resize(dot);
    }
    return name;
}

}  // namespace

std::vector<platform::FileFilter> OpenDialogFilters() {
    std::vector<platform::FileFilter> filters = {
        {std::string(formats::kAllSoundFilesEntry), formats::AllSoundFilePatterns()}};
    for (platform::FileFilter& entry :
         SplitFilterList(resources::LoadString(resources::kOpenFilterList))) {
        entry.pattern = CompletePatterns(entry.pattern);
        filters.push_back(std::move(entry));
    }
    return filters;
}

formats::LoadResult LoadWithOpenEntry(const std::string& path, int filterIndex) {
    if (filterIndex <= 1) {
        return LoadSoundByContent(path);
    }
    // The string table's entries follow the first one, numbered from 1 for their readers.
    return formats::LoadSoundFile(path, filterIndex - 1);
}

formats::LoadResult LoadSoundByContent(const std::string& path) {
    return formats::LoadByContent(path, &LoadOwnType);
}

std::vector<platform::FileFilter> SaveDialogFilters() {
    std::vector<platform::FileFilter> filters =
        SplitFilterList(resources::LoadString(resources::kSaveFilterList));
    for (const formats::SaveFormatEntry& entry : formats::SaveFormatEntries()) {
        if (entry.format != formats::SaveFormat::Wav) {
            filters.push_back({std::string(entry.name), std::string(entry.pattern)});
        }
    }
    return filters;
}

formats::SaveFormat SaveFormatOfEntry(int filterIndex) {
    const auto entries = formats::SaveFormatEntries();
    if (filterIndex < 1 || static_cast<std::size_t>(filterIndex) > entries.size()) {
        return formats::SaveFormat::Wav;
    }
    return entries[static_cast<std::size_t>(filterIndex) - 1].format;
}

formats::SaveResult SaveInFormat(const formats::SoundBuffer& sound, const std::string& path,
                                 formats::SaveFormat format) {
    if (format == formats::SaveFormat::Wav) {
        return formats::SaveWav(sound, path);
    }
    return formats::SaveEncoded(sound, path, format, BaseName(path));
}

}  // namespace marvolin::app
