#include <algorithm>
#include <array>
#include <cctype>

#include "formats/ffmpeg_encoder.h"

namespace marvolin::formats {
namespace {

constexpr std::array<SaveFormatEntry, 6> kEntries = {{
    {SaveFormat::Wav, "wav", "Sound File .WAV", "*.wav"},
    {SaveFormat::Opus, "opus", "Ogg Opus voice message", "*.opus"},
    {SaveFormat::Mp3, "mp3", "MP3", "*.mp3"},
    {SaveFormat::Flac, "flac", "FLAC", "*.flac"},
    {SaveFormat::Vorbis, "ogg", "Ogg Vorbis", "*.ogg"},
    {SaveFormat::M4a, "m4a", "M4A/AAC", "*.m4a"},
}};

// The rates MP3 (MPEG 1, 2 and 2.5 layer III) and AAC encode.
constexpr std::array<std::uint32_t, 9> kMp3Rates = {8000,  11025, 12000, 16000, 22050,
                                                    24000, 32000, 44100, 48000};
constexpr std::array<std::uint32_t, 13> kAacRates = {
    7350, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 64000, 88200, 96000};

template <std::size_t N>
std::uint32_t FromList(const std::array<std::uint32_t, N>& rates, std::uint32_t rate) {
    const auto above = std::lower_bound(rates.begin(), rates.end(), rate);
    return above == rates.end() ? rates.back() : *above;
}

// FLAC frames name a rate exactly below 65535 Hz, or in tens of Hz below 655350.
std::uint32_t FlacRate(std::uint32_t rate) {
    if (rate < 65535 || (rate % 10 == 0 && rate < 655350)) {
        return std::max<std::uint32_t>(rate, 1);
    }
    return std::min<std::uint32_t>((rate + 5) / 10 * 10, 655340);
}

}  // namespace

std::span<const SaveFormatEntry> SaveFormatEntries() {
    return kEntries;
}

const SaveFormatEntry& EntryOf(SaveFormat format) {
    return kEntries[static_cast<std::size_t>(format)];
}

std::string EntryText(SaveFormat format) {
    const SaveFormatEntry& entry = EntryOf(format);
    if (format == SaveFormat::Wav) {
        return std::string(entry.name);
    }
    return std::string(entry.name) + " (" + std::string(entry.pattern) + ")";
}

std::optional<SaveFormat> SaveFormatForExtension(std::string_view extension) {
    if (!extension.empty() && extension.front() == '.') {
        extension.remove_prefix(1);
    }
    std::string lower(extension);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const SaveFormatEntry& entry : kEntries) {
        if (entry.extension == lower) {
            return entry.format;
        }
    }
    if (lower == "oga") {
        return SaveFormat::Vorbis;
    }
    return std::nullopt;
}

std::uint32_t EncodedRate(SaveFormat format, std::uint32_t rate) {
    switch (format) {
        case SaveFormat::Opus:
            return 48000;
        case SaveFormat::Mp3:
            return FromList(kMp3Rates, rate);
        case SaveFormat::M4a:
            return FromList(kAacRates, rate);
        case SaveFormat::Flac:
            return FlacRate(rate);
        case SaveFormat::Vorbis:
            // libvorbis has set-ups from 1 Hz up to 192 kHz.
            return std::clamp<std::uint32_t>(rate, 1, 192000);
        case SaveFormat::Wav:
            break;
    }
    return rate;
}

int EncodedBitRate(SaveFormat format) {
    switch (format) {
        case SaveFormat::Opus:
            return 32000;
        case SaveFormat::Mp3:
        case SaveFormat::M4a:
            return 64000;
        default:
            return 0;
    }
}

}  // namespace marvolin::formats
