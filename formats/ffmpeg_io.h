#pragma once

#include <cstdint>
#include <vector>

#include "formats/byte_source.h"

struct AVFormatContext;
struct AVIOContext;

namespace marvolin::formats {

// FFmpeg's own messages would go to the terminal; they stay quiet unless MARVOLIN_FFMPEG_LOG
// is set in the environment.
void QuietFfmpegLog();

// A demuxer reading a ByteSource. A file may not make the demuxer open others (playlists,
// external references in MP4 or concat lists would read other files or the network).
class FfmpegInput {
  public:
    explicit FfmpegInput(ByteSource& source) : source_(source) {}
    ~FfmpegInput();
    FfmpegInput(const FfmpegInput&) = delete;
    FfmpegInput& operator=(const FfmpegInput&) = delete;

    // 0 when open; kNotMedia when no demuxer knows the content; otherwise a negative
    // AVERROR: AVERROR(ENOMEM), or AVERROR_INVALIDDATA for a known kind of file that is broken.
    int Open();
    static constexpr int kNotMedia = -0x4E4D4544;
    AVFormatContext* context() { return format_; }

  private:
    static int Read(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);

    ByteSource& source_;
    std::uint64_t position_ = 0;
    AVIOContext* io_ = nullptr;
    AVFormatContext* format_ = nullptr;
};

// A seekable output collecting a muxer's bytes in memory, so that the file can be written in
// one piece only once encoding has succeeded.
class FfmpegMemoryOutput {
  public:
    FfmpegMemoryOutput() = default;
    ~FfmpegMemoryOutput();
    FfmpegMemoryOutput(const FfmpegMemoryOutput&) = delete;
    FfmpegMemoryOutput& operator=(const FfmpegMemoryOutput&) = delete;

    // nullptr when memory is short.
    AVIOContext* Open();
    // The bytes written, once the muxer's trailer is out (flushes the context).
    const std::vector<std::uint8_t>& Finish();

  private:
    static int Write(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);

    std::vector<std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
    AVIOContext* io_ = nullptr;
};

}  // namespace marvolin::formats
