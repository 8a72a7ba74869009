#pragma once

#include <cstdint>
#include <vector>

#include "effects/effect_context.h"
#include "effects/effect_matrix.h"
#include "platform/allocation.h"

namespace marvolin::effects::testing {

// Records what a routine asks of the window.
struct RecordingHost : EffectHost {
    void ShowProgress(std::uint32_t percent) override { percents.push_back(percent); }
    void ShowMemoryMessage() override { ++memoryMessages; }
    std::vector<std::uint32_t> percents;
    int memoryMessages = 0;
};

// One routine run on a working buffer of the given samples, with the selection of an effect
// (category 0..7, effect 0..4 within it). The memory persists across runs of one RoutineRun.
struct RoutineRun {
    std::uint32_t sampleRate = 22050;
    std::uint16_t category = 0;
    std::uint16_t effect = 0;
    RecordingHost host;
    RoutineMemory memory;

    static RoutineRun ForEffect(std::uint16_t category, std::uint16_t effect,
                                std::uint32_t sampleRate) {
        RoutineRun run;
        run.sampleRate = sampleRate;
        run.category = category;
        run.effect = effect;
        return run;
    }

    std::vector<float> Run(Routine routine, std::vector<float> samples) {
        WorkingBuffer working{std::move(samples)};
        EffectContext context{working,  sampleRate,
                              category, static_cast<std::uint16_t>(kFirstEffectButton + effect),
                              host,     memory};
        routine(context);
        return std::move(working.samples);
    }
};

// While it lives, the allocations after the first `successesFirst` fail (`count` of them);
// normal allocation comes back when it ends.
class FailingAllocations {
  public:
    explicit FailingAllocations(int count = 1, int successesFirst = 0) {
        platform::AllocationFailures::FailNext(count, successesFirst);
    }
    ~FailingAllocations() { platform::AllocationFailures::Reset(); }
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
};

}  // namespace marvolin::effects::testing
