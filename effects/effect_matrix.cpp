#include "effects/effect_matrix.h"

#include <array>
#include <cstddef>

#include "effects/routines.h"
#include "platform/ascii_case.h"

namespace marvolin::effects {
namespace {

struct Recipe {
    std::string_view name;
    std::array<Routine, 3> routines;
    std::size_t routineCount;
};

constexpr Recipe Once(std::string_view name, Routine routine) {
    return {name, {routine, nullptr, nullptr}, 1};
}

constexpr Recipe Then(std::string_view name, Routine first, Routine second) {
    return {name, {first, second, nullptr}, 2};
}

constexpr Recipe Thrice(std::string_view name, Routine first, Routine second, Routine third) {
    return {name, {first, second, third}, 3};
}

constexpr std::array<std::string_view, kCategoryCount> kCategoryNames = {
    "Acoustics", "Aliens", "Delirium", "Echoes", "Filters", "Robots", "Transmissions", "Volumes"};

// A routine bound to its parameter records. The recipes below name these steps, so every
// constant of an effect is in its row and a new preset is one more row.
template <const EchoRecord& kEchoes, ProgressShare kShare = kWholeProgress>
void Echoes(EffectContext& context) {
    RunEchoGenerator(context, kEchoes, kShare);
}

template <const RoomRecord& kRoom, ProgressShare kShare = kWholeProgress>
void Room(EffectContext& context) {
    RunRoomReverberator(context, kRoom, kShare);
}

template <GainCurve kCurve>
void Gain(EffectContext& context) {
    RunAmplitudeModulator(context, kCurve);
}

template <const ReadStepModulation& kModulation>
void Resample(EffectContext& context) {
    RunSplineResampler(context, kModulation);
}

template <const ResonatorRecord& kResonator>
void Resonator(EffectContext& context) {
    RunSweptResonator(context, kResonator);
}

template <const TwoPoleRecord& kFilter>
void Filter(EffectContext& context) {
    RunTwoPoleFilter(context, kFilter);
}

template <ProgressShare kShare>
void Flange(EffectContext& context) {
    RunDriftingDelayFlanger(context, kShare);
}

// Chained routines share one pass of the progress display: Cathedral and Tunnel show the room
// in the first half and its echoes in the second, Vocoder its two echo runs one half each,
// and Flanger its three runs a third each.
constexpr std::array<std::array<Recipe, kEffectsPerCategory>, kCategoryCount> kRecipes = {{
    {
        Once("Airport", Room<kLargeHall>),
        Then("Cathedral", Room<kLargeHall, kFirstHalfOfProgress>,
             Echoes<kMountainEchoes, kSecondHalfOfProgress>),
        Once("Bedroom", Room<kLongNarrowRoom>),
        Once("Bathroom", Room<kSmallTiledRoom>),
        Then("Tunnel", Room<kSmallTiledRoom, kFirstHalfOfProgress>,
             Echoes<kClassicEchoes, kSecondHalfOfProgress>),
    },
    {
        Once("Creature", RunOctaveUpDecimator),
        Once("E.T.", Resample<kTenHertzReadSine>),
        Once("Martian", Resample<kFiftyHertzReadSine>),
        Once("Monster", RunOctaveDownInterpolator),
        Once("Reverse", RunReverser),
    },
    {
        Once("Stammering", RunSegmentRepeater),
        Once("Hoarse", Gain<GainCurve::kHoarse>),
        Once("Sick", Resample<kOneHertzReadSine>),
        Once("Shaked", Resample<kFiveHertzReadSine>),
        Once("Under Water", Resonator<kUnderWaterWobble>),
    },
    {
        Once("Speed Up", Echoes<kSpeedUpEchoes>),
        Once("Classic", Echoes<kClassicEchoes>),
        Once("Reverse", Echoes<kReverseEchoes>),
        Once("Mountains", Echoes<kMountainEchoes>),
        Once("Slow Down", Echoes<kSlowDownEchoes>),
    },
    {
        Once("Opening", Resonator<kOpeningSweep>),
        Once("Closing", Resonator<kClosingSweep>),
        Once("Low-pass", Filter<kLowPassAt3000Hz>),
        Once("High-pass", Filter<kHighPassAt5000Hz>),
        Once("Resonant", Resonator<kFixedResonance>),
    },
    {
        Once("Android", Gain<GainCurve::kAndroid>),
        Once("Cyborg", Gain<GainCurve::kCyborg>),
        Once("Electric", Echoes<kElectricEchoes>),
        Once("Machine", Resample<kHundredHertzReadSawtooth>),
        Then("Vocoder", Echoes<kVocoderEchoes, kFirstHalfOfProgress>,
             Echoes<kVocoderEchoes, kSecondHalfOfProgress>),
    },
    {
        Once("Jamming", RunNoiseBurstGenerator),
        Thrice("Flanger", Flange<kFirstThirdOfProgress>, Flange<kSecondThirdOfProgress>,
               Flange<kLastThirdOfProgress>),
        Once("Cut-Up", RunSegmentChopper),
        Once("Mix-Up", RunPieceShuffler),
        Once("Interference", RunEightLevelQuantizer),
    },
    {
        Once("Fade-in", Gain<GainCurve::kFadeIn>),
        Once("Fade-out", Gain<GainCurve::kFadeOut>),
        Once("Bell Curve", Gain<GainCurve::kBellCurve>),
        Once("Percussive", Gain<GainCurve::kPercussive>),
        Once("Tremolos", Gain<GainCurve::kTremolos>),
    },
}};

std::array<EffectEntry, kEffectCount> BuildMatrix() {
    std::array<EffectEntry, kEffectCount> matrix{};
    for (std::uint16_t category = 0; category < kCategoryCount; ++category) {
        for (std::uint16_t effect = 0; effect < kEffectsPerCategory; ++effect) {
            const Recipe& recipe = kRecipes[category][effect];
            matrix[category * kEffectsPerCategory + effect] = {
                category,
                static_cast<std::uint16_t>(kFirstEffectButton + effect),
                kCategoryNames[category],
                recipe.name,
                std::span<const Routine>(recipe.routines.data(), recipe.routineCount),
            };
        }
    }
    return matrix;
}

}  // namespace

std::string EffectEntry::FullName() const {
    std::string name(categoryName);
    name += '/';
    name += effectName;
    return name;
}

std::span<const EffectEntry> EffectMatrix() {
    static const std::array<EffectEntry, kEffectCount> matrix = BuildMatrix();
    return matrix;
}

std::optional<EffectEntry> FindEffect(std::uint16_t category, std::uint16_t clickedEffectButton) {
    if (category >= kCategoryCount || clickedEffectButton < kFirstEffectButton ||
        clickedEffectButton >= kFirstEffectButton + kEffectsPerCategory) {
        return std::nullopt;
    }
    return EffectMatrix()[category * kEffectsPerCategory +
                          (clickedEffectButton - kFirstEffectButton)];
}

std::optional<EffectEntry> FindEffectByName(std::string_view fullName) {
    const std::size_t slash = fullName.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view category = fullName.substr(0, slash);
    const std::string_view effect = fullName.substr(slash + 1);
    for (const EffectEntry& entry : EffectMatrix()) {
        if (platform::EqualIgnoringAsciiCase(entry.categoryName, category) &&
            platform::EqualIgnoringAsciiCase(entry.effectName, effect)) {
            return entry;
        }
    }
    return std::nullopt;
}

}  // namespace marvolin::effects
