// Feeds arbitrary bytes to the AIFF reader and checks what every load must guarantee.
#include <cstddef>
#include <cstdint>

#include "formats/aiff.h"
#include "reader_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    marvolin::fuzzing::LoadAndCheck(&marvolin::formats::LoadAiffFrom, data, size);
    return 0;
}
