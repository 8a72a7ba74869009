#pragma once

#include <cstdint>

#include "effects/effect_context.h"

namespace marvolin::effects {

// The progress tick that routines run once per processed sample: the first call to the
// progress indicator comes at sample `step` with percent 2, later ones every step - 1 samples.
class ProgressTick {
  public:
    ProgressTick(EffectHost& host, std::uint32_t step) : host_(host), step_(step) {}

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

    // The same as `count` calls of Tick(), without walking every sample: for stretches a
    // routine skips but still counts. The counter wraps like Tick()'s does.
    void Advance(std::uint64_t count) {
        while (count > 0) {
            if (counter_ == step_) {
                Tick();
                --count;
                continue;
            }
            const std::uint32_t untilNextCall = step_ - counter_;  // modulo 2^32
            const std::uint64_t advance = count < untilNextCall ? count : untilNextCall;
            counter_ += static_cast<std::uint32_t>(advance);
            count -= advance;
        }
    }

    std::uint32_t percent() const { return percent_; }

  private:
    EffectHost& host_;
    std::uint32_t step_;
    std::uint32_t percent_ = 1;
    std::uint32_t counter_ = 0;
};

// Divides every sample by the largest magnitude, so the loudest becomes exactly 1.0; an
// all-zero buffer stays zero.
void NormalizePeak(std::vector<float>& samples);

}  // namespace marvolin::effects
