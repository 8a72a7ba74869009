#pragma once

#include <cstdint>
#include <string>

#include "formats/sound_buffer.h"

namespace marvolin::formats {

// How reading or writing a sound file ended. The readers and writers only report it; what the
// user is told for each status lives in the program's message table.
enum class FileStatus : std::uint8_t {
    Ok,
    CannotOpen,     // the file could not be opened for reading (systemError says why)
    NotThisFormat,  // the file does not start like the reader's format
    Damaged,        // cut short, or its structure ends without the format or the sound
    Unsupported,    // a sample encoding or compression this reader cannot decode
    NoMemory,       // the sound's block could not be had
    CannotSave,     // the file could not be written completely (systemError says why)
};

// What a reader hands back: the decoded sound when `status` is Ok.
struct LoadResult {
    FileStatus status = FileStatus::Ok;
    SoundBuffer sound;
    int systemError = 0;  // errno of a failed open, 0 otherwise
    // The file names no rate of its own (a VOC file of continuation blocks only): the current
    // sound's rate stays.
    bool keepsCurrentRate = false;

    bool ok() const { return status == FileStatus::Ok; }
};

// What a writer hands back: the path really written (a missing extension added).
struct SaveResult {
    FileStatus status = FileStatus::Ok;
    std::string path;
    int systemError = 0;  // errno of the failed create, write or rename, 0 otherwise

    bool ok() const { return status == FileStatus::Ok; }
};

// Puts a load's outcome into the current sound the way the program always has: a decoded
// sound replaces it; a load that ran out of memory has already let the old sound go, leaving
// no block at 44100 Hz with the file's channel count; any other refusal leaves the current
// sound exactly as it was.
inline void InstallLoaded(SoundBuffer& current, LoadResult&& result) {
    if (result.status == FileStatus::Ok) {
        const std::uint32_t currentRate = current.sampleRate;
        current = std::move(result.sound);
        if (result.keepsCurrentRate) {
            current.sampleRate = currentRate;
        }
    } else if (result.status == FileStatus::NoMemory) {
        current.Release();
        current.sampleRate = 44100;
        current.channelCount = result.sound.channelCount;
    }
}

}  // namespace marvolin::formats
