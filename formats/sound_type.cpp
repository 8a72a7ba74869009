#include "formats/sound_type.h"

#include <array>
#include <cctype>
#include <cstring>
#include <string_view>

#include "formats/ffmpeg_decoder.h"
#include "formats/open_for_reading.h"
#include "formats/reader_steps.h"

namespace marvolin::formats {

// A file read by its content meets one highest rate, whichever reader takes it.
static_assert(kHighestDecodedRate == kHighestSampleRate);

namespace {

bool HasAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view magic) {
    return bytes.size() >= offset + magic.size() &&
           std::memcmp(bytes.data() + offset, magic.data(), magic.size()) == 0;
}

// The program's own types first, then what FFmpeg's decoders open.
constexpr std::array<std::string_view, 28> kExtensions = {
    "wav", "aif", "aiff", "aifc", "au",  "snd",  "iff",  "8svx", "svx",  "voc",
    "m4a", "aac", "mp3",  "ogg",  "oga", "opus", "flac", "webm", "weba", "mka",
    "3gp", "3ga", "amr",  "awb",  "wma", "caf",  "w64",  "mp4",
};

}  // namespace

SoundType DetectSoundType(std::span<const std::uint8_t> firstBytes) {
    if (HasAt(firstBytes, 0, "RIFF") && HasAt(firstBytes, 8, "WAVE")) {
        return SoundType::Wav;
    }
    if (HasAt(firstBytes, 0, "FORM")) {
        if (HasAt(firstBytes, 8, "AIFF") || HasAt(firstBytes, 8, "AIFC")) {
            return SoundType::Aiff;
        }
        if (HasAt(firstBytes, 8, "8SVX")) {
            return SoundType::Svx8;
        }
    }
    if (HasAt(firstBytes, 0, ".snd")) {
        return SoundType::Au;
    }
    if (HasAt(firstBytes, 0, std::string_view("Creative Voice File\x1A", 20))) {
        return SoundType::Voc;
    }
    return SoundType::Other;
}

std::string AllSoundFilePatterns() {
    std::string patterns;
    for (const std::string_view extension : kExtensions) {
        std::string upper(extension);
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        patterns += (patterns.empty() ? "*." : ";*.") + std::string(extension) + ";*." + upper;
    }
    return patterns;
}

LoadResult LoadByContent(const std::string& path, const OwnReader& ownReader) {
    SoundType type = SoundType::Other;
    {
        int error = 0;
        const auto file = OpenForReading(path, error);
        if (!file) {
            LoadResult result;
            result.status = FileStatus::CannotOpen;
            result.systemError = error;
            return result;
        }
        std::array<std::uint8_t, kSoundTypeBytes> first{};
        const std::size_t got = file->ReadAt(0, first);
        type = DetectSoundType(std::span<const std::uint8_t>(first.data(), got));
    }
    if (type == SoundType::Other) {
        return LoadWithFfmpeg(path);
    }
    LoadResult own = ownReader(type, path);
    if (own.status != FileStatus::Unsupported) {
        return own;
    }
    LoadResult decoded = LoadWithFfmpeg(path);
    return decoded.ok() || decoded.status == FileStatus::NoMemory ? std::move(decoded)
                                                                  : std::move(own);
}

}  // namespace marvolin::formats
