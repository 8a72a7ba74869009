#include "effects/spline_resampler.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "effects/natural_spline.h"
#include "effects/normalize_peak.h"
#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/two_core_runs.h"
#include "platform/allocation.h"

namespace marvolin::effects {
namespace {

constexpr std::uint32_t kSawtoothsPerSecond = 100;
constexpr float kPercentOfDepth = 0.01f;
constexpr std::uint32_t kFinalPercent = 101;
// The read position is a float: the effect's sound depends on its rounding. Beyond 2^24 a
// float no longer holds every whole position and a step shorter than its spacing would leave
// the position standing, so longer sounds keep the position in double.
constexpr std::uint32_t kLongestFloatPositionSound = 1u << 24;

// The modulation value e of each read, in -1 .. 1, stored as a float.
class ModulationValue {
  public:
    ModulationValue(const ReadStepModulation& modulation, std::uint32_t sampleRate)
        : modulation_(modulation),
          sampleRate_(sampleRate),
          // Below 100 Hz a period would hold no samples (a division by zero); a period of
          // one sample keeps the sawtooth at -1.
          sawtoothPeriod_(std::max<std::uint32_t>(sampleRate / kSawtoothsPerSecond, 1)) {}

    // `written` counts the output samples so far, the one just written included.
    float Next(std::uint32_t written) {
        if (!modulation_.sawtooth) {
            return static_cast<float>(
                std::sin(static_cast<double>(written) / static_cast<double>(sampleRate_) *
                         static_cast<double>(modulation_.radiansPerSecond)));
        }
        const auto value = static_cast<float>(static_cast<double>(sawtoothPosition_) /
                                                  static_cast<double>(sawtoothPeriod_) * 2.0 -
                                              1.0);
        if (++sawtoothPosition_ == sawtoothPeriod_) {
            sawtoothPosition_ = 0;
        }
        return value;
    }

  private:
    const ReadStepModulation& modulation_;
    std::uint32_t sampleRate_;
    std::uint32_t sawtoothPeriod_;
    std::uint32_t sawtoothPosition_ = 0;
};

// A positive excursion v speeds reading up by 1 + v, a negative one slows it by the same
// factor.
float ReadStep(float modulationValue, std::uint32_t depth) {
    const double v = static_cast<double>(modulationValue) * static_cast<double>(depth) *
                     static_cast<double>(kPercentOfDepth);
    return static_cast<float>(v >= 0.0 ? v + 1.0 : 1.0 / (1.0 - v));
}

// The read steps of a sine modulation for written = 1, 2, ...: each depends only on its own
// count, so they can be worked out ahead of the reading.
void FillSineReadSteps(ModulationValue modulation, std::uint32_t depth, std::span<float> steps) {
    for (std::size_t k = 0; k < steps.size(); ++k) {
        steps[k] = ReadStep(modulation.Next(static_cast<std::uint32_t>(k + 1)), depth);
    }
}

// percent = trunc(position x 100) / n, dividing only when the percent changes: positions
// never move back. 64 bits, as a hundred times the position outgrows 32 bits on long sounds.
class PositionPercent {
  public:
    explicit PositionPercent(std::uint32_t n) : n_(n) {}

    std::uint32_t Of(double position) {
        const auto hundredfold = static_cast<std::uint64_t>(position * 100.0);
        if (hundredfold >= nextChange_) {
            percent_ = hundredfold / n_;
            nextChange_ = (percent_ + 1) * n_;
        }
        return static_cast<std::uint32_t>(percent_);
    }

  private:
    std::uint64_t n_;
    std::uint64_t percent_ = 0;
    std::uint64_t nextChange_ = 0;
};

// Reads the input at the modulated position until it passes the end, writing at most
// `collected.size()` samples; drives the progress indicator directly up to 101. Returns
// the number of samples read.
template <typename Position>
std::uint32_t ResampleInto(std::span<const float> input, std::span<const float> secondDerivatives,
                           ModulationValue modulation, std::uint32_t depth,
                           std::span<const float> stepsAhead, EffectHost& host,
                           std::span<float> collected) {
    const auto n = static_cast<std::uint32_t>(input.size());
    const auto end = static_cast<double>(static_cast<Position>(n));
    Position position = 0;
    std::uint32_t written = 0;
    std::uint32_t percent = 1;
    std::uint32_t previousPercent = 0;
    PositionPercent positionPercent(n);
    do {
        if (percent != previousPercent && percent >= 1) {
            host.ShowProgress(percent);
        }
        if (written < collected.size()) {
            collected[written] = static_cast<float>(
                EvaluateNaturalSpline(input, secondDerivatives, static_cast<double>(position)));
            ++written;
        }
        const float step = written <= stepsAhead.size() ? stepsAhead[written - 1]
                                                        : ReadStep(modulation.Next(written), depth);
        previousPercent = percent;
        position = static_cast<Position>(static_cast<double>(position) + static_cast<double>(step));
        percent = positionPercent.Of(static_cast<double>(position));
    } while (static_cast<double>(position) <= end);
    if (percent != kFinalPercent) {
        host.ShowProgress(kFinalPercent);
    }
    return written;
}

}  // namespace

void RunSplineResampler(EffectContext& context, const ReadStepModulation& modulation) {
    const std::vector<float>& input = context.working.samples;
    const std::size_t n = input.size();
    if (n < 2 || context.sampleRate == 0) {
        return;
    }
    std::optional<std::vector<float>> collected = TakeRoutineBlock(context.host, 2 * n);
    if (!collected) {
        return;
    }
    std::optional<std::vector<float>> secondDerivatives = TakeRoutineBlock(context.host, n);
    if (!secondDerivatives) {
        return;
    }
    context.host.ShowProgress(1);
    const ModulationValue modulationValue(modulation, context.sampleRate);
    bool splineReady = false;
    auto setUpSpline = [&] {
        std::optional<std::vector<float>> scratch = TakeRoutineBlock(context.host, n - 1);
        if (scratch) {
            SetUpNaturalSpline(input, *scratch, *secondDerivatives);
            splineReady = true;
        }
    };
    // On a long sound a second thread works out the sine's read steps for the first n reads
    // while this one sets up the spline. Without memory for that table the steps are worked
    // out as the reading goes; the sound is the same either way.
    std::vector<float> stepsAhead;
    if (!modulation.sawtooth && n >= kWorthASecondCore) {
        stepsAhead = platform::AllocateBlock<float>(n).value_or(std::vector<float>{});
    }
    if (!stepsAhead.empty()) {
        RunSideBySide(setUpSpline,
                      [&] { FillSineReadSteps(modulationValue, modulation.depth, stepsAhead); });
    } else {
        setUpSpline();
    }
    if (!splineReady) {
        return;
    }

    const std::uint32_t written =
        n <= kLongestFloatPositionSound
            ? ResampleInto<float>(input, *secondDerivatives, modulationValue, modulation.depth,
                                  stepsAhead, context.host, *collected)
            : ResampleInto<double>(input, *secondDerivatives, modulationValue, modulation.depth,
                                   stepsAhead, context.host, *collected);
    stepsAhead = {};
    secondDerivatives.reset();

    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, written);
    if (!output) {
        return;
    }
    std::copy_n(collected->begin(), written, output->begin());
    collected.reset();
    NormalizePeak(*output);
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
