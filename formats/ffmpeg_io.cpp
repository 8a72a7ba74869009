#include "formats/ffmpeg_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <span>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

namespace marvolin::formats {
namespace {

constexpr int kBufferBytes = 64 * 1024;

int RefuseNestedOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) {
    return AVERROR(EPERM);
}

// The new position for an AVIO seek, or -1; AVSEEK_SIZE asks for the size instead.
std::int64_t SeekTarget(std::uint64_t position, std::uint64_t size, std::int64_t offset,
                        int whence) {
    switch (whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE:
            return static_cast<std::int64_t>(size);
        case SEEK_SET:
            return offset;
        case SEEK_CUR:
            return static_cast<std::int64_t>(position) + offset;
        case SEEK_END:
            return static_cast<std::int64_t>(size) + offset;
        default:
            return -1;
    }
}

}  // namespace

void QuietFfmpegLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (std::getenv("MARVOLIN_FFMPEG_LOG") == nullptr) {
            av_log_set_level(AV_LOG_QUIET);
        }
    });
}

FfmpegInput::~FfmpegInput() {
    avformat_close_input(&format_);
    if (io_ != nullptr) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
}

int FfmpegInput::Open() {
    QuietFfmpegLog();
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kBufferBytes));
    if (buffer == nullptr) {
        return AVERROR(ENOMEM);
    }
    io_ = avio_alloc_context(buffer, kBufferBytes, 0, this, Read, nullptr, Seek);
    format_ = avformat_alloc_context();
    if (io_ == nullptr || format_ == nullptr) {
        if (io_ == nullptr) {
            av_free(buffer);
        }
        return AVERROR(ENOMEM);
    }
    format_->pb = io_;
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    format_->io_open = RefuseNestedOpen;
    // Probing first tells content no demuxer knows from a known kind of file that is broken.
    const AVInputFormat* kind = nullptr;
    const int probed = av_probe_input_buffer2(io_, &kind, "", nullptr, 0, 0);
    if (probed < 0 || kind == nullptr) {
        return probed == AVERROR(ENOMEM) ? probed : kNotMedia;
    }
    // On failure avformat_open_input frees the context and clears the pointer.
    const int opened = avformat_open_input(&format_, nullptr, kind, nullptr);
    return opened < 0 && opened != AVERROR(ENOMEM) ? AVERROR_INVALIDDATA : opened;
}

int FfmpegInput::Read(void* opaque, std::uint8_t* buffer, int size) {
    auto& self = *static_cast<FfmpegInput*>(opaque);
    const std::size_t got = self.source_.ReadAt(
        self.position_, std::span<std::uint8_t>(buffer, static_cast<std::size_t>(size)));
    self.position_ += got;
    return got == 0 ? AVERROR_EOF : static_cast<int>(got);
}

std::int64_t FfmpegInput::Seek(void* opaque, std::int64_t offset, int whence) {
    auto& self = *static_cast<FfmpegInput*>(opaque);
    const std::int64_t target = SeekTarget(self.position_, self.source_.size(), offset, whence);
    if ((whence & ~AVSEEK_FORCE) == AVSEEK_SIZE || target < 0) {
        return target < 0 ? AVERROR(EINVAL) : target;
    }
    self.position_ = static_cast<std::uint64_t>(target);
    return target;
}

FfmpegMemoryOutput::~FfmpegMemoryOutput() {
    if (io_ != nullptr) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
}

AVIOContext* FfmpegMemoryOutput::Open() {
    QuietFfmpegLog();
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kBufferBytes));
    if (buffer == nullptr) {
        return nullptr;
    }
    io_ = avio_alloc_context(buffer, kBufferBytes, 1, this, nullptr, Write, Seek);
    if (io_ == nullptr) {
        av_free(buffer);
    }
    return io_;
}

const std::vector<std::uint8_t>& FfmpegMemoryOutput::Finish() {
    if (io_ != nullptr) {
        avio_flush(io_);
    }
    return bytes_;
}

int FfmpegMemoryOutput::Write(void* opaque, std::uint8_t* buffer, int size) {
    auto& self = *static_cast<FfmpegMemoryOutput*>(opaque);
    const auto count = static_cast<std::size_t>(size);
    try {
        if (self.position_ + count > self.bytes_.size()) {
            self.bytes_.resize(static_cast<std::size_t>(self.position_) + count);
        }
    } catch (const std::bad_alloc&) {
        return AVERROR(ENOMEM);
    }
    std::memcpy(self.bytes_.data() + self.position_, buffer, count);
    self.position_ += count;
    return size;
}

std::int64_t FfmpegMemoryOutput::Seek(void* opaque, std::int64_t offset, int whence) {
    auto& self = *static_cast<FfmpegMemoryOutput*>(opaque);
    const std::int64_t target = SeekTarget(self.position_, self.bytes_.size(), offset, whence);
    if ((whence & ~AVSEEK_FORCE) == AVSEEK_SIZE || target < 0) {
        return target < 0 ? AVERROR(EINVAL) : target;
    }
    self.position_ = static_cast<std::uint64_t>(target);
    return target;
}

}  // namespace marvolin::formats
