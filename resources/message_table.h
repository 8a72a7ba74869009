#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "formats/file_result.h"
#include "platform/message_boxes.h"

namespace marvolin::resources {

// Every message the program shows.
enum class MessageId : std::uint8_t {
    // Reading and writing sound files.
    CannotOpenFile,
    NotAWavFile,
    NotASoundFile,    // a file read by its content that no reader recognises
    NotEnoughMemory,  // also when the recording block cannot be had
    DamagedFile,
    UnsupportedCompression,
    CannotSaveFile,
    // Start-up, settings and leaving.
    CannotReadPicture,
    CannotSaveSettings,
    ExitQuestion,
    // Drawing.
    InvalidLabelHandle,
    // Sound devices.
    PlaybackDeviceUnavailable,
    RecordingDeviceUnavailable,
    RecordingFormatRefused,
    RecordingHandleInvalid,
    RecordingBufferMemory,
    RecordingQueueMemory,
    RecordingInterrupted,  // the sound system ended a recording by itself
    ChosenDeviceGone,      // the device stored by name is gone: the default is used
    // After a recording.
    NoSoundLevel,
    SilenceQuestion,
    // Effects.
    EffectMemory,
};

struct MessageText {
    std::string_view text;
    std::string_view caption;
    platform::MessageIcon icon;
    platform::MessageButtons buttons;
};

const MessageText& LookUpMessage(MessageId id);

// Shows the message in a message box and gives the user's answer.
platform::MessageAnswer ShowMessage(platform::MessageBoxes& messageBoxes, MessageId id);

// The message that tells the user how reading or writing a file ended; none for Ok.
std::optional<MessageId> ForFileStatus(formats::FileStatus status);
// The same for a file read by its content rather than by a chosen reader: a file of no known
// format is no sound file the program can read, not merely "not a .WAV file".
std::optional<MessageId> ForContentLoadStatus(formats::FileStatus status);

}  // namespace marvolin::resources
