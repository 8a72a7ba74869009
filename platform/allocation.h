#pragma once

#include <cstddef>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

namespace marvolin::platform {

// Tests make allocations fail on purpose to reach the program's memory messages.
class AllocationFailures {
  public:
    // The next `count` allocations fail, after `successesFirst` allocations that succeed.
    static void FailNext(int count = 1, int successesFirst = 0);
    // Every allocation larger than `bytes` fails (0 turns this off).
    static void FailLargerThan(std::size_t bytes);
    static void Reset();
    // Consulted by AllocateBlock; true when this allocation must fail.
    static bool ShouldFail(std::size_t bytes);
};

// Sound blocks of a few megabytes come and go with every effect. By default the C library
// hands each one back to the system when it is freed and takes fresh pages for the next,
// and on a long sound those page faults cost more than the effect itself. This keeps freed
// blocks up to 32 MB in the heap for reuse (at most 64 MB of free memory is kept), and asks
// for huge pages over the first 60 MB of heap, so that even the first effect after start
// faults in 2 MB pages rather than 4 kB ones. Programs call it once at start.
void KeepFreedBlocksForReuse();

// The largest block the program takes: half the machine's memory. The system grants larger
// requests and only fails once the zero fill has touched more pages than it has, by ending
// the program; a file declaring an absurd sample rate must not get that far.
std::size_t LargestBlockBytes();

// A zero-filled block of `count` elements, or nullopt when the memory cannot be had.
template <typename T>
std::optional<std::vector<T>> AllocateBlock(std::size_t count) {
    if (count > std::vector<T>().max_size() || count > LargestBlockBytes() / sizeof(T) ||
        AllocationFailures::ShouldFail(count * sizeof(T))) {
        return std::nullopt;
    }
    try {
        return std::vector<T>(count);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
}

}  // namespace marvolin::platform
