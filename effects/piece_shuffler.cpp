#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "effects/milliseconds.h"
#include "effects/normalize_peak.h"
#include "effects/progress_tick.h"
#include "effects/random_generator.h"
#include "effects/routine_block.h"
#include "effects/routines.h"
#include "platform/allocation.h"

namespace marvolin::effects {
namespace {

// Mix-Up: pieces of 100 ms, each laid with a gain from 50 up to (not including) 100. The
// output is `layerNumber` milliseconds longer than the input and holds one more layer than
// that number.
struct ShufflerRecord {
    std::uint16_t shortestMilliseconds;
    std::uint16_t longestMilliseconds;
    std::uint16_t lowestGain;
    std::uint16_t highestGain;
    std::uint16_t layerNumber;
};
constexpr ShufflerRecord kMixUp = {100, 100, 50, 100, 4};
static_assert(kMixUp.shortestMilliseconds == kMixUp.longestMilliseconds,
              "the curve table assumes that every piece has the same length");

// A placed sample x becomes (sin(x / len x kFullTurn - kQuarterTurn) + 1) x gain / 2 with the
// sign of x, len being the piece's length: roughly the square of x, so quiet samples fade.
// The float nearest 2 pi. Other routines use 6.2831850f, one step below: each keeps its own.
constexpr float kFullTurn = 6.2831855f;
constexpr float kQuarterTurn = 1.5707963f;

struct Piece {
    std::uint32_t start;
    std::uint32_t length;
};

// A draw of the shared generator as a fraction in [0, 1).
double DrawFraction() {
    return static_cast<double>(NextRandom()) * 0x1p-15;
}

std::uint64_t DrawPieceLength(std::uint32_t sampleRate) {
    const double spread = kMixUp.longestMilliseconds - kMixUp.shortestMilliseconds;
    const auto milliseconds =
        static_cast<std::uint32_t>(DrawFraction() * spread + kMixUp.shortestMilliseconds);
    return MillisecondsToSamples(sampleRate, milliseconds);
}

float DrawGain() {
    const double spread = kMixUp.highestGain - kMixUp.lowestGain;
    return static_cast<float>(DrawFraction() * spread + kMixUp.lowestGain);
}

// Cuts the input from its start into pieces that end strictly before `cutLimit`; the piece
// that reaches the limit is not used. Returns the number of pieces.
std::size_t CutPieces(std::vector<Piece>& table, std::uint64_t cutLimit, std::uint32_t sampleRate) {
    std::size_t pieceCount = 0;
    std::uint64_t position = 0;
    while (pieceCount < table.size()) {
        const std::uint64_t length = DrawPieceLength(sampleRate);
        if (position + length >= cutLimit) {
            break;
        }
        table[pieceCount++] = {static_cast<std::uint32_t>(position),
                               static_cast<std::uint32_t>(length)};
        position += length;
    }
    return pieceCount;
}

// The curve of one sample for a piece of `pieceLength` samples, before the piece's gain and
// the halving: its sign is the sample's own sign.
double SignedCurve(float sample, std::uint64_t pieceLength) {
    const double phase = static_cast<double>(sample) / static_cast<double>(pieceLength) *
                             static_cast<double>(kFullTurn) -
                         static_cast<double>(kQuarterTurn);
    const double curve = std::sin(phase) + 1.0;
    return sample < 0.0f ? -curve : curve;
}

// Every piece has the same length and the curve depends only on the sample, so each input
// position's curve is worked out once here rather than once per layer. Positions a piece
// reaches past the input's end read as silence.
class CurveTable {
  public:
    CurveTable(std::vector<double> curves, const std::vector<float>& input,
               std::uint64_t pieceLength)
        : curves_(std::move(curves)), pastTheEnd_(SignedCurve(0.0f, pieceLength)) {
        for (std::size_t i = 0; i < input.size(); ++i) {
            curves_[i] = SignedCurve(input[i], pieceLength);
        }
    }

    double At(std::size_t position) const {
        return position < curves_.size() ? curves_[position] : pastTheEnd_;
    }

  private:
    std::vector<double> curves_;
    double pastTheEnd_;
};

// Lays randomly chosen pieces one after another from the start of the output, adding them
// to what earlier layers left there.
void PlaceLayer(const CurveTable& curves, const std::vector<Piece>& table, std::size_t pieceCount,
                std::vector<float>& output, ProgressTick& tick) {
    std::size_t outputPosition = 0;
    for (std::size_t n = 0; n < pieceCount; ++n) {
        const auto index =
            static_cast<std::size_t>(DrawFraction() * static_cast<double>(pieceCount));
        const Piece& piece = table[index];
        const double gain = DrawGain();
        for (std::uint32_t k = 0; k < piece.length; ++k) {
            if (outputPosition < output.size()) {
                // The sign rides on the curve: -(c x gain) x 0.5 is exactly (c x gain) x -0.5.
                const double bent = curves.At(std::size_t{piece.start} + k) * gain * 0.5;
                float& target = output[outputPosition++];
                target = static_cast<float>(static_cast<double>(target) + bent);
            }
            tick.Tick();
        }
    }
}

}  // namespace

void RunPieceShuffler(EffectContext& context) {
    const std::vector<float>& input = context.working.samples;
    const std::uint32_t rate = context.sampleRate;
    const std::uint64_t shortestPiece = MillisecondsToSamples(rate, kMixUp.shortestMilliseconds);
    if (shortestPiece == 0) {
        return;  // below 10 Hz a piece holds no sample: there is nothing to shuffle
    }
    const std::uint64_t length = std::uint64_t{context.working.sampleCount()} +
                                 MillisecondsToSamples(rate, kMixUp.layerNumber);
    auto output = TakeRoutineBlock(context.host, length);
    if (!output) {
        return;
    }
    // No piece is shorter than the shortest, so this many entries always suffice.
    auto table = platform::AllocateBlock<Piece>(length / shortestPiece + 1);
    if (!table) {
        context.host.ShowMemoryMessage();
        return;
    }
    auto curves = platform::AllocateBlock<double>(context.working.sampleCount());
    if (!curves) {
        context.host.ShowMemoryMessage();
        return;
    }
    const CurveTable curveTable(std::move(*curves), input, shortestPiece);

    SeedRandom(1);
    ProgressTick tick(context.host, static_cast<std::uint32_t>(length / 100) * kMixUp.layerNumber);
    for (int layer = 0; layer <= kMixUp.layerNumber; ++layer) {
        const std::size_t pieceCount = CutPieces(*table, length, rate);
        PlaceLayer(curveTable, *table, pieceCount, *output, tick);
    }
    NormalizePeak(*output);
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
