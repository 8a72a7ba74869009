#include "formats/ffmpeg_decoder.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "formats/channel_mixdown.h"
#include "formats/ffmpeg_io.h"
#include "formats/open_for_reading.h"
#include "platform/allocation.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
}

namespace marvolin::formats {
namespace {

struct CodecContextFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

LoadResult Refused(FileStatus status, std::uint16_t channels = 1) {
    LoadResult result;
    result.status = status;
    result.sound.channelCount = channels;
    return result;
}

bool ToMixType(int format, MixSampleType& type) {
    switch (av_get_packed_sample_fmt(static_cast<AVSampleFormat>(format))) {
        case AV_SAMPLE_FMT_U8:
            type = MixSampleType::Unsigned8;
            return true;
        case AV_SAMPLE_FMT_S16:
            type = MixSampleType::Signed16;
            return true;
        case AV_SAMPLE_FMT_S32:
            type = MixSampleType::Signed32;
            return true;
        case AV_SAMPLE_FMT_S64:
            type = MixSampleType::Signed64;
            return true;
        case AV_SAMPLE_FMT_FLT:
            type = MixSampleType::Float32;
            return true;
        case AV_SAMPLE_FMT_DBL:
            type = MixSampleType::Float64;
            return true;
        default:
            return false;
    }
}

// Collects the decoded frames as one channel, within the length limit.
class MonoCollector {
  public:
    MonoCollector(DecodeLimits limits, std::size_t expected) : limits_(limits) {
        samples_.reserve(std::min<std::size_t>(expected, limits.maxSamples));
    }

    // Ok, Unsupported (a sample format without a mix), or NoMemory (over the limit or no
    // memory).
    FileStatus Add(const AVFrame& frame) {
        // The first frame's rate is the sound's (HE-AAC doubles the rate its header gives);
        // a stream that changes its rate ends there, rather than play at the wrong speed.
        if (rate_ == 0) {
            rate_ = frame.sample_rate;
            if (rate_ <= 0 || static_cast<std::uint32_t>(rate_) > kHighestDecodedRate) {
                return FileStatus::Damaged;
            }
        } else if (frame.sample_rate != rate_) {
            ended_ = true;
            return FileStatus::Ok;
        }
        MixSampleType type{};
        if (!ToMixType(frame.format, type) || frame.ch_layout.nb_channels <= 0) {
            return FileStatus::Unsupported;
        }
        const auto frames = static_cast<std::size_t>(std::max(frame.nb_samples, 0));
        if (frames > limits_.maxSamples - samples_.size()) {
            return FileStatus::NoMemory;
        }
        try {
            samples_.resize(samples_.size() + frames);
        } catch (const std::bad_alloc&) {
            return FileStatus::NoMemory;
        }
        MixInput input;
        input.type = type;
        input.planar = av_sample_fmt_is_planar(static_cast<AVSampleFormat>(frame.format)) != 0;
        input.channels = frame.ch_layout.nb_channels;
        input.frames = frames;
        input.planes = frame.extended_data;
        MixDown(input, samples_.data() + samples_.size() - frames);
        return FileStatus::Ok;
    }

    std::vector<std::int16_t>& samples() { return samples_; }
    int rate() const { return rate_; }
    bool ended() const { return ended_; }

  private:
    DecodeLimits limits_;
    int rate_ = 0;
    bool ended_ = false;
    std::vector<std::int16_t> samples_;
};

FileStatus StatusOfError(int error, FileStatus otherwise) {
    return error == AVERROR(ENOMEM) ? FileStatus::NoMemory : otherwise;
}

// Roughly how many samples the stream holds, to take the block in one piece.
std::size_t ExpectedSamples(const AVFormatContext& format, int rate) {
    constexpr std::size_t kMostReserved = std::size_t{1} << 23;
    if (format.duration <= 0 || rate <= 0) {
        return 0;
    }
    const double seconds = static_cast<double>(format.duration) / AV_TIME_BASE;
    const double samples = seconds * rate * 1.01 + 8192;
    return samples >= static_cast<double>(kMostReserved) ? kMostReserved
                                                         : static_cast<std::size_t>(samples);
}

}  // namespace

LoadResult LoadWithFfmpegFrom(ByteSource& file, DecodeLimits limits) {
    if (file.size() == 0) {
        return Refused(FileStatus::Damaged);
    }
    FfmpegInput input(file);
    const int opened = input.Open();
    if (opened < 0) {
        return Refused(opened == FfmpegInput::kNotMedia
                           ? FileStatus::NotThisFormat
                           : StatusOfError(opened, FileStatus::Damaged));
    }
    AVFormatContext* format = input.context();
    const int found = avformat_find_stream_info(format, nullptr);
    if (found < 0) {
        return Refused(StatusOfError(found, FileStatus::Damaged));
    }
    // The best audio stream that has a decoder; audio streams without one are unsupported.
    const AVCodec* codec = nullptr;
    const int streamIndex = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (streamIndex == AVERROR_DECODER_NOT_FOUND) {
        return Refused(FileStatus::Unsupported);
    }
    if (streamIndex < 0) {
        return Refused(StatusOfError(streamIndex, FileStatus::NotThisFormat));
    }
    AVStream* stream = format->streams[streamIndex];
    const AVCodecParameters* parameters = stream->codecpar;
    const int channels = parameters->ch_layout.nb_channels;
    const auto channelCount = static_cast<std::uint16_t>(std::clamp(channels, 1, 65535));
    if (parameters->sample_rate <= 0 ||
        static_cast<std::uint32_t>(parameters->sample_rate) > kHighestDecodedRate) {
        return Refused(FileStatus::Damaged, channelCount);
    }
    std::unique_ptr<AVCodecContext, CodecContextFree> decoder(avcodec_alloc_context3(codec));
    std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    if (!decoder || !packet || !frame) {
        return Refused(FileStatus::NoMemory, channelCount);
    }
    int error = avcodec_parameters_to_context(decoder.get(), parameters);
    if (error >= 0) {
        error = avcodec_open2(decoder.get(), codec, nullptr);
    }
    if (error < 0) {
        return Refused(StatusOfError(error, FileStatus::Unsupported), channelCount);
    }
    const int declaredRate =
        decoder->sample_rate > 0 ? decoder->sample_rate : parameters->sample_rate;

    MonoCollector collector(limits, ExpectedSamples(*format, declaredRate));
    FileStatus status = FileStatus::Ok;
    // Takes every frame the decoder has ready; false once the sound must be refused.
    auto drain = [&]() {
        while (true) {
            const int received = avcodec_receive_frame(decoder.get(), frame.get());
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
                return true;
            }
            if (received < 0) {
                // A frame that does not decode is skipped, as players do; memory is not.
                if (received == AVERROR(ENOMEM)) {
                    status = FileStatus::NoMemory;
                    return false;
                }
                continue;
            }
            status = collector.Add(*frame);
            av_frame_unref(frame.get());
            if (status != FileStatus::Ok || collector.ended()) {
                return false;
            }
        }
    };
    bool going = true;
    while (going) {
        const int read = av_read_frame(format, packet.get());
        if (read < 0) {
            // The end, or a file that breaks off: what decoded so far is the sound.
            if (read == AVERROR(ENOMEM)) {
                status = FileStatus::NoMemory;
                going = false;
            }
            break;
        }
        if (packet->stream_index == streamIndex) {
            const int sent = avcodec_send_packet(decoder.get(), packet.get());
            if (sent == AVERROR(ENOMEM)) {
                status = FileStatus::NoMemory;
                going = false;
            }
            going = going && drain();
        }
        av_packet_unref(packet.get());
    }
    if (going && !collector.ended() && avcodec_send_packet(decoder.get(), nullptr) >= 0) {
        drain();
    }
    if (status != FileStatus::Ok) {
        return Refused(status, channelCount);
    }
    // Nothing to hear at all is taken as damage rather than replacing the sound by silence.
    if (collector.samples().empty()) {
        return Refused(FileStatus::Damaged, channelCount);
    }
    if (collector.samples().size() * sizeof(std::int16_t) > platform::LargestBlockBytes()) {
        return Refused(FileStatus::NoMemory, channelCount);
    }
    LoadResult result;
    result.sound.Install(std::move(collector.samples()));
    result.sound.sampleRate = static_cast<std::uint32_t>(collector.rate());
    result.sound.channelCount = channelCount;
    return result;
}

LoadResult LoadWithFfmpeg(const std::string& path, DecodeLimits limits) {
    int error = 0;
    const std::unique_ptr<FileByteSource> file = OpenForReading(path, error);
    if (!file) {
        LoadResult result = Refused(FileStatus::CannotOpen);
        result.systemError = error;
        return result;
    }
    return LoadWithFfmpegFrom(*file, limits);
}

}  // namespace marvolin::formats
