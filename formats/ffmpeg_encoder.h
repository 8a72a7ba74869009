#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "formats/file_result.h"
#include "formats/sound_buffer.h"

namespace marvolin::formats {

// What Save can write. WAV stays with the program's own writer; the others are encoded with
// FFmpeg's libraries.
enum class SaveFormat : std::uint8_t { Wav, Opus, Mp3, Flac, Vorbis, M4a };

struct SaveFormatEntry {
    SaveFormat format;
    std::string_view extension;  // "opus"
    std::string_view name;       // the Save dialog's entry: "Ogg Opus voice message"
    std::string_view pattern;    // "*.opus"
};

// The Save dialog's entries in their order, "Sound File .WAV" first.
std::span<const SaveFormatEntry> SaveFormatEntries();
const SaveFormatEntry& EntryOf(SaveFormat format);
// "Ogg Opus voice message (*.opus)"; WAV's entry is its name alone.
std::string EntryText(SaveFormat format);
// The format an extension names, in any case, with or without its dot.
std::optional<SaveFormat> SaveFormatForExtension(std::string_view extension);

// The rate a format is encoded at for a sound at `rate` Hz: Opus always 48000; otherwise the
// sound's own rate where the encoder takes it, else the nearest it takes (the lowest above,
// so nothing audible is lost, or its highest).
std::uint32_t EncodedRate(SaveFormat format, std::uint32_t rate);
// The bit rate the lossy formats use, in bits per second (0 for WAV and FLAC, and Vorbis,
// which is encoded at a quality instead).
int EncodedBitRate(SaveFormat format);

// Encodes the sound in `format` (not Wav) with the title and the program's copyright note as
// tags. The path gets the format's extension when its file name has no dot. The file appears
// only once it is completely written; on failure nothing is left behind and an existing file
// is untouched.
SaveResult SaveEncoded(const SoundBuffer& sound, const std::string& path, SaveFormat format,
                       const std::string& title);

}  // namespace marvolin::formats
