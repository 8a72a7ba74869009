#include "platform/allocation.h"

#include <atomic>
#include <cstdint>

#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>

#include <array>
#include <cstdlib>
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

std::size_t LargestBlockBytes() {
    static const std::size_t largest = [] {
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGE_SIZE);
        if (pages <= 0 || pageSize <= 0) {
            return SIZE_MAX;  // unknown: only the system's own refusal applies
        }
        return static_cast<std::size_t>(pages) / 2 * static_cast<std::size_t>(pageSize);
    }();
    return largest;
}

void KeepFreedBlocksForReuse() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#if defined(MADV_HUGEPAGE)
    // Grow the heap by the memory a long sound and its effect need, ask for huge pages over
    // it, and give it back to the heap (it stays there, below the trim threshold). A block
    // then costs one page fault per 2 MB instead of one per 4 kB when it is first written.
    constexpr std::size_t kPiece = 20 * 1024 * 1024;
    constexpr std::uintptr_t kHugePage = 2 * 1024 * 1024;
    std::array<void*, 3> pieces{};
    for (void*& piece : pieces) {
        piece = std::malloc(kPiece);
    }
    if (pieces.front() != nullptr && pieces.back() != nullptr) {
        const auto first = reinterpret_cast<std::uintptr_t>(pieces.front());
        const auto last = reinterpret_cast<std::uintptr_t>(pieces.back()) + kPiece;
        const std::uintptr_t begin = (first + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t end = last & ~(kHugePage - 1);
        if (last > first && end > begin) {
            madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
        }
    }
    for (void* piece : pieces) {
        std::free(piece);
    }
#endif
#endif
}

}  // namespace marvolin::platform
