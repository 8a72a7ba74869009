#include "effects/effect_matrix.h"

#include <array>
#include <cstddef>

#include "effects/routines.h"
#include "platform/ascii_case.h"

namespace marvolin::effects {
namespace {

// A routine of a recipe with its name as the recipe spells it, "Room<kLargeHall>".
struct Step {
    Routine routine;
    std::string_view name;
};
#define MARVOLIN_STEP(...)        \
    Step {                        \
        __VA_ARGS__, #__VA_ARGS__ \
    }

struct Recipe {
    std::string_view name;
    std::array<Routine, 3> routines;
    std::array<std::string_view, 3> routineNames;
    std::size_t routineCount;
};

constexpr Recipe Once(std::string_view name, Step step) {
    return {name, {step.routine, nullptr, nullptr}, {step.name, {}, {}}, 1};
}

constexpr Recipe Then(std::string_view name, Step first, Step second) {
    return {name, {first.routine, second.routine, nullptr}, {first.name, second.name, {}}, 2};
}

constexpr Recipe Thrice(std::string_view name, Step first, Step second, Step third) {
    return {name,
            {first.routine, second.routine, third.routine},
            {first.name, second.name, third.name},
            3};
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
        Once("Airport", MARVOLIN_STEP(Room<kLargeHall>)),
        Then("Cathedral", MARVOLIN_STEP(Room<kLargeHall, kFirstHalfOfProgress>),
             MARVOLIN_STEP(Echoes<kMountainEchoes, kSecondHalfOfProgress>)),
        Once("Bedroom", MARVOLIN_STEP(Room<kLongNarrowRoom>)),
        Once("Bathroom", MARVOLIN_STEP(Room<kSmallTiledRoom>)),
        Then("Tunnel", MARVOLIN_STEP(Room<kSmallTiledRoom, kFirstHalfOfProgress>),
             MARVOLIN_STEP(Echoes<kClassicEchoes, kSecondHalfOfProgress>)),
    },
    {
        Once("Creature", MARVOLIN_STEP(RunOctaveUpDecimator)),
        Once("E.T.", MARVOLIN_STEP(Resample<kTenHertzReadSine>)),
        Once("Martian", MARVOLIN_STEP(Resample<kFiftyHertzReadSine>)),
        Once("Monster", MARVOLIN_STEP(RunOctaveDownInterpolator)),
        Once("Reverse", MARVOLIN_STEP(RunReverser)),
    },
    {
        Once("Stammering", MARVOLIN_STEP(RunSegmentRepeater)),
        Once("Hoarse", MARVOLIN_STEP(Gain<GainCurve::kHoarse>)),
        Once("Sick", MARVOLIN_STEP(Resample<kOneHertzReadSine>)),
        Once("Shaked", MARVOLIN_STEP(Resample<kFiveHertzReadSine>)),
        Once("Under Water", MARVOLIN_STEP(Resonator<kUnderWaterWobble>)),
    },
    {
        Once("Speed Up", MARVOLIN_STEP(Echoes<kSpeedUpEchoes>)),
        Once("Classic", MARVOLIN_STEP(Echoes<kClassicEchoes>)),
        Once("Reverse", MARVOLIN_STEP(Echoes<kReverseEchoes>)),
        Once("Mountains", MARVOLIN_STEP(Echoes<kMountainEchoes>)),
        Once("Slow Down", MARVOLIN_STEP(Echoes<kSlowDownEchoes>)),
    },
    {
        Once("Opening", MARVOLIN_STEP(Resonator<kOpeningSweep>)),
        Once("Closing", MARVOLIN_STEP(Resonator<kClosingSweep>)),
        Once("Low-pass", MARVOLIN_STEP(Filter<kLowPassAt3000Hz>)),
        Once("High-pass", MARVOLIN_STEP(Filter<kHighPassAt5000Hz>)),
        Once("Resonant", MARVOLIN_STEP(Resonator<kFixedResonance>)),
    },
    {
        Once("Android", MARVOLIN_STEP(Gain<GainCurve::kAndroid>)),
        Once("Cyborg", MARVOLIN_STEP(Gain<GainCurve::kCyborg>)),
        Once("Electric", MARVOLIN_STEP(Echoes<kElectricEchoes>)),
        Once("Machine", MARVOLIN_STEP(Resample<kHundredHertzReadSawtooth>)),
        Then("Vocoder", MARVOLIN_STEP(Echoes<kVocoderEchoes, kFirstHalfOfProgress>),
             MARVOLIN_STEP(Echoes<kVocoderEchoes, kSecondHalfOfProgress>)),
    },
    {
        Once("Jamming", MARVOLIN_STEP(RunNoiseBurstGenerator)),
        Thrice("Flanger", MARVOLIN_STEP(Flange<kFirstThirdOfProgress>),
               MARVOLIN_STEP(Flange<kSecondThirdOfProgress>),
               MARVOLIN_STEP(Flange<kLastThirdOfProgress>)),
        Once("Cut-Up", MARVOLIN_STEP(RunSegmentChopper)),
        Once("Mix-Up", MARVOLIN_STEP(RunPieceShuffler)),
        Once("Interference", MARVOLIN_STEP(RunEightLevelQuantizer)),
    },
    {
        Once("Fade-in", MARVOLIN_STEP(Gain<GainCurve::kFadeIn>)),
        Once("Fade-out", MARVOLIN_STEP(Gain<GainCurve::kFadeOut>)),
        Once("Bell Curve", MARVOLIN_STEP(Gain<GainCurve::kBellCurve>)),
        Once("Percussive", MARVOLIN_STEP(Gain<GainCurve::kPercussive>)),
        Once("Tremolos", MARVOLIN_STEP(Gain<GainCurve::kTremolos>)),
    },
}};
#undef MARVOLIN_STEP

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
                std::span<const std::string_view>(recipe.routineNames.data(), recipe.routineCount),
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
