#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "resources/panel_layout.h"
#include "screen/line_walk.h"
#include "screen/screen.h"
#include "screen/window_areas.h"

namespace marvolin::screen {
namespace {

constexpr Rect kWaveformBand{0, 0, kWindowWidth, 150};
constexpr auto kTraceLeft = static_cast<std::uint16_t>(resources::kTraceLeft);
constexpr auto kTraceRight = static_cast<std::uint16_t>(resources::kTraceRight);
constexpr std::uint32_t kTraceColumns = kTraceRight - kTraceLeft;  // 394
constexpr auto kCentreY = static_cast<std::uint16_t>(resources::kTraceCentreY);
constexpr std::uint32_t kTaperMiddle = 197;
// The single-precision value nearest -1/38809 (38809 = 197 * 197): the taper closes the
// trace to (almost) nothing 197 positions from the middle.
constexpr float kTaperFactor = -0.000025767218f;

// -40 for the most negative sample, 39 for the most positive, 0 for silence.
int SampleHeight(std::int16_t sample) {
    return ((int{sample} + 32768) * 80) / 65536 - 40;
}

// The trace's y for a sample at taper position `position` (0 .. 394, 197 being the middle).
std::uint16_t TraceY(std::int16_t sample, std::uint32_t position) {
    const std::uint32_t d =
        position < kTaperMiddle ? kTaperMiddle - position : position - kTaperMiddle;
    // Never below zero for d <= 197; the guard keeps the square root defined regardless.
    const double taper = std::sqrt(std::max(0.0, 1.0 + double(d * d) * double(kTaperFactor)));
    return static_cast<std::uint16_t>(kCentreY - static_cast<int>(SampleHeight(sample) * taper));
}

// The trace turns each pixel it crosses from blue towards red; pixels without blue stay as
// they are, so the trace shows only over the bluish part of the picture.
void Recolour(Surface& window, int x, int y) {
    const std::uint8_t blue = Blue(window.Pixel(x, y));
    if (blue != 0) {
        window.SetPixel(x, y, RGB(255, blue / 2, blue / 2));
    }
}

// Chains segments: each starts where the previous one ended. Keeps the points it joined.
class Trace {
  public:
    explicit Trace(Surface& window) : window_(window) { points_.push_back({x_, y_}); }

    void To(std::uint16_t x, std::uint16_t y) {
        WalkLine(x_, y_, x, y, [this](int px, int py) { Recolour(window_, px, py); });
        x_ = x;
        y_ = y;
        points_.push_back({x, y});
    }

    const std::vector<platform::Point>& points() const { return points_; }

  private:
    Surface& window_;
    std::uint16_t x_ = kTraceLeft;
    std::uint16_t y_ = kCentreY;
    std::vector<platform::Point> points_;
};

void TraceSound(Trace& trace, const formats::SoundBuffer& sound) {
    const std::uint32_t count = sound.sampleCount();
    if (!sound.hasBlock || count == 0) {
        trace.To(kTraceRight, kCentreY);
        return;
    }
    const auto sampleAt = [&](std::uint64_t index) {
        return sound.samples[static_cast<std::size_t>(std::min<std::uint64_t>(index, count - 1))];
    };
    if (count > kTraceColumns) {
        // Long sounds are sampled, one sample a column, not averaged.
        const std::uint32_t step = count / kTraceColumns;
        for (std::uint32_t i = 0; i < kTraceColumns; ++i) {
            const std::int16_t sample = sampleAt(std::uint64_t{i + 1} * step);
            trace.To(static_cast<std::uint16_t>(kTraceLeft + i), TraceY(sample, i));
        }
        return;
    }
    // Short sounds: every sample, spread over the view, the last one repeated at its end. The
    // taper follows the sample's index, not the column it lands in.
    for (std::uint32_t i = 0; i <= count; ++i) {
        const std::uint16_t x =
            static_cast<std::uint16_t>(kTraceLeft + (i * kTraceColumns) / count);
        trace.To(x, TraceY(sampleAt(i), i));
    }
}

}  // namespace

void DrawWaveform(Screen& screen, ScreenHost& host, const formats::SoundBuffer& sound) {
    RestoreFromPicture(screen, kWaveformBand);
    Trace trace(screen.window);
    TraceSound(trace, sound);
    host.window.DescribeTrace(trace.points());
    Present(screen, host, kWaveformBand);
}

}  // namespace marvolin::screen
