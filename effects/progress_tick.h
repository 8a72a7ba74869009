#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "effects/effect_context.h"

namespace marvolin::effects {

// The progress tick that routines run once per processed sample: the first call to the
// progress indicator comes at sample `step` with percent firstPercent + 1, later ones every
// step - 1 samples. The counter is 32-bit and wraps as such.
class ProgressTick {
  public:
    ProgressTick(EffectHost& host, std::uint32_t step, std::uint32_t firstPercent = 1)
        : host_(host), step_(step), percent_(firstPercent) {}

    void Tick() {
        if (counter_ == step_) {
            counter_ = 1;
            ++percent_;
            host_.ShowProgress(percent_);
        }
        ++counter_;
    }

    // The variant that counts the sample before comparing: the first call comes at sample
    // step - 1, later ones every step - 1 samples, and a step of 0 never calls.
    void TickCountingFirst() {
        ++counter_;
        if (counter_ == step_) {
            counter_ = 1;
            ++percent_;
            host_.ShowProgress(percent_);
        }
    }

    // The same as `samples` calls of Tick(), in time proportional to the indicator calls made.
    void Advance(std::uint64_t samples) {
        while (samples > 0) {
            const std::uint32_t ticksBeforeCall = step_ - counter_;  // wraps like the counter
            if (samples <= ticksBeforeCall) {
                counter_ += static_cast<std::uint32_t>(samples);
                return;
            }
            samples -= ticksBeforeCall;
            counter_ = step_;
            Tick();
            --samples;
        }
    }

    // Counts samples from zero again with a new step; the percent carries on.
    void Restart(std::uint32_t step) {
        step_ = step;
        counter_ = 0;
    }

    std::uint32_t percent() const { return percent_; }

  private:
    EffectHost& host_;
    std::uint32_t step_;
    std::uint32_t percent_;
    std::uint32_t counter_ = 0;
};

// Runs process(begin, end) over [0, count) in short runs and ticks once per sample after each
// run: the per-sample work stays a plain loop the compiler can vectorise, and the indicator
// still moves while the work goes on.
template <typename Process>
void ForEachRunWithTicks(ProgressTick& tick, std::size_t count, Process&& process) {
    constexpr std::size_t kRunLength = 4096;
    for (std::size_t begin = 0; begin < count; begin += kRunLength) {
        const std::size_t end = std::min(count, begin + kRunLength);
        process(begin, end);
        tick.Advance(end - begin);
    }
}

}  // namespace marvolin::effects
