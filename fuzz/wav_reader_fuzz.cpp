// Feeds arbitrary bytes to the WAV reader. Besides the sanitizers, it checks what every load
// must guarantee: the wait cursor is balanced, at most one message is shown, a sound is
// installed exactly when nothing went wrong, and it never holds more samples than the file
// holds bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "formats/byte_source.h"
#include "formats/wav.h"

namespace {

using namespace marvolin;

class CountingBoxes : public platform::MessageBoxes {
  public:
    platform::MessageAnswer Show(std::string_view, std::string_view, platform::MessageIcon,
                                 platform::MessageButtons) override {
        ++shown;
        return platform::MessageAnswer::Ok;
    }
    int shown = 0;
};

class DepthCursor : public platform::Cursor {
  public:
    void PushWait() override { ++depth; }
    void Restore() override { --depth; }
    int depth = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CountingBoxes boxes;
    DepthCursor cursor;
    formats::FileHost host{boxes, cursor};
    formats::MemoryByteSource source(std::span<const std::uint8_t>(data, size));
    formats::SoundBuffer sound;
    formats::LoadWavFrom(host, sound, source);

    if (cursor.depth != 0 || boxes.shown > 1 || sound.hasBlock != (boxes.shown == 0) ||
        sound.samples.size() > size) {
        std::abort();
    }
    return 0;
}
