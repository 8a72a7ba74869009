#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/fx_runner.h"
#include "effects/effect_frame.h"
#include "effects/routine_test_support.h"
#include "formats/wav.h"
#include "support/test_files.h"

namespace marvolin::cli {
namespace {

using testing::ReadText;
using testing::TemporaryFolder;

using RunResult = fx_testing::FxRun;

RunResult RunFx(const TemporaryFolder& folder, const std::vector<std::string>& arguments) {
    return fx_testing::RunFxWith(folder, arguments);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void WriteWav(const std::string& path, const std::vector<std::int16_t>& samples,
              std::uint32_t rate) {
    formats::SoundBuffer sound;
    sound.Install(samples);
    sound.sampleRate = rate;
    ASSERT_EQ(formats::SaveWav(sound, path).status, formats::FileStatus::Ok);
}

// The frame alone: in as a float times the scale nearest 1/32767, out times 32700, truncated.
std::int16_t FramePass(std::int16_t sample) {
    const float entered = static_cast<float>(double(sample) * double(3.0518509e-5f));
    return static_cast<std::int16_t>(std::trunc(double(entered) * 32700.0));
}

TEST(MarvolinFxTest, ListsTheFortyEffectsInButtonOrder) {
    TemporaryFolder folder;
    const RunResult run = RunFx(folder, {"--list"});
    EXPECT_EQ(run.exitStatus, 0);
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines.front(), "Acoustics/Airport");
    EXPECT_EQ(lines[6], "Aliens/E.T.");
    EXPECT_EQ(lines.back(), "Volumes/Tremolos");
}

formats::SoundBuffer ReadWav(const std::string& path) {
    formats::LoadResult loaded = formats::LoadWav(path);
    EXPECT_EQ(loaded.status, formats::FileStatus::Ok);
    return std::move(loaded.sound);
}

TEST(MarvolinFxTest, AppliesAnEffectAndWritesAWav) {
    TemporaryFolder folder;
    const std::vector<std::int16_t> input = {0, 1, -1, 2, 100, -100, 32767, -32768, 12345};
    WriteWav(folder.File("in.WAV"), input, 16000);
    const std::string output = folder.File("out.wav");

    const RunResult run =
        RunFx(folder, {"--seed", "7", folder.File("in.WAV"), output, "robots/ANDROID"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");  // not a terminal: no progress bar

    const formats::SoundBuffer written = ReadWav(output);
    // The file holds what the effect frame makes of the input.
    formats::SoundBuffer expected;
    expected.Install(input);
    expected.sampleRate = 16000;
    formats::SoundBuffer undo;
    effects::testing::RecordingHost effectHost;
    effects::RoutineMemory memory;
    ASSERT_TRUE(effects::ApplyEffect(expected, undo, 5, 8, effectHost, memory));
    EXPECT_NE(expected.samples, input);
    EXPECT_EQ(written.samples, expected.samples);
    EXPECT_EQ(written.sampleRate, 16000u);
}

TEST(MarvolinFxTest, JammingRepeatsItsBurstsForTheSameSeed) {
    TemporaryFolder folder;
    std::vector<std::int16_t> input;
    for (int i = 0; i < 12000; ++i) {  // 1.5 s at 8000 Hz: one burst
        input.push_back(static_cast<std::int16_t>(8000 * std::sin(i * 0.05)));
    }
    WriteWav(folder.File("in.wav"), input, 8000);
    auto jam = [&](const std::string& seed, const std::string& name) {
        const RunResult run = RunFx(folder, {"--seed", seed, folder.File("in.wav"),
                                             folder.File(name), "Transmissions/Jamming"});
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        return ReadWav(folder.File(name)).samples;
    };
    const auto first = jam("5", "first.wav");
    EXPECT_EQ(jam("5", "again.wav"), first);
    EXPECT_NE(jam("6", "other.wav"), first);

    ASSERT_EQ(first.size(), input.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < input.size(); ++i) {
        changed += first[i] != FramePass(input[i]) ? 1 : 0;
    }
    EXPECT_GT(changed, 3000u);  // a burst of 4000 samples, some of them matching by chance
}

TEST(MarvolinFxTest, FailuresPrintTheMessageAndLeaveNoOutput) {
    TemporaryFolder folder;
    WriteWav(folder.File("in.wav"), {1, 2, 3}, 8000);
    testing::WriteText(folder.File("text.wav"), "not a sound");
    struct Case {
        std::vector<std::string> arguments;
        int exitStatus;
        std::string message;
    };
    const std::string out = folder.File("out.wav");
    const Case cases[] = {
        {{folder.File("in.wav"), out, "Echoes/Classic", "Echoes/Nope"},
         1,
         "unknown effect: Echoes/Nope"},
        {{folder.File("missing.wav"), out},
         1,
         "missing.wav: Error: Marvolin is unable to open this file ! (No such file or "
         "directory)\n"},
        {{folder.File("text.wav"), out, "Aliens/E.T."}, 1, "Error: This is not a .WAV file !\n"},
        {{"--reader", "au", folder.File("text.wav"), out},
         1,
         "Error: This file is damaged or incomplete !\n"},
        {{folder.File("in.wav"), folder.File("no-such-folder/out.wav")},
         1,
         "no-such-folder/out.wav: Error: Unable to save this file ! (No such file or "
         "directory)\n"},
        {{folder.File("in.wav")}, 2, "usage: marvolin-fx"},
        {{"--frobnicate", folder.File("in.wav"), out}, 2, "unknown option --frobnicate"},
        {{"--seed", "-3", folder.File("in.wav"), out}, 2, "--seed"},
        {{"--seed", "4294967296", folder.File("in.wav"), out}, 2, "--seed"},
        {{"--seed"}, 2, "--seed needs a value"},
        {{"--reader", "mp3", folder.File("in.wav"), out}, 2, "unknown reader"},
        {{folder.File(""), out}, 1, "Marvolin is unable to open this file ! (Is a directory)"},
        {{"--list", "extra"}, 2, "usage: marvolin-fx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const RunResult run = RunFx(folder, c.arguments);
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST(MarvolinFxTest, ReaderOptionOverridesTheExtensionAndNoEffectConverts) {
    TemporaryFolder folder;
    WriteWav(folder.File("in.wav"), {1000, -1000}, 11025);
    std::filesystem::rename(folder.File("in.wav"), folder.File("sound.data"));
    const std::string output = folder.File("converted.wav");

    const RunResult run =
        RunFx(folder, {"--quiet", "--reader", "WAV", folder.File("sound.data"), output});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(output));

    const RunResult help = RunFx(folder, {"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_NE(help.out.find("--seed N"), std::string::npos);
}

// Each extension goes to its reader: one tiny file per format, converted without effects.
TEST(MarvolinFxTest, TheExtensionChoosesTheReader) {
    using testing::Bytes;
    const auto aiff = Bytes()
                          .Tag("FORM")
                          .U32BE(46)
                          .Tag("AIFF")
                          .Tag("COMM")
                          .U32BE(18)
                          .U16BE(1)
                          .U32BE(2)
                          .U16BE(16)
                          .Append({0x40, 0x0D, 0xAC, 0x44, 0, 0, 0, 0, 0, 0})
                          .Tag("SSND")
                          .U32BE(12)
                          .U32BE(0)
                          .U32BE(0)
                          .U16BE(0x1234)
                          .U16BE(0xFFFE)
                          .data;
    const auto au = Bytes()
                        .Tag(".snd")
                        .U32BE(24)
                        .U32BE(4)
                        .U32BE(3)
                        .U32BE(8000)
                        .U32BE(1)
                        .U16BE(0x1234)
                        .U16BE(0xFFFE)
                        .data;
    const auto svx = Bytes()
                         .Tag("FORM")
                         .U32BE(42)
                         .Tag("8SVX")
                         .Tag("VHDR")
                         .U32BE(20)
                         .U32BE(2)
                         .U32BE(0)
                         .U32BE(0)
                         .U16BE(8363)
                         .U8(1)
                         .U8(0)
                         .U32BE(0x10000)
                         .Tag("BODY")
                         .U32BE(2)
                         .U8(0x12)
                         .U8(0x80)
                         .data;
    const auto voc = Bytes()
                         .Tag("Crea")
                         .Tag("tive")
                         .Tag(" Voi")
                         .Tag("ce F")
                         .Tag("ile\x1A")
                         .U16LE(26)
                         .U16LE(0x010A)
                         .U16LE(0x1129)
                         .U8(1)
                         .U8(4)
                         .U8(0)
                         .U8(0)
                         .U8(156)
                         .U8(0)
                         .U8(0x80)
                         .U8(0xFF)
                         .U8(0)
                         .data;
    struct Case {
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::vector<std::int16_t> samples;
        std::uint32_t rate;
    };
    const Case cases[] = {
        {"in.aif", aiff, {0x1234, -2}, 22050},   {"in.AIFF", aiff, {0x1234, -2}, 22050},
        {"in.au", au, {0x1234, -2}, 8000},       {"in.snd", au, {0x1234, -2}, 8000},
        {"in.iff", svx, {0x1200, -32768}, 8363}, {"in.8svx", svx, {0x1200, -32768}, 8363},
        {"in.voc", voc, {0, 32512}, 10000},
    };
    TemporaryFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::WriteBytes(folder.File(c.name), c.bytes);
        const std::string output = folder.File(c.name + ".wav");
        const RunResult run = RunFx(folder, {folder.File(c.name), output});
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        const formats::SoundBuffer written = ReadWav(output);
        EXPECT_EQ(written.samples, c.samples);
        EXPECT_EQ(written.sampleRate, c.rate);
    }
}

}  // namespace
}  // namespace marvolin::cli
