// Opening and saving a 45-second voice memo in each everyday format through FFmpeg's
// libraries. The memo is spoken by espeak-ng and encoded by the ffmpeg command line once, at
// start; opening reads the file from the page cache, saving writes through the page cache.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "formats/ffmpeg_decoder.h"
#include "formats/ffmpeg_encoder.h"
#include "support/test_files.h"

namespace marvolin::bench {
namespace {

bool Run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// The memo: 45 s of speech at 22050 Hz, and its encodings.
class Memo {
  public:
    Memo() {
        const std::string phrase = folder_.File("phrase.wav");
        ok_ = Run("espeak-ng -w " + phrase +
                  " 'The quick brown fox jumps over the lazy dog. A recorded voice, a little "
                  "reverb, and a robot answers back from the other side of the room.'") &&
              Run("sox " + phrase + " -r 22050 -c 1 -b 16 " + wav() + " repeat 12 trim 0 45");
        for (const char* name : {"opus", "mp3", "flac", "ogg", "m4a"}) {
            ok_ = ok_ && Run("ffmpeg -v error -y -i " + wav() + " " + File(name));
        }
        if (ok_) {
            sound_ = formats::LoadWithFfmpeg(wav()).sound;
        }
    }
    bool ok() const { return ok_; }
    std::string wav() const { return folder_.File("memo.wav"); }
    std::string File(const std::string& extension) const {
        return folder_.File("memo." + extension);
    }
    std::string Output(const std::string& extension) const {
        return folder_.File("saved." + extension);
    }
    const formats::SoundBuffer& sound() const { return sound_; }

  private:
    testing::TemporaryFolder folder_;
    formats::SoundBuffer sound_;
    bool ok_ = false;
};

const Memo& TheMemo() {
    static const Memo memo;
    return memo;
}

void Open(benchmark::State& state, const std::string& extension) {
    if (!TheMemo().ok()) {
        state.SkipWithError("espeak-ng, sox and ffmpeg are needed");
        return;
    }
    const std::string path = TheMemo().File(extension);
    for (auto _ : state) {
        formats::LoadResult result = formats::LoadWithFfmpeg(path);
        benchmark::DoNotOptimize(result.sound.samples.data());
        if (!result.ok()) {
            state.SkipWithError("the memo did not open");
        }
    }
}

void Save(benchmark::State& state, formats::SaveFormat format) {
    if (!TheMemo().ok()) {
        state.SkipWithError("espeak-ng, sox and ffmpeg are needed");
        return;
    }
    const std::string extension(formats::EntryOf(format).extension);
    for (auto _ : state) {
        const formats::SaveResult result =
            formats::SaveEncoded(TheMemo().sound(), TheMemo().Output(extension), format, "Memo");
        if (!result.ok()) {
            state.SkipWithError("the memo was not saved");
        }
    }
}

BENCHMARK_CAPTURE(Open, Opus, std::string("opus"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, Mp3, std::string("mp3"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, Flac, std::string("flac"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, Vorbis, std::string("ogg"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, M4a, std::string("m4a"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, Opus, formats::SaveFormat::Opus)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, Mp3, formats::SaveFormat::Mp3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, Flac, formats::SaveFormat::Flac)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, Vorbis, formats::SaveFormat::Vorbis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, M4a, formats::SaveFormat::M4a)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marvolin::bench
