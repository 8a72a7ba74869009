// The benchmarks' main: the programs keep freed sound blocks for reuse, and so do they.
#include <benchmark/benchmark.h>

#include "platform/allocation.h"

int main(int argc, char** argv) {
    marvolin::platform::KeepFreedBlocksForReuse();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
