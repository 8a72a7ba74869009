#include <cstddef>
#include <cstdint>
#include <vector>

#include "effects/milliseconds.h"
#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

// Cut-Up: segments of a thirtieth of a second, each faded in and out over a fifth of its
// length and followed by 50 ms of silence.
constexpr double kSegmentsPerSecond = 30.0;
constexpr std::uint32_t kGapMilliseconds = 50;
constexpr std::uint32_t kFadePercent = 20;

// Writes the chopped sound from the start of the output; every output sample, silent or
// not, ticks the progress (counted before it is compared).
class ChoppedWriter {
  public:
    ChoppedWriter(const std::vector<float>& input, std::vector<float>& output, ProgressTick& tick)
        : input_(input), output_(output), tick_(tick) {}

    void FadeIn(std::uint32_t fade) {
        for (std::uint32_t j = 0; j < fade; ++j) {
            WriteScaled(static_cast<double>(j) / static_cast<double>(fade));
        }
    }

    void CopyMiddle(std::uint32_t length) {
        for (std::uint32_t j = 0; j < length; ++j) {
            Write(input_[inputPosition_++]);
        }
    }

    void FadeOut(std::uint32_t fade) {
        for (std::uint32_t j = 0; j < fade; ++j) {
            WriteScaled(static_cast<double>(fade - j) / static_cast<double>(fade));
        }
    }

    // The output is zero-filled already, so silence only moves on.
    void Silence(std::uint32_t length) {
        for (std::uint32_t j = 0; j < length; ++j) {
            Write(0.0f);
        }
    }

  private:
    void WriteScaled(double gain) {
        const double sample = static_cast<double>(input_[inputPosition_++]);
        Write(static_cast<float>(gain * sample));
    }

    void Write(float value) {
        if (outputPosition_ < output_.size()) {
            output_[outputPosition_++] = value;
        }
        tick_.TickCountingFirst();
    }

    const std::vector<float>& input_;
    std::vector<float>& output_;
    ProgressTick& tick_;
    std::size_t inputPosition_ = 0;
    std::size_t outputPosition_ = 0;
};

}  // namespace

void RunSegmentChopper(EffectContext& context) {
    const std::vector<float>& input = context.working.samples;
    const std::uint32_t count = context.working.sampleCount();
    const auto segment =
        static_cast<std::uint32_t>(static_cast<double>(context.sampleRate) / kSegmentsPerSecond);
    if (segment == 0) {
        return;  // below 30 Hz a segment holds no sample: there is nothing to chop
    }
    const auto gap =
        static_cast<std::uint32_t>(MillisecondsToSamples(context.sampleRate, kGapMilliseconds));
    const std::uint32_t fade = kFadePercent * segment / 100;
    const std::uint32_t middle = segment - 2 * fade;
    const std::uint32_t segmentCount = count / segment;

    // The partial segment at the end is dropped, but the length still counts it.
    const double length = static_cast<double>(count) / static_cast<double>(segment) *
                          (static_cast<double>(segment) + static_cast<double>(gap));
    // At most about three times the input's count, so it fits 64 bits.
    auto output = TakeRoutineBlock(context.host, static_cast<std::uint64_t>(length));
    if (!output) {
        return;
    }

    ProgressTick tick(context.host, count / 100);
    ChoppedWriter writer(input, *output, tick);
    for (std::uint32_t s = 0; s < segmentCount; ++s) {
        writer.FadeIn(fade);
        writer.CopyMiddle(middle);
        writer.FadeOut(fade);
        writer.Silence(gap);
    }
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
