// Loading a 1,000,000-sample sound (the longest recording) with every reader, from memory so
// that the disk plays no part, and saving it as WAV.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "formats/aiff.h"
#include "formats/au.h"
#include "formats/svx.h"
#include "formats/voc.h"
#include "formats/wav.h"
#include "speech_like.h"
#include "support/test_files.h"

namespace marvolin::bench {
namespace {

constexpr std::size_t kSamples = 1000000;

using testing::Bytes;

const std::vector<std::int16_t>& Speech() {
    static const std::vector<std::int16_t> speech = SpeechLike(kSamples);
    return speech;
}

std::vector<std::uint8_t> Wav16(unsigned channels) {
    const std::uint32_t bytes = kSamples * 2;
    Bytes file;
    file.Tag("RIFF").U32LE(bytes + 36).Tag("WAVE").Tag("fmt ").U32LE(16).U16LE(1);
    file.U16LE(channels).U32LE(22050).U32LE(22050 * 2 * channels).U16LE(2 * channels).U16LE(16);
    file.Tag("data").U32LE(bytes);
    for (const std::int16_t sample : Speech()) {
        file.U16LE(static_cast<std::uint16_t>(sample));
    }
    return file.data;
}

std::vector<std::uint8_t> Aiff16Stereo() {
    const std::uint32_t bytes = kSamples * 2;
    Bytes file;
    file.Tag("FORM").U32BE(bytes + 46).Tag("AIFF").Tag("COMM").U32BE(18).U16BE(2);
    file.U32BE(kSamples / 2).U16BE(16);
    for (const std::uint8_t b : {0x40, 0x0D, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}) {
        file.U8(b);
    }
    file.Tag("SSND").U32BE(bytes + 8).U32BE(0).U32BE(0);
    for (const std::int16_t sample : Speech()) {
        file.U16BE(static_cast<std::uint16_t>(sample));
    }
    return file.data;
}

std::vector<std::uint8_t> AuMuLaw() {
    Bytes file;
    file.Tag(".snd").U32BE(24).U32BE(kSamples).U32BE(1).U32BE(8000).U32BE(1);
    for (const std::int16_t sample : Speech()) {
        file.U8(static_cast<std::uint8_t>(sample >> 8));
    }
    return file.data;
}

std::vector<std::uint8_t> Svx8() {
    Bytes file;
    file.Tag("FORM").U32BE(kSamples + 40).Tag("8SVX").Tag("VHDR").U32BE(20);
    file.U32BE(kSamples).U32BE(0).U32BE(0).U16BE(8363).U8(1).U8(0).U32BE(0x10000);
    file.Tag("BODY").U32BE(kSamples);
    for (const std::int16_t sample : Speech()) {
        file.U8(static_cast<std::uint8_t>(sample >> 8));
    }
    return file.data;
}

// 8-bit VOC in sound blocks of 4000 samples, the way recorders often split them.
std::vector<std::uint8_t> Voc8() {
    Bytes file;
    file.Tag("Creative Voice File\x1A");
    file.U16LE(26).U16LE(0x010A).U16LE(0x1129);
    constexpr std::size_t kRun = 4000;
    for (std::size_t start = 0; start < kSamples; start += kRun) {
        const std::uint32_t length = kRun + 2;
        file.U8(1).U8(length & 0xFF).U8(length >> 8 & 0xFF).U8(length >> 16).U8(156).U8(0);
        for (std::size_t i = start; i < start + kRun; ++i) {
            file.U8(static_cast<std::uint8_t>((Speech()[i] >> 8) + 128));
        }
    }
    file.U8(0);
    return file.data;
}

using Loader = formats::LoadResult (*)(formats::ByteSource&);

void Load(benchmark::State& state, Loader load, std::vector<std::uint8_t> (*make)()) {
    const std::vector<std::uint8_t> file = make();
    for (auto _ : state) {
        formats::MemoryByteSource source(file);
        formats::LoadResult loaded = load(source);
        benchmark::DoNotOptimize(loaded.sound.samples.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

BENCHMARK_CAPTURE(Load, WavMono16, formats::LoadWavFrom, [] {
    return Wav16(1);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, WavStereo16, formats::LoadWavFrom, [] {
    return Wav16(2);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, AiffStereo16, formats::LoadAiffFrom, Aiff16Stereo)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, AuMuLaw, formats::LoadAuFrom, AuMuLaw)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, Svx8, formats::Load8svxFrom, Svx8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, VocBlocks8, formats::LoadVocFrom, Voc8)->Unit(benchmark::kMillisecond);

void SaveWav(benchmark::State& state) {
    formats::SoundBuffer sound;
    sound.Install(Speech());
    const testing::TemporaryFolder folder;
    for (auto _ : state) {
        const formats::SaveResult saved = formats::SaveWav(sound, folder.File("saved.wav"));
        benchmark::DoNotOptimize(saved.status);
    }
}
BENCHMARK(SaveWav)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marvolin::bench
