// Every effect of the matrix applied through the frame, as a click on its button does, to
// 1,000,000 samples (the longest recording) of speech-like sound at 22050 Hz.
#include <benchmark/benchmark.h>

#include <string>

#include "effects/effect_frame.h"
#include "effects/effect_matrix.h"
#include "effects/random_generator.h"
#include "speech_like.h"

namespace marvolin::bench {
namespace {

class QuietHost : public effects::EffectHost {
  public:
    void ShowProgress(std::uint32_t) override {}
    void ShowMemoryMessage() override {}
};

void ApplyOneEffect(benchmark::State& state, effects::EffectEntry entry) {
    static const std::vector<std::int16_t> speech = SpeechLike(1000000);
    QuietHost host;
    for (auto _ : state) {
        state.PauseTiming();
        formats::SoundBuffer sound;
        sound.Install(speech);
        sound.sampleRate = 22050;
        formats::SoundBuffer undo;
        effects::RoutineMemory memory;
        state.ResumeTiming();
        effects::ApplyEffect(sound, undo, entry.category, entry.clickedEffectButton, host, memory);
        benchmark::DoNotOptimize(sound.samples.data());
    }
}

const bool registered = [] {
    effects::OverrideClockSeed(1);  // random effects draw the same numbers on every run
    for (const effects::EffectEntry& entry : effects::EffectMatrix()) {
        benchmark::RegisterBenchmark(entry.FullName().c_str(), ApplyOneEffect, entry)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
}  // namespace marvolin::bench
