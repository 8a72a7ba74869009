// Feeds arbitrary bytes to the VOC reader and checks what every load must guarantee.
#include <cstddef>
#include <cstdint>

#include "formats/voc.h"
#include "reader_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    marvolin::fuzzing::LoadAndCheck(&marvolin::formats::LoadVocFrom, data, size);
    return 0;
}
