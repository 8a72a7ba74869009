#pragma once

#include <cstddef>
#include <optional>
#include <system_error>
#include <thread>

#include "effects/progress_tick.h"

namespace marvolin::effects {

// ForEachRunWithTicks for work whose samples do not depend on each other: while this thread
// works through the first half with its ticks, a second thread does the second half, and the
// ticks of that half follow once it is done. The indicator gets the same calls in the same
// order; only their timing changes. `process` must write nothing but its own samples.
template <typename Process>
void ForEachRunWithTicksOnTwoCores(ProgressTick& tick, std::size_t count, Process&& process) {
    // Below this a second thread costs about as much as it saves.
    constexpr std::size_t kWorthASecondThread = std::size_t{1} << 16;
    if (count < kWorthASecondThread) {
        ForEachRunWithTicks(tick, count, process);
        return;
    }
    const std::size_t half = count / 2;
    std::optional<std::jthread> helper;
    try {
        helper.emplace([&process, half, count] { process(half, count); });
    } catch (const std::system_error&) {
        ForEachRunWithTicks(tick, count, process);  // no thread to be had: one core will do
        return;
    }
    ForEachRunWithTicks(tick, half, process);
    helper->join();
    tick.Advance(count - half);
}

}  // namespace marvolin::effects
