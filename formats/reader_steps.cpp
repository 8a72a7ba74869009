#include "formats/reader_steps.h"

#include <algorithm>
#include <limits>

#include "formats/file_messages.h"
#include "platform/allocation.h"

namespace marvolin::formats {

void LoadFromPath(FileHost& host, SoundBuffer& sound, const std::string& path, SoundLoader load) {
    const auto file = FileByteSource::Open(path);
    if (!file) {
        ShowFileError(host, kCannotOpenFile);
        return;
    }
    load(host, sound, *file);
}

bool AcceptEncoding(FileHost& host, EncodingAnswer answer) {
    switch (answer) {
        case EncodingAnswer::Supported:
            return true;
        case EncodingAnswer::Unsupported:
            ShowFileError(host, kUnsupportedCompression, platform::MessageIcon::Warning);
            return false;
        case EncodingAnswer::Damaged:
            break;
    }
    ShowFileError(host, kDamagedFile);
    return false;
}

std::optional<std::vector<std::int16_t>> TakeSampleBlock(FileHost& host, SoundBuffer& sound,
                                                         std::uint64_t count) {
    const std::uint64_t kept =
        std::min<std::uint64_t>(count, std::numeric_limits<std::uint32_t>::max());
    sound.Release();
    auto block = platform::AllocateBlock<std::int16_t>(static_cast<std::size_t>(kept));
    if (!block) {
        sound.sampleRate = 44100;
        ShowFileError(host, kNotEnoughMemory);
    }
    return block;
}

}  // namespace marvolin::formats
