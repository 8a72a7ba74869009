// Feeds arbitrary bytes to the AU reader and checks what every load must guarantee.
#include <cstddef>
#include <cstdint>

#include "formats/au.h"
#include "reader_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    marvolin::fuzzing::LoadAndCheck(&marvolin::formats::LoadAuFrom, data, size);
    return 0;
}
