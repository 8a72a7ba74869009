// Feeds arbitrary bytes to the FFmpeg decoder and checks what every decode must guarantee: a
// decoded sound has a block, a rate up to the highest accepted and no more samples than the
// limit; a refusal hands back no block. The limit is small so that a runaway decode shows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "formats/byte_source.h"
#include "formats/ffmpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marvolin::formats;
    constexpr std::uint32_t kLimit = 1u << 22;
    MemoryByteSource source(std::span<const std::uint8_t>(data, size));
    const LoadResult result = LoadWithFfmpegFrom(source, DecodeLimits{kLimit});
    const bool held = result.ok() ? result.sound.hasBlock && result.sound.sampleRate > 0 &&
                                        result.sound.sampleRate <= kHighestDecodedRate &&
                                        result.sound.samples.size() <= kLimit &&
                                        !result.sound.samples.empty()
                                  : !result.sound.hasBlock && result.sound.samples.empty();
    if (!held) {
        std::abort();
    }
    return 0;
}
