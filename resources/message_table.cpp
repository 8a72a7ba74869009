#include "resources/message_table.h"

#include <array>

namespace marvolin::resources {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;

constexpr std::string_view kError = "Error";
constexpr std::string_view kWarning = "Warning";

// In the order of MessageId.
constexpr std::array kMessages = {
    MessageText{"Marvolin is unable to open this file !", kError, MessageIcon::None,
                MessageButtons::Ok},
    MessageText{"This is not a .WAV file !", kError, MessageIcon::None, MessageButtons::Ok},
    MessageText{"This is not a sound file Marvolin can read !", kError, MessageIcon::None,
                MessageButtons::Ok},
    MessageText{"Not enough memory !", kError, MessageIcon::None, MessageButtons::Ok},
    MessageText{"This file is damaged or incomplete !", kError, MessageIcon::None,
                MessageButtons::Ok},
    MessageText{"This compression format is not supported !", kError, MessageIcon::Warning,
                MessageButtons::Ok},
    MessageText{"Unable to save this file !", kError, MessageIcon::None, MessageButtons::Ok},
    MessageText{"Unable to read a picture !", kError, MessageIcon::Error, MessageButtons::Ok},
    MessageText{"Unable to save the settings !", kError, MessageIcon::Error, MessageButtons::Ok},
    MessageText{"Do you really want to exit ?", "Are you sure ?", MessageIcon::Question,
                MessageButtons::OkCancel},
    MessageText{"This is not a valid handle !", kError, MessageIcon::None, MessageButtons::Ok},
    MessageText{"Unable to open sound driver !", kError, MessageIcon::Error, MessageButtons::Ok},
    MessageText{"Unable to open sound driver !", kError, MessageIcon::None, MessageButtons::Ok},
    MessageText{"This soundcard doesn't accept the current recording parameters !", kError,
                MessageIcon::None, MessageButtons::Ok},
    MessageText{"The handle is not valid !", kError, MessageIcon::None, MessageButtons::Ok},
    MessageText{"Not enough memory (1)", kError, MessageIcon::None, MessageButtons::Ok},
    MessageText{"Not enough memory (2)", kError, MessageIcon::None, MessageButtons::Ok},
    MessageText{"The recording was interrupted by the sound system.", kError, MessageIcon::None,
                MessageButtons::Ok},
    MessageText{"The chosen sound device is not available: the system's default device is used.",
                kWarning, MessageIcon::Warning, MessageButtons::Ok},
    MessageText{"No sound or insufficient sound level.", kWarning, MessageIcon::None,
                MessageButtons::Ok},
    MessageText{"Marvolin found silence before and after your recording.\n"
                "Do you want to delete it?",
                kWarning, MessageIcon::None, MessageButtons::OkCancel},
    MessageText{"Not enough memory to apply effect !", kError, MessageIcon::Warning,
                MessageButtons::Ok},
};
static_assert(kMessages.size() == static_cast<std::size_t>(MessageId::EffectMemory) + 1,
              "one entry for every MessageId");

}  // namespace

const MessageText& LookUpMessage(MessageId id) {
    return kMessages[static_cast<std::size_t>(id)];
}

platform::MessageAnswer ShowMessage(platform::MessageBoxes& messageBoxes, MessageId id) {
    const MessageText& message = LookUpMessage(id);
    return messageBoxes.Show(message.text, message.caption, message.icon, message.buttons);
}

std::optional<MessageId> ForFileStatus(formats::FileStatus status) {
    switch (status) {
        case formats::FileStatus::Ok:
            return std::nullopt;
        case formats::FileStatus::CannotOpen:
            return MessageId::CannotOpenFile;
        case formats::FileStatus::NotThisFormat:
            return MessageId::NotAWavFile;
        case formats::FileStatus::Damaged:
            return MessageId::DamagedFile;
        case formats::FileStatus::Unsupported:
            return MessageId::UnsupportedCompression;
        case formats::FileStatus::NoMemory:
            return MessageId::NotEnoughMemory;
        case formats::FileStatus::CannotSave:
            return MessageId::CannotSaveFile;
    }
    return std::nullopt;
}

std::optional<MessageId> ForContentLoadStatus(formats::FileStatus status) {
    if (status == formats::FileStatus::NotThisFormat) {
        return MessageId::NotASoundFile;
    }
    return ForFileStatus(status);
}

}  // namespace marvolin::resources
