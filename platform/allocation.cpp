#include "platform/allocation.h"

#include <atomic>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace marvolin::platform {
namespace {
std::atomic<int> failNext{0};
std::atomic<int> succeedFirst{0};
std::atomic<std::size_t> failLargerThan{0};
}  // namespace

void AllocationFailures::FailNext(int count, int successesFirst) {
    failNext = count;
    succeedFirst = successesFirst;
}

void AllocationFailures::FailLargerThan(std::size_t bytes) {
    failLargerThan = bytes;
}

void AllocationFailures::Reset() {
    failNext = 0;
    succeedFirst = 0;
    failLargerThan = 0;
}

bool AllocationFailures::ShouldFail(std::size_t bytes) {
    if (failNext > 0) {
        if (succeedFirst > 0) {
            --succeedFirst;
            return false;
        }
        --failNext;
        return true;
    }
    const std::size_t limit = failLargerThan;
    return limit != 0 && bytes > limit;
}

void KeepFreedBlocksForReuse() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

}  // namespace marvolin::platform
