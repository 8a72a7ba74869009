#include "formats/ffmpeg_encoder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "formats/copyright_note.h"
#include "formats/ffmpeg_io.h"
#include "platform/atomic_file.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace marvolin::formats {
namespace {

struct Codec {
    const char* encoder;
    const char* muxer;
};

Codec CodecOf(SaveFormat format) {
    switch (format) {
        case SaveFormat::Opus:
            return {"libopus", "opus"};
        case SaveFormat::Mp3:
            return {"libmp3lame", "mp3"};
        case SaveFormat::Flac:
            return {"flac", "flac"};
        case SaveFormat::Vorbis:
            return {"libvorbis", "ogg"};
        case SaveFormat::M4a:
            return {"aac", "ipod"};
        case SaveFormat::Wav:
            break;
    }
    return {nullptr, nullptr};
}

struct CodecContextFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FormatContextFree {
    void operator()(AVFormatContext* context) const { avformat_free_context(context); }
};
struct ResamplerFree {
    void operator()(SwrContext* context) const { swr_free(&context); }
};
struct PacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

// A failed step: which status it is, from FFmpeg's error code.
FileStatus StatusOf(int error) {
    return error == AVERROR(ENOMEM) ? FileStatus::NoMemory : FileStatus::CannotSave;
}

AVSampleFormat ChosenSampleFormat(const AVCodec& codec) {
    if (codec.sample_fmts == nullptr) {
        return AV_SAMPLE_FMT_S16;
    }
    for (const AVSampleFormat* format = codec.sample_fmts; *format != AV_SAMPLE_FMT_NONE;
         ++format) {
        if (*format == AV_SAMPLE_FMT_S16) {
            return *format;  // FLAC keeps the samples exactly
        }
    }
    return codec.sample_fmts[0];
}

// Runs the encoder and the muxer over the sound, into memory.
class Encoding {
  public:
    Encoding(const SoundBuffer& sound, SaveFormat format) : sound_(sound), format_(format) {}

    // Ok, or the status of the step that failed.
    FileStatus Run(const std::string& title) {
        const Codec names = CodecOf(format_);
        const AVCodec* codec = avcodec_find_encoder_by_name(names.encoder);
        if (codec == nullptr) {
            return FileStatus::Unsupported;
        }
        AVFormatContext* muxer = nullptr;
        int error = avformat_alloc_output_context2(&muxer, nullptr, names.muxer, nullptr);
        muxer_.reset(muxer);
        encoder_.reset(avcodec_alloc_context3(codec));
        packet_.reset(av_packet_alloc());
        frame_.reset(av_frame_alloc());
        if (error < 0 || !muxer_ || !encoder_ || !packet_ || !frame_) {
            return error < 0 && error != AVERROR(ENOMEM) ? FileStatus::Unsupported
                                                         : FileStatus::NoMemory;
        }
        if ((error = OpenEncoder(*codec)) < 0 || (error = OpenResampler()) < 0 ||
            (error = OpenMuxer(title)) < 0) {
            return StatusOf(error);
        }
        if ((error = EncodeAll()) < 0 || (error = av_write_trailer(muxer_.get())) < 0) {
            return StatusOf(error);
        }
        return FileStatus::Ok;
    }

    const std::vector<std::uint8_t>& bytes() { return output_.Finish(); }

  private:
    int OpenEncoder(const AVCodec& codec) {
        AVCodecContext& encoder = *encoder_;
        const std::uint32_t soundRate = std::max<std::uint32_t>(sound_.sampleRate, 1);
        encoder.sample_rate = static_cast<int>(EncodedRate(format_, soundRate));
        encoder.sample_fmt = ChosenSampleFormat(codec);
        av_channel_layout_default(&encoder.ch_layout, 1);
        encoder.time_base = AVRational{1, encoder.sample_rate};
        encoder.bit_rate = EncodedBitRate(format_);
        if (format_ == SaveFormat::Vorbis) {
            encoder.flags |= AV_CODEC_FLAG_QSCALE;
            encoder.global_quality = 3 * FF_QP2LAMBDA;
        }
        // Settings for speed at voice quality: a 45-second memo saves in a fraction of a
        // second rather than seconds, with no audible loss on speech.
        if (format_ == SaveFormat::Opus) {
            av_opt_set(encoder.priv_data, "application", "voip", 0);
            encoder.compression_level = 5;
        } else if (format_ == SaveFormat::Mp3) {
            encoder.compression_level = 7;
        } else if (format_ == SaveFormat::M4a) {
            av_opt_set(encoder.priv_data, "aac_coder", "fast", 0);
        }
        if ((muxer_->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
            encoder.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        }
        const int error = avcodec_open2(&encoder, &codec, nullptr);
        if (error < 0) {
            return error;
        }
        frameSize_ = encoder.frame_size > 0 ? encoder.frame_size : 4096;
        return 0;
    }

    int OpenResampler() {
        AVChannelLayout mono{};
        av_channel_layout_default(&mono, 1);
        SwrContext* resampler = nullptr;
        int error = swr_alloc_set_opts2(
            &resampler, &mono, encoder_->sample_fmt, encoder_->sample_rate, &mono,
            AV_SAMPLE_FMT_S16, static_cast<int>(std::max<std::uint32_t>(sound_.sampleRate, 1)), 0,
            nullptr);
        resampler_.reset(resampler);
        if (error >= 0) {
            error = swr_init(resampler_.get());
        }
        bytesPerSample_ = av_get_bytes_per_sample(encoder_->sample_fmt);
        return error;
    }

    int OpenMuxer(const std::string& title) {
        AVStream* stream = avformat_new_stream(muxer_.get(), nullptr);
        if (stream == nullptr) {
            return AVERROR(ENOMEM);
        }
        int error = avcodec_parameters_from_context(stream->codecpar, encoder_.get());
        if (error < 0) {
            return error;
        }
        stream->time_base = encoder_->time_base;
        // The Ogg muxers write the stream's comments, the others the file's tags.
        AVDictionary** tags = std::strcmp(muxer_->oformat->name, "ogg") == 0 ||
                                      std::strcmp(muxer_->oformat->name, "opus") == 0
                                  ? &stream->metadata
                                  : &muxer_->metadata;
        if (!title.empty()) {
            av_dict_set(tags, "title", title.c_str(), 0);
        }
        av_dict_set(tags, "copyright", std::string(kCopyrightNote).c_str(), 0);
        muxer_->pb = output_.Open();
        if (muxer_->pb == nullptr) {
            return AVERROR(ENOMEM);
        }
        muxer_->flags |= AVFMT_FLAG_BITEXACT;  // no encoder version in the tags
        return avformat_write_header(muxer_.get(), nullptr);
    }

    // Resamples the sound piece by piece and encodes it in the encoder's frames.
    int EncodeAll() {
        constexpr std::size_t kPiece = 16384;
        const std::vector<std::int16_t>& samples = sound_.samples;
        for (std::size_t start = 0; start <= samples.size(); start += kPiece) {
            const bool last = start + kPiece > samples.size();
            const std::size_t count = last ? samples.size() - start : kPiece;
            int error = Resample(samples.data() + start, static_cast<int>(count));
            if (error >= 0 && last) {
                error = Resample(nullptr, 0);  // what the resampler still holds
            }
            while (error >= 0 && pending_.size() - consumed_ >= FrameBytes()) {
                error = EncodeFrame(frameSize_);
            }
            pending_.erase(pending_.begin(),
                           pending_.begin() + static_cast<std::ptrdiff_t>(consumed_));
            consumed_ = 0;
            if (error < 0) {
                return error;
            }
            if (last) {
                break;
            }
        }
        int error = 0;
        if (!pending_.empty()) {
            const bool shortLastFrame =
                (encoder_->codec->capabilities &
                 (AV_CODEC_CAP_SMALL_LAST_FRAME | AV_CODEC_CAP_VARIABLE_FRAME_SIZE)) != 0;
            const auto left = static_cast<int>(pending_.size() / bytesPerSample_);
            if (!shortLastFrame) {
                pending_.resize(FrameBytes(), 0);
            }
            error = EncodeFrame(shortLastFrame ? left : frameSize_);
        }
        return error < 0 ? error : Send(nullptr);
    }

    std::size_t FrameBytes() const {
        return static_cast<std::size_t>(frameSize_) * static_cast<std::size_t>(bytesPerSample_);
    }

    int Resample(const std::int16_t* in, int count) {
        const int room = swr_get_out_samples(resampler_.get(), count);
        if (room < 0) {
            return room;
        }
        const std::size_t before = pending_.size();
        try {
            pending_.resize(before + static_cast<std::size_t>(room) *
                                         static_cast<std::size_t>(bytesPerSample_));
        } catch (const std::bad_alloc&) {
            return AVERROR(ENOMEM);
        }
        std::uint8_t* out = pending_.data() + before;
        const auto* input = reinterpret_cast<const std::uint8_t*>(in);
        const int made = swr_convert(resampler_.get(), &out, room, in ? &input : nullptr, count);
        if (made < 0) {
            return made;
        }
        pending_.resize(before +
                        static_cast<std::size_t>(made) * static_cast<std::size_t>(bytesPerSample_));
        return 0;
    }

    int EncodeFrame(int samples) {
        AVFrame& frame = *frame_;
        av_frame_unref(&frame);
        frame.nb_samples = samples;
        frame.format = encoder_->sample_fmt;
        frame.sample_rate = encoder_->sample_rate;
        int error = av_channel_layout_copy(&frame.ch_layout, &encoder_->ch_layout);
        if (error >= 0) {
            error = av_frame_get_buffer(&frame, 0);
        }
        if (error < 0) {
            return error;
        }
        const std::size_t bytes =
            static_cast<std::size_t>(samples) * static_cast<std::size_t>(bytesPerSample_);
        std::memcpy(frame.data[0], pending_.data() + consumed_, bytes);
        consumed_ += bytes;
        frame.pts = nextPts_;
        nextPts_ += samples;
        return Send(&frame);
    }

    // Hands a frame (or the end, nullptr) to the encoder and muxes the packets it gives.
    int Send(AVFrame* frame) {
        int error = avcodec_send_frame(encoder_.get(), frame);
        while (error >= 0) {
            error = avcodec_receive_packet(encoder_.get(), packet_.get());
            if (error == AVERROR(EAGAIN) || error == AVERROR_EOF) {
                return 0;
            }
            if (error < 0) {
                break;
            }
            av_packet_rescale_ts(packet_.get(), encoder_->time_base, muxer_->streams[0]->time_base);
            packet_->stream_index = 0;
            error = av_interleaved_write_frame(muxer_.get(), packet_.get());
        }
        return error;
    }

    const SoundBuffer& sound_;
    SaveFormat format_;
    FfmpegMemoryOutput output_;
    std::unique_ptr<AVFormatContext, FormatContextFree> muxer_;
    std::unique_ptr<AVCodecContext, CodecContextFree> encoder_;
    std::unique_ptr<SwrContext, ResamplerFree> resampler_;
    std::unique_ptr<AVPacket, PacketFree> packet_;
    std::unique_ptr<AVFrame, FrameFree> frame_;
    std::vector<std::uint8_t> pending_;  // resampled samples, encoded up to `consumed_`
    std::size_t consumed_ = 0;
    int frameSize_ = 0;
    int bytesPerSample_ = 2;
    std::int64_t nextPts_ = 0;
};

// A file name without any dot gets the format's extension; a dot in a folder's name does not
// count.
std::string WithExtension(const std::string& path, SaveFormat format) {
    const std::string name = std::filesystem::path(path).filename().string();
    if (name.find('.') != std::string::npos) {
        return path;
    }
    return path + "." + std::string(EntryOf(format).extension);
}

}  // namespace

SaveResult SaveEncoded(const SoundBuffer& sound, const std::string& path, SaveFormat format,
                       const std::string& title) {
    SaveResult result;
    result.path = WithExtension(path, format);
    if (format == SaveFormat::Wav) {
        result.status = FileStatus::Unsupported;  // the WAV writer's job
        return result;
    }
    QuietFfmpegLog();
    Encoding encoding(sound, format);
    result.status = encoding.Run(title);
    if (result.status != FileStatus::Ok) {
        return result;
    }
    const std::vector<std::uint8_t>& bytes = encoding.bytes();
    errno = 0;
    platform::AtomicFileWriter file(result.path);
    file.Write(bytes);
    if (!file.ok() || !file.Commit()) {
        result.status = FileStatus::CannotSave;
        result.systemError = errno != 0 ? errno : EIO;
    }
    return result;
}

}  // namespace marvolin::formats
