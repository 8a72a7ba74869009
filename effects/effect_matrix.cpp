#include "effects/effect_matrix.h"

#include <array>
#include <cstddef>

#include "effects/routines.h"

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

constexpr Recipe ThreeTimes(std::string_view name, Routine routine) {
    return {name, {routine, routine, routine}, 3};
}

constexpr std::array<std::string_view, kCategoryCount> kCategoryNames = {
    "Acoustics", "Aliens", "Delirium", "Echoes", "Filters", "Robots", "Transmissions", "Volumes"};

constexpr std::array<std::array<Recipe, kEffectsPerCategory>, kCategoryCount> kRecipes = {{
    {Once("Airport", RunRoomReverberator), Then("Cathedral", RunRoomReverberator, RunEchoGenerator),
     Once("Bedroom", RunRoomReverberator), Once("Bathroom", RunRoomReverberator),
     Then("Tunnel", RunRoomReverberator, RunEchoGenerator)},
    {Once("Creature", RunOctaveUpDecimator), Once("E.T.", RunSplineResampler),
     Once("Martian", RunSplineResampler), Once("Monster", RunOctaveDownInterpolator),
     Once("Reverse", RunReverser)},
    {Once("Stammering", RunSegmentRepeater), Once("Hoarse", RunAmplitudeModulator),
     Once("Sick", RunSplineResampler), Once("Shaked", RunSplineResampler),
     Once("Under Water", RunSweptResonator)},
    {Once("Speed Up", RunEchoGenerator), Once("Classic", RunEchoGenerator),
     Once("Reverse", RunEchoGenerator), Once("Mountains", RunEchoGenerator),
     Once("Slow Down", RunEchoGenerator)},
    {Once("Opening", RunSweptResonator), Once("Closing", RunSweptResonator),
     Once("Low-pass", RunTwoPoleFilter), Once("High-pass", RunTwoPoleFilter),
     Once("Resonant", RunSweptResonator)},
    {Once("Android", RunAmplitudeModulator), Once("Cyborg", RunAmplitudeModulator),
     Once("Electric", RunEchoGenerator), Once("Machine", RunSplineResampler),
     Then("Vocoder", RunEchoGenerator, RunEchoGenerator)},
    {Once("Jamming", RunNoiseBurstGenerator), ThreeTimes("Flanger", RunDriftingDelayFlanger),
     Once("Cut-Up", RunSegmentChopper), Once("Mix-Up", RunPieceShuffler),
     Once("Interference", RunEightLevelQuantizer)},
    {Once("Fade-in", RunAmplitudeModulator), Once("Fade-out", RunAmplitudeModulator),
     Once("Bell Curve", RunAmplitudeModulator), Once("Percussive", RunAmplitudeModulator),
     Once("Tremolos", RunAmplitudeModulator)},
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

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
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
        if (EqualIgnoringCase(entry.categoryName, category) &&
            EqualIgnoringCase(entry.effectName, effect)) {
            return entry;
        }
    }
    return std::nullopt;
}

}  // namespace marvolin::effects
