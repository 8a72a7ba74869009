// Real files: a spoken sentence from espeak-ng, turned by SoX into every variant the readers
// meet, read by the program and compared sample for sample with SoX's own decoding.
// (The reference is made without dither, which SoX would add when cutting wider samples.)
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "formats/load_sound_file.h"
#include "support/test_files.h"

namespace marvolin::formats {
namespace {

bool ToolExists(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

bool RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// How the program hands a file's frames to its one channel.
enum class Folding { Interleaved, WavLeftChannel };

struct Variant {
    std::string fileName;
    std::string soxOptions;  // written between the input and the output file
    int filterIndex;
    Folding folding = Folding::Interleaved;
};

void PrintTo(const Variant& variant, std::ostream* out) {
    *out << variant.fileName;
}

std::string Describe(const ::testing::TestParamInfo<Variant>& info) {
    std::string name;
    for (char c : info.param.fileName) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

std::vector<std::int16_t> ReadRawSamples(const std::string& path) {
    const std::vector<std::uint8_t> bytes = testing::ReadBytes(path);
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    return samples;
}

std::uint32_t ReadRate(const std::string& path) {
    std::string text;
    FILE* pipe = popen(("sox --i -r " + path).c_str(), "r");
    if (pipe == nullptr) {
        return 0;
    }
    char line[64] = {};
    if (std::fgets(line, sizeof line, pipe) != nullptr) {
        text = line;
    }
    pclose(pipe);
    return static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
}

// The rates an AIFF file's rate is snapped to.
std::uint32_t SnappedAiffRate(std::uint32_t rate) {
    if (rate > 44000) {
        return 44100;
    }
    if (rate > 20000 && rate < 44000) {
        return 22050;
    }
    return rate < 20000 ? 11025 : rate;
}

// A VOC file's rate: a sound block keeps only the time constant, a newer block the rate.
std::uint32_t VocRate(const std::vector<std::uint8_t>& file) {
    const std::size_t block = file[20] | file[21] << 8;
    if (file[block] == 1) {
        return 1000000 / (256 - file[block + 4]);
    }
    return file[block + 4] | file[block + 5] << 8 | file[block + 6] << 16 |
           static_cast<std::uint32_t>(file[block + 7]) << 24;
}

class RealFilesTest : public ::testing::TestWithParam<Variant> {
  protected:
    static void SetUpTestSuite() {
        if (!ToolExists("espeak-ng") || !ToolExists("sox")) {
            return;
        }
        folder_ = new testing::TemporaryFolder;
        if (!RunQuietly("espeak-ng -w " + folder_->File("speech.wav") +
                        " 'Seven fat frogs jumped over the lazy marvolin.'")) {
            delete folder_;
            folder_ = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }

    static testing::TemporaryFolder* folder_;
};

testing::TemporaryFolder* RealFilesTest::folder_ = nullptr;

TEST_P(RealFilesTest, ReadsWhatSoxReads) {
    if (folder_ == nullptr) {
        GTEST_SKIP() << "espeak-ng and sox are needed";
    }
    const Variant& variant = GetParam();
    const std::string file = folder_->File(variant.fileName);
    const std::string reference = file + ".raw";
    ASSERT_TRUE(
        RunQuietly("sox " + folder_->File("speech.wav") + " " + variant.soxOptions + " " + file));
    ASSERT_TRUE(RunQuietly("sox -D " + file + " -t raw -e signed-integer -b 16 -L " + reference));
    const std::vector<std::int16_t> decoded = ReadRawSamples(reference);
    ASSERT_GT(decoded.size(), 1000u);

    LoadResult loaded = LoadSoundFile(file, variant.filterIndex);
    ASSERT_EQ(loaded.status, FileStatus::Ok);
    SoundBuffer sound;
    InstallLoaded(sound, std::move(loaded));

    std::vector<std::int16_t> expected = decoded;
    if (variant.folding == Folding::WavLeftChannel) {
        expected.clear();
        for (std::size_t i = 0; i + 1 < decoded.size(); i += 2) {
            expected.push_back(static_cast<std::int16_t>(decoded[i] & 0xFFFE));
        }
    }
    ASSERT_EQ(sound.samples.size(), expected.size());
    EXPECT_EQ(sound.samples, expected);

    const std::uint32_t rate = ReadRate(file);
    switch (variant.filterIndex) {
        case 2:
            EXPECT_EQ(sound.sampleRate, SnappedAiffRate(rate));
            break;
        case 6:
            EXPECT_EQ(sound.sampleRate, VocRate(testing::ReadBytes(file)));
            break;
        default:
            EXPECT_EQ(sound.sampleRate, rate);
    }
}

std::vector<Variant> AllVariants() {
    std::vector<Variant> variants = {
        {"mono8.wav", "-b 8", 1},
        {"mono16.wav", "-b 16", 1},
        {"stereo8.wav", "-b 8 -c 2", 1, Folding::WavLeftChannel},
        {"stereo16.wav", "-b 16 -c 2", 1, Folding::WavLeftChannel},
        {"mulaw.au", "-e u-law", 3},
        {"linear8.au", "-b 8 -e signed-integer", 3},
        {"linear16.au", "-b 16", 3},
        {"stereo16.au", "-b 16 -c 2", 3},
        {"alaw.au", "-e a-law", 3},
        {"linear24.au", "-b 24", 3},
        {"other.snd", "-b 16", 5},
        {"mulaw.snd", "-e u-law -r 8000", 5},
        {"mono.8svx", "", 4},
        {"mono8.voc", "-b 8", 6},
        {"mono16.voc", "-b 16", 6},
        {"stereo16.voc", "-b 16 -c 2", 6},
    };
    for (int rate : {8000, 11025, 22050, 44100, 48000}) {
        for (int bits : {8, 16}) {
            for (int channels : {1, 2}) {
                variants.push_back({"r" + std::to_string(rate) + "b" + std::to_string(bits) + "c" +
                                        std::to_string(channels) + ".aiff",
                                    "-r " + std::to_string(rate) + " -b " + std::to_string(bits) +
                                        " -c " + std::to_string(channels),
                                    2});
            }
        }
    }
    variants.push_back({"b24.aiff", "-b 24", 2});
    return variants;
}

INSTANTIATE_TEST_SUITE_P(EveryReader, RealFilesTest, ::testing::ValuesIn(AllVariants()), Describe);

}  // namespace
}  // namespace marvolin::formats
