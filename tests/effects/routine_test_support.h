#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "effects/effect_context.h"
#include "platform/allocation.h"

namespace marvolin::effects::testing {

// Records what a routine asks of the window.
struct RecordingHost : EffectHost {
    void ShowProgress(std::uint32_t percent) override { percents.push_back(percent); }
    void ShowMemoryMessage() override { ++memoryMessages; }
    std::vector<std::uint32_t> percents;
    int memoryMessages = 0;
};

// One routine run on a working buffer of the given samples, at a sample rate, with the
// routine's own parameters (its record, its progress share) passed after the samples.
struct RoutineRun {
    std::uint32_t sampleRate = 22050;
    RecordingHost host;

    static RoutineRun AtRate(std::uint32_t sampleRate) {
        RoutineRun run;
        run.sampleRate = sampleRate;
        return run;
    }

    template <typename... Parameters, typename... Arguments>
    std::vector<float> Run(void (*routine)(EffectContext&, Parameters...),
                           std::vector<float> samples, const Arguments&... parameters) {
        WorkingBuffer working{std::move(samples)};
        EffectContext context{working, sampleRate, host};
        routine(context, parameters...);
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

// Fails each allocation of `run` in turn: the first, then the second, and so on, until a run
// takes every block it asks for. After each run whose planned failure happened, `check(k)`
// checks what that failure must leave behind (k counts the allocations that succeeded
// first). So the checks hold for every allocation point without knowing the code's order of
// allocations. Returns how many points there were.
template <typename Run, typename Check>
int FailEachAllocationInTurn(Run&& run, Check&& check) {
    constexpr int kMostPoints = 1000;
    for (int successes = 0; successes < kMostPoints; ++successes) {
        SCOPED_TRACE(::testing::Message() << "allocation " << successes + 1 << " fails");
        platform::AllocationFailures::FailNext(1, successes);
        run();
        // A failure still planned is found within the successes the run did not use up.
        bool failed = true;
        for (int probe = 0; probe <= successes; ++probe) {
            if (platform::AllocationFailures::ShouldFail(0)) {
                failed = false;
                break;
            }
        }
        platform::AllocationFailures::Reset();
        if (!failed) {
            return successes;
        }
        check(successes);
    }
    ADD_FAILURE() << "the routine never stopped asking for memory";
    return kMostPoints;
}

}  // namespace marvolin::effects::testing
