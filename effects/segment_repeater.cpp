#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "effects/milliseconds.h"
#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

// Stammering plays three stretches five times in a row: the first 200 ms, 1.5 s to 1.7 s and
// 3.0 s to 3.2 s, each when the sound holds all of it.
constexpr std::uint32_t kPlays = 5;

struct Stretches {
    std::uint64_t firstEnd;     // 200 ms
    std::uint64_t middleStart;  // 1500 ms
    std::uint64_t middleEnd;    // 1700 ms
    std::uint64_t lastStart;    // 3000 ms
    std::uint64_t lastEnd;      // 3200 ms
};

Stretches StretchesAt(std::uint32_t sampleRate) {
    return {MillisecondsToSamples(sampleRate, 200), MillisecondsToSamples(sampleRate, 1500),
            MillisecondsToSamples(sampleRate, 1700), MillisecondsToSamples(sampleRate, 3000),
            MillisecondsToSamples(sampleRate, 3200)};
}

std::uint64_t StammeredLength(const Stretches& at, std::uint64_t count) {
    std::uint64_t length = count + (kPlays - 1) * at.firstEnd;
    if (count > at.middleEnd) {
        length += (kPlays - 1) * (at.middleEnd - at.middleStart);
    }
    if (count > at.lastEnd) {
        length += (kPlays - 1) * (at.lastEnd - at.lastStart);
    }
    return length;
}

// Copies input ranges one after another from the start of the output, never past its end.
// The repeated copies compare the progress counter before counting the sample, the single
// copies count it first.
class StammerWriter {
  public:
    StammerWriter(const std::vector<float>& input, std::vector<float>& output, ProgressTick& tick)
        : input_(input), output_(output), tick_(tick) {}

    void Repeat(std::uint64_t begin, std::uint64_t end) {
        for (std::uint32_t play = 0; play < kPlays; ++play) {
            for (std::uint64_t i = begin; i < end; ++i) {
                tick_.Tick();
                Write(i);
            }
        }
    }

    void CopyOnce(std::uint64_t begin, std::uint64_t end) {
        for (std::uint64_t i = begin; i < end && position_ < output_.size(); ++i) {
            tick_.TickCountingFirst();
            Write(i);
        }
    }

  private:
    void Write(std::uint64_t inputIndex) {
        if (position_ < output_.size()) {
            output_[position_++] = input_[inputIndex];
        }
    }

    const std::vector<float>& input_;
    std::vector<float>& output_;
    ProgressTick& tick_;
    std::size_t position_ = 0;
};

}  // namespace

void RunSegmentRepeater(EffectContext& context) {
    const std::vector<float>& input = context.working.samples;
    const std::uint64_t count = context.working.sampleCount();
    const Stretches at = StretchesAt(context.sampleRate);
    if (at.firstEnd > count) {
        return;  // shorter than the first stretch: left as it is
    }
    const std::uint64_t length = StammeredLength(at, count);
    auto output = TakeRoutineBlock(context.host, length);
    if (!output) {
        return;
    }

    ProgressTick tick(context.host, static_cast<std::uint32_t>(length / 100));
    StammerWriter writer(input, *output, tick);
    writer.Repeat(0, at.firstEnd);
    writer.CopyOnce(at.firstEnd, std::min(at.middleStart, count));
    if (count > at.lastEnd) {
        writer.Repeat(at.middleStart, at.middleEnd);
        writer.CopyOnce(at.middleEnd, at.lastStart);
        writer.Repeat(at.lastStart, at.lastEnd);
        writer.CopyOnce(at.lastEnd, count);
    } else if (count > at.middleEnd) {
        writer.Repeat(at.middleStart, at.middleEnd);
        writer.CopyOnce(at.middleEnd, count);
    } else {
        // A sound that ends inside the middle stretch cannot repeat it; its end is copied once
        // rather than left silent.
        writer.CopyOnce(at.middleStart, count);
    }
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
