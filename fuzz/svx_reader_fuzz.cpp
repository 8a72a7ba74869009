// Feeds arbitrary bytes to the 8SVX reader and checks what every load must guarantee. A
// Fibonacci-delta BODY gives two samples a byte, so the sound may hold up to twice as many
// samples as the file holds bytes.
#include <cstddef>
#include <cstdint>

#include "formats/svx.h"
#include "reader_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    marvolin::fuzzing::LoadAndCheck(marvolin::formats::Load8svxFrom, data, size, 2);
    return 0;
}
