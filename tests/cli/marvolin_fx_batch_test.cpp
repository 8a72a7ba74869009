#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "cli/fx_runner.h"
#include "formats/wav.h"
#include "support/test_files.h"

namespace marvolin::cli {
namespace {

namespace fs = std::filesystem;
using fx_testing::FxProcess;
using fx_testing::FxRun;
using fx_testing::RunFxWith;
using marvolin::testing::ReadText;
using marvolin::testing::TemporaryFolder;

// A second of a voice-like tone whose pitch depends on `which`, so that every file differs.
void WriteVoice(const std::string& path, int which, std::uint32_t rate = 11025) {
    std::vector<std::int16_t> samples;
    for (std::uint32_t i = 0; i < rate; ++i) {
        const double t = double(i) / rate;
        samples.push_back(static_cast<std::int16_t>(
            9000 * std::sin(2 * M_PI * (150 + 20 * which) * t) * (0.6 + 0.4 * std::sin(7 * t))));
    }
    formats::SoundBuffer sound;
    sound.Install(samples);
    sound.sampleRate = rate;
    ASSERT_EQ(formats::SaveWav(sound, path).status, formats::FileStatus::Ok);
}

// Names in the folder starting with a dot: the writer's unfinished temporary files.
std::vector<std::string> HiddenFiles(const std::string& folder) {
    std::vector<std::string> hidden;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with('.')) {
            hidden.push_back(entry.path().string());
        }
    }
    return hidden;
}

bool WaitForHiddenFile(const std::string& folder) {
    for (int i = 0; i < 1000; ++i) {
        if (!HiddenFiles(folder).empty()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(MarvolinFxBatchTest, ParallelResultsAreTheSingleRunsResults) {
    TemporaryFolder folder;
    fs::create_directory(folder.File("out"));
    std::vector<std::string> arguments = {"-j", "2", "--seed", "11", "-d", folder.File("out")};
    for (int i = 0; i < 5; ++i) {
        WriteVoice(folder.File("in" + std::to_string(i) + ".wav"), i);
        arguments.push_back(folder.File("in" + std::to_string(i) + ".wav"));
    }
    // Jamming draws from the random generator: every file starts from the same seed.
    for (const char* effect : {"Transmissions/Jamming", "Robots/Android", "Echoes/Classic"}) {
        arguments.emplace_back(effect);
    }
    const FxRun batch = RunFxWith(folder, arguments);
    ASSERT_EQ(batch.exitStatus, 0) << batch.err;
    EXPECT_EQ(batch.err, "");  // no progress line through a pipe

    for (int i = 0; i < 5; ++i) {
        const std::string name = "in" + std::to_string(i);
        const FxRun single = RunFxWith(
            folder, {"--seed", "11", folder.File(name + ".wav"), "-o", folder.File(name + "-alone"),
                     "Transmissions/Jamming", "-e", "Robots/Android", "Echoes/Classic"});
        ASSERT_EQ(single.exitStatus, 0) << single.err;
        EXPECT_EQ(single.err, "marvolin-fx: saved as " + folder.File(name + "-alone.wav") + "\n");
        EXPECT_EQ(ReadText(folder.File("out/" + name + ".wav")),
                  ReadText(folder.File(name + "-alone.wav")))
            << name;
    }
    EXPECT_NE(ReadText(folder.File("out/in0.wav")), ReadText(folder.File("out/in1.wav")));
}

TEST(MarvolinFxBatchTest, AFailingFileIsNamedAndTheOthersAreStillWritten) {
    TemporaryFolder folder;
    fs::create_directory(folder.File("out"));
    WriteVoice(folder.File("a.wav"), 1);
    WriteVoice(folder.File("c.wav"), 2);
    const FxRun run = RunFxWith(folder, {"-d", folder.File("out"), folder.File("a.wav"),
                                         folder.File("b.wav"), folder.File("c.wav")});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, "marvolin-fx: " + folder.File("b.wav") +
                           ": Error: Marvolin is unable to open this file ! (No such file or "
                           "directory)\n");
    EXPECT_TRUE(fs::exists(folder.File("out/a.wav")));
    EXPECT_FALSE(fs::exists(folder.File("out/b.wav")));
    EXPECT_TRUE(fs::exists(folder.File("out/c.wav")));
}

TEST(MarvolinFxBatchTest, StandardInputToStandardOutput) {
    TemporaryFolder folder;
    WriteVoice(folder.File("in.wav"), 3);
    fs::create_directory(folder.File("scratch"));
    const FxProcess::Options fromFile{
        folder.File("in.wav"), false, {"TMPDIR=" + folder.File("scratch")}};
    const FxRun piped = RunFxWith(folder, {"-", "-o", "-", "Echoes/Classic"}, fromFile);
    ASSERT_EQ(piped.exitStatus, 0) << piped.err;
    ASSERT_EQ(RunFxWith(folder, {folder.File("in.wav"), folder.File("file.wav"), "Echoes/Classic"})
                  .exitStatus,
              0);
    EXPECT_EQ(piped.out, ReadText(folder.File("file.wav")));
    EXPECT_TRUE(fs::is_empty(folder.File("scratch")));  // the private copies are gone

    // Another type on standard output, then read back from standard input by its content.
    const FxRun flac = RunFxWith(folder, {"-t", "flac", "-", "-"}, fromFile);
    ASSERT_EQ(flac.exitStatus, 0) << flac.err;
    EXPECT_EQ(flac.out.substr(0, 4), "fLaC");
    marvolin::testing::WriteText(folder.File("piped.flac"), flac.out);
    const FxRun back =
        RunFxWith(folder, {"-", "-o", folder.File("back.wav")},
                  {folder.File("piped.flac"), false, {"TMPDIR=" + folder.File("scratch")}});
    ASSERT_EQ(back.exitStatus, 0) << back.err;
    EXPECT_EQ(ReadText(folder.File("back.wav")), ReadText(folder.File("in.wav")));  // lossless

    const FxRun empty = RunFxWith(folder, {"-", "-o", folder.File("none.wav")});
    EXPECT_EQ(empty.exitStatus, 1);
    EXPECT_EQ(empty.err.find("marvolin-fx: standard input: Error:"), 0u) << empty.err;
}

TEST(MarvolinFxBatchTest, TheOutputsExtensionChoosesItsType) {
    TemporaryFolder folder;
    WriteVoice(folder.File("in.wav"), 0, 16000);
    struct Case {
        std::vector<std::string> arguments;
        std::string written;
        std::size_t offset;
        std::string magic;
    };
    fs::create_directory(folder.File("sub.d"));
    const Case cases[] = {
        {{"-o", folder.File("x.flac")}, "x.flac", 0, "fLaC"},
        {{"-o", folder.File("x.OGG")}, "x.OGG", 0, "OggS"},
        {{"-o", folder.File("x.opus")}, "x.opus", 0, "OggS"},
        {{"-o", folder.File("x.m4a")}, "x.m4a", 4, "ftyp"},
        {{"-o", folder.File("x.mp3")}, "x.mp3", 0, "ID3"},
        {{"-t", "opus", "-o", folder.File("x.data")}, "x.data", 0, "OggS"},
        {{"-t", "mp3", "-o", folder.File("noname")}, "noname.mp3", 0, "ID3"},
        {{"-o", folder.File("sub.d/out")}, "sub.d/out.wav", 0, "RIFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.begin(), {"-q", folder.File("in.wav")});
        const FxRun run = RunFxWith(folder, arguments);
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(ReadText(folder.File(c.written)).substr(c.offset, c.magic.size()), c.magic);
    }
}

TEST(MarvolinFxBatchTest, TheInputsContentChoosesTheReader) {
    TemporaryFolder folder;
    WriteVoice(folder.File("in.wav"), 4);
    fs::copy_file(folder.File("in.wav"), folder.File("memo.aifc"));
    fs::copy_file(folder.File("in.wav"), folder.File("memo"));
    for (const char* name : {"memo.aifc", "memo"}) {
        SCOPED_TRACE(name);
        const FxRun run = RunFxWith(folder, {folder.File(name), "-o", folder.File("out.wav")});
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(ReadText(folder.File("out.wav")), ReadText(folder.File("in.wav")));
    }
}

TEST(MarvolinFxBatchTest, OutputsThatCannotBeWrittenAreRefusedBeforeAnyWork) {
    TemporaryFolder folder;
    WriteVoice(folder.File("in.wav"), 5);
    fs::create_directory(folder.File("in"));
    fs::create_directory(folder.File("folder"));
    struct Case {
        std::vector<std::string> arguments;
        int exitStatus;
        std::string message;
    };
    const std::string in = folder.File("in.wav");
    const Case cases[] = {
        {{in, "-o", folder.File("out.aiff")}, 1, "out.aiff: cannot write \".aiff\" files"},
        {{in, "-o", folder.File("folder")}, 1, "folder: is a folder"},
        {{in, "-o", folder.File("folder/")}, 1, "is a folder"},
        {{in, "-o", ""}, 1, "the output name is empty"},
        {{in, "-d", folder.File("missing")}, 1, "missing: no such folder"},
        {{in, "-d", in}, 1, "in.wav: is not a folder"},
        {{in, folder.File("in/../in.wav"), "-d", folder.File("folder")}, 2, "would both be"},
        {{in, in, "-o", folder.File("x.wav")}, 2, "-o takes one INPUT"},
        {{in, "-o", folder.File("x.wav"), "Echoes/Clasic"}, 1, "unknown effect: Echoes/Clasic"},
        {{"-", "-d", folder.File("folder")}, 2, "standard input"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const FxRun run = RunFxWith(folder, c.arguments);
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    // Nothing at all was written anywhere.
    EXPECT_TRUE(fs::is_empty(folder.File("folder")));
    EXPECT_FALSE(fs::exists(folder.File("x.wav")));
    EXPECT_FALSE(fs::exists(folder.File("out.aiff")));
    EXPECT_FALSE(fs::exists(folder.File("out.aiff.wav")));
}

TEST(MarvolinFxBatchTest, NoClobberKeepsExistingOutputsAndForceReplacesThem) {
    TemporaryFolder folder;
    WriteVoice(folder.File("in.wav"), 6);
    fs::create_directory(folder.File("out"));
    marvolin::testing::WriteText(folder.File("out/in.wav"), "keep me");
    const FxRun kept =
        RunFxWith(folder, {"--no-clobber", folder.File("in.wav"), "-d", folder.File("out")});
    EXPECT_EQ(kept.exitStatus, 0);
    EXPECT_NE(kept.err.find("out/in.wav: exists already; kept"), std::string::npos) << kept.err;
    EXPECT_EQ(ReadText(folder.File("out/in.wav")), "keep me");

    // The last of the two counts; replacing is the default.
    const FxRun forced =
        RunFxWith(folder, {"-n", "--force", folder.File("in.wav"), "-d", folder.File("out")});
    EXPECT_EQ(forced.exitStatus, 0) << forced.err;
    EXPECT_EQ(ReadText(folder.File("out/in.wav")), ReadText(folder.File("in.wav")));
}

TEST(MarvolinFxBatchTest, WritingThroughASymlinkWritesItsTarget) {
    TemporaryFolder folder;
    WriteVoice(folder.File("in.wav"), 7);
    fs::create_directory(folder.File("real"));
    marvolin::testing::WriteText(folder.File("real/target.wav"), "old");
    fs::create_symlink(folder.File("real/target.wav"), folder.File("link.wav"));
    const FxRun run = RunFxWith(folder, {folder.File("in.wav"), "-o", folder.File("link.wav")});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(folder.File("link.wav")));
    EXPECT_EQ(ReadText(folder.File("real/target.wav")), ReadText(folder.File("in.wav")));
}

TEST(MarvolinFxBatchTest, VersionAndTheMachineReadableList) {
    TemporaryFolder folder;
    const FxRun version = RunFxWith(folder, {"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out.find("marvolin-fx "), 0u);

    const FxRun json = RunFxWith(folder, {"--list", "--json"});
    EXPECT_EQ(json.exitStatus, 0);
    std::size_t objects = 0;
    for (std::size_t at = 0; (at = json.out.find("{\"category\": ", at)) != std::string::npos;
         ++at) {
        ++objects;
    }
    EXPECT_EQ(objects, 40u);
    EXPECT_EQ(json.out.front(), '[');
    EXPECT_NE(json.out.find(R"({"category": "Echoes", "name": "Classic", "routines": )"
                            R"(["Echoes<kClassicEchoes>"]})"),
              std::string::npos);
    EXPECT_NE(
        json.out.find(R"("name": "Flanger", "routines": ["Flange<kFirstThirdOfProgress>", )"
                      R"("Flange<kSecondThirdOfProgress>", "Flange<kLastThirdOfProgress>"]})"),
        std::string::npos);
}

// A stop signal in the middle of a save: the temporary file goes, the old file stays, and the
// program ends by that signal.
TEST(MarvolinFxBatchTest, AStopDuringASaveLeavesNothingBehind) {
    TemporaryFolder folder;
    WriteVoice(folder.File("in.wav"), 8);
    marvolin::testing::WriteText(folder.File("old.wav"), "the old file");
    FxProcess single(folder,
                     {folder.File("in.wav"), "-o", folder.File("old.wav"), "Echoes/Classic"},
                     {"/dev/null", true, {}});
    ASSERT_TRUE(WaitForHiddenFile(folder.path()));
    ::kill(single.pid(), SIGINT);
    const int status = single.Wait();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_EQ(HiddenFiles(folder.path()), std::vector<std::string>{});
    EXPECT_EQ(ReadText(folder.File("old.wav")), "the old file");
}

TEST(MarvolinFxBatchTest, AStopDuringABatchStopsEveryFile) {
    TemporaryFolder folder;
    fs::create_directory(folder.File("out"));
    std::vector<std::string> arguments = {"-j", "2", "-d", folder.File("out")};
    for (int i = 0; i < 4; ++i) {
        WriteVoice(folder.File("in" + std::to_string(i) + ".wav"), i);
        arguments.push_back(folder.File("in" + std::to_string(i) + ".wav"));
    }
    FxProcess batch(folder, arguments, {"/dev/null", true, {}});
    ASSERT_TRUE(WaitForHiddenFile(folder.File("out")));
    ::kill(batch.pid(), SIGTERM);
    const int status = batch.Wait();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_TRUE(fs::is_empty(folder.File("out")));
}

TEST(MarvolinFxBatchTest, AStopWhileWritingStandardOutputRemovesTheScratchCopies) {
    TemporaryFolder folder;
    WriteVoice(folder.File("in.wav"), 9);
    fs::create_directory(folder.File("scratch"));
    FxProcess piped(folder, {"-", "-"},
                    {folder.File("in.wav"), true, {"TMPDIR=" + folder.File("scratch")}});
    bool saving = false;
    for (int i = 0; i < 1000 && !saving; ++i) {
        for (const auto& entry : fs::recursive_directory_iterator(folder.File("scratch"))) {
            saving = saving || entry.path().filename().string().starts_with(".standard-output");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(saving);
    ::kill(piped.pid(), SIGHUP);
    const int status = piped.Wait();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGHUP) << status;
    EXPECT_TRUE(fs::is_empty(folder.File("scratch")));
    EXPECT_EQ(piped.out(), "");
}

}  // namespace
}  // namespace marvolin::cli
