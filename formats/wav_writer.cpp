#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "formats/copyright_note.h"
#include "formats/wav.h"
#include "platform/atomic_file.h"

namespace marvolin::formats {
namespace {

constexpr std::uint32_t kHeaderBytes = 44;
constexpr std::uint32_t kListBytes = 58;  // "LIST", size, "INFO", "ICOP", size, 38 bytes
static_assert(kListBytes == 20 + kCopyrightNote.size() + 1);

class LittleEndianBytes {
  public:
    void Tag(std::string_view tag) { bytes.insert(bytes.end(), tag.begin(), tag.end()); }
    void U16(std::uint16_t value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> Header(std::uint32_t sampleRate, std::uint32_t dataBytes) {
    LittleEndianBytes out;
    out.Tag("RIFF");
    out.U32(dataBytes + kHeaderBytes + kListBytes - 8);
    out.Tag("WAVE");
    out.Tag("fmt ");
    out.U32(16);
    out.U16(1);  // PCM
    out.U16(1);  // one channel
    out.U32(sampleRate);
    // Rates of 2^31 Hz and more would wrap the byte rate; it stays at its largest instead.
    out.U32(static_cast<std::uint32_t>(
        std::min<std::uint64_t>(std::uint64_t{sampleRate} * 2, 0xFFFFFFFFu)));
    out.U16(2);   // bytes per frame
    out.U16(16);  // bits per sample
    out.Tag("data");
    out.U32(dataBytes);
    return out.bytes;
}

std::vector<std::uint8_t> InfoList() {
    LittleEndianBytes out;
    out.Tag("LIST");
    out.U32(kListBytes - 8);
    out.Tag("INFO");
    out.Tag("ICOP");
    out.U32(static_cast<std::uint32_t>(kCopyrightNote.size() + 1));
    out.Tag(kCopyrightNote);
    out.bytes.push_back(0);
    return out.bytes;
}

void WriteSamples(platform::AtomicFileWriter& file, const std::vector<std::int16_t>& samples) {
    constexpr std::size_t kPiece = 32 * 1024;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kPiece * 2);
    for (std::size_t start = 0; start < samples.size() && file.ok(); start += kPiece) {
        const std::size_t end = std::min(samples.size(), start + kPiece);
        bytes.clear();
        for (std::size_t i = start; i < end; ++i) {
            const auto value = static_cast<std::uint16_t>(samples[i]);
            bytes.push_back(static_cast<std::uint8_t>(value));
            bytes.push_back(static_cast<std::uint8_t>(value >> 8));
        }
        file.Write(bytes);
    }
}

}  // namespace

SaveResult SaveWav(const SoundBuffer& sound, std::string path) {
    SaveResult result;
    result.path = std::move(path);
    // Only the file's own name counts: a dot in a folder's name is no extension.
    const std::size_t nameStart = result.path.rfind('/');
    const std::size_t nameDot =
        result.path.find('.', nameStart == std::string::npos ? 0 : nameStart);
    if (nameDot == std::string::npos) {
        result.path += ".wav";
    }
    // The RIFF size field must hold the data and the 94 bytes around it.
    const std::uint64_t dataBytes = std::uint64_t{sound.sampleCount()} * 2;
    if (dataBytes + kHeaderBytes + kListBytes - 8 > std::numeric_limits<std::uint32_t>::max()) {
        result.status = FileStatus::CannotSave;
        result.systemError = EFBIG;
        return result;
    }
    platform::AtomicFileWriter file(result.path);
    file.Write(Header(sound.sampleRate, static_cast<std::uint32_t>(dataBytes)));
    WriteSamples(file, sound.samples);
    file.Write(InfoList());
    if (!file.Commit()) {
        result.status = FileStatus::CannotSave;
        result.systemError = file.systemError();
    }
    return result;
}

}  // namespace marvolin::formats
