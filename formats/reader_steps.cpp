#include "formats/reader_steps.h"

#include <algorithm>
#include <cerrno>
#include <limits>

#include "platform/allocation.h"

namespace marvolin::formats {

LoadResult Refused(FileStatus status) {
    LoadResult result;
    result.status = status;
    return result;
}

LoadResult LoadFromPath(const std::string& path, SoundLoader load) {
    errno = 0;
    const auto file = FileByteSource::Open(path);
    if (!file) {
        LoadResult result = Refused(FileStatus::CannotOpen);
        result.systemError = errno;
        return result;
    }
    return load(*file);
}

FileStatus StatusOf(EncodingAnswer answer) {
    switch (answer) {
        case EncodingAnswer::Supported:
            return FileStatus::Ok;
        case EncodingAnswer::Unsupported:
            return FileStatus::Unsupported;
        case EncodingAnswer::Damaged:
            break;
    }
    return FileStatus::Damaged;
}

std::optional<std::vector<std::int16_t>> TakeSampleBlock(std::uint64_t count) {
    const std::uint64_t kept =
        std::min<std::uint64_t>(count, std::numeric_limits<std::uint32_t>::max());
    return platform::AllocateBlock<std::int16_t>(static_cast<std::size_t>(kept));
}

LoadResult OutOfMemory(const SoundBuffer& described) {
    LoadResult result = Refused(FileStatus::NoMemory);
    result.sound.channelCount = described.channelCount;
    result.sound.sampleRate = 44100;
    return result;
}

}  // namespace marvolin::formats
