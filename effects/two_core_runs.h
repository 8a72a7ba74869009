#pragma once

#include <cstddef>
#include <optional>
#include <system_error>
#include <thread>

#include "effects/progress_tick.h"

namespace marvolin::effects {

// Below this many samples a second thread costs about as much as it saves.
inline constexpr std::size_t kWorthASecondCore = std::size_t{1} << 16;

// Runs `there` on a second thread while `here` runs on this one, and returns when both are
// done. When no thread can be had, both run here, `here` first.
template <typename Here, typename There>
void RunSideBySide(Here&& here, There&& there) {
    std::optional<std::jthread> helper;
    try {
        helper.emplace([&there] { there(); });
    } catch (const std::system_error&) {
        here();
        there();
        return;
    }
    here();
    helper->join();
}

// process(begin, end) over [0, count), the two halves side by side, for work whose samples
// do not depend on each other. `process` must write nothing but its own samples.
template <typename Process>
void ForEachOnTwoCores(std::size_t count, Process&& process) {
    if (count < kWorthASecondCore) {
        process(std::size_t{0}, count);
        return;
    }
    const std::size_t half = count / 2;
    RunSideBySide([&] { process(std::size_t{0}, half); }, [&] { process(half, count); });
}

// ForEachRunWithTicks for work whose samples do not depend on each other: while this thread
// works through the first half with its ticks, a second thread does the second half, and the
// ticks of that half follow once it is done. The indicator gets the same calls in the same
// order; only their timing changes.
template <typename Process>
void ForEachRunWithTicksOnTwoCores(ProgressTick& tick, std::size_t count, Process&& process) {
    if (count < kWorthASecondCore) {
        ForEachRunWithTicks(tick, count, process);
        return;
    }
    const std::size_t half = count / 2;
    RunSideBySide([&] { ForEachRunWithTicks(tick, half, process); }, [&] { process(half, count); });
    tick.Advance(count - half);
}

}  // namespace marvolin::effects
