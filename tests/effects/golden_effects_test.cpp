#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "effects/effect_frame.h"
#include "effects/effect_matrix.h"
#include "effects/random_generator.h"
#include "effects/routine_test_support.h"
#include "formats/sound_buffer.h"

namespace marvolin::effects {
namespace {

constexpr const char* kTablePath = MARVOLIN_SOURCE_DIR "/tests/effects/golden_effects.txt";
constexpr std::uint32_t kSeed = 20240607;
constexpr std::uint32_t kRates[] = {8000, 22050, 44100};

// 64-bit FNV-1a over little-endian values.
class Fnv1a {
  public:
    void Add(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            hash_ ^= (value >> (8 * i)) & 0xFF;
            hash_ *= 0x100000001B3ull;
        }
    }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

// Three seconds of something like speech, in integers only so that the input itself never
// depends on the C library: syllables of 250 ms (200 ms voiced with a triangular envelope,
// then a pause), a sawtooth whose period changes with each syllable, a pulse train an octave
// up and some LCG noise.
std::vector<std::int16_t> IntegerVoice(std::uint32_t rate) {
    const std::uint32_t count = 3 * rate;
    const std::uint32_t syllable = rate / 4;
    const std::uint32_t voiced = rate / 5;
    std::vector<std::int16_t> samples(count);
    std::uint32_t noise = 987654321u;
    std::uint32_t phase = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t index = i / syllable;
        const std::uint32_t within = i % syllable;
        const std::uint32_t pitch = 90 + (index * 37) % 130;  // 90..219 Hz
        const std::uint32_t period = rate / pitch;
        phase = (phase + 1) % period;
        const std::int32_t saw = static_cast<std::int32_t>(phase * 2000 / period) - 1000;
        const std::int32_t pulse = (phase % (period / 2 + 1)) < period / 8 ? 600 : -150;
        noise = noise * 1664525u + 1013904223u;
        const std::int32_t hiss = static_cast<std::int32_t>(noise >> 22) - 512;  // -512..511
        std::int32_t envelope = 0;                                               // 0..1000
        if (within < voiced) {
            envelope = static_cast<std::int32_t>(
                within < voiced / 2 ? within * 2000 / voiced : (voiced - within) * 2000 / voiced);
        }
        const std::int32_t value = (saw * 14 + pulse * 10 + hiss * 3) * envelope / 1000;
        samples[i] = static_cast<std::int16_t>(value);
    }
    return samples;
}

struct Pin {
    std::size_t length;
    std::uint64_t floatsHash;
    std::uint64_t samplesHash;
    std::uint64_t progressHash;
    std::size_t progressCalls;
};

std::string Key(const EffectEntry& entry, std::uint32_t rate) {
    return std::to_string(rate) + " " + entry.FullName();
}

std::string FormatLine(const std::string& key, const Pin& pin) {
    char text[160];
    std::snprintf(text, sizeof text, "%zu %016llx %016llx %016llx %zu", pin.length,
                  static_cast<unsigned long long>(pin.floatsHash),
                  static_cast<unsigned long long>(pin.samplesHash),
                  static_cast<unsigned long long>(pin.progressHash), pin.progressCalls);
    // The rate first and the name last: effect names contain spaces.
    const std::size_t space = key.find(' ');
    return key.substr(0, space) + " " + text + " " + key.substr(space + 1);
}

// The working buffer's float bits at the end of the routines: a 16-bit sample hides most
// changes of a float's last bits, which later effects on the same sound would bring out.
std::uint64_t lastFloatsHash = 0;

void HashWorkingBuffer(EffectContext& context) {
    Fnv1a floats;
    for (const float sample : context.working.samples) {
        std::uint32_t bits;
        std::memcpy(&bits, &sample, sizeof bits);
        floats.Add(bits, 4);
    }
    lastFloatsHash = floats.value();
}

std::uint64_t FloatsAfterRoutines(const EffectEntry& entry, std::uint32_t rate,
                                  const std::vector<std::int16_t>& voice) {
    formats::SoundBuffer sound;
    sound.Install(voice);
    sound.sampleRate = rate;
    formats::SoundBuffer undo;
    testing::RecordingHost host;
    std::vector<Routine> routines(entry.routines.begin(), entry.routines.end());
    routines.push_back(HashWorkingBuffer);
    SeedRandomFromClock();
    lastFloatsHash = 0;
    EXPECT_TRUE(ApplyRoutines(sound, undo, routines, host));
    return lastFloatsHash;
}

Pin Apply(const EffectEntry& entry, std::uint32_t rate, const std::vector<std::int16_t>& voice) {
    formats::SoundBuffer sound;
    sound.Install(voice);
    sound.sampleRate = rate;
    formats::SoundBuffer undo;
    testing::RecordingHost host;
    RoutineMemory memory;
    SeedRandomFromClock();  // the override: the clock-seeded effects repeat themselves
    EXPECT_TRUE(ApplyEffect(sound, undo, entry.category, entry.clickedEffectButton, host, memory));
    EXPECT_EQ(host.memoryMessages, 0);
    Fnv1a samples;
    for (const std::int16_t sample : sound.samples) {
        samples.Add(static_cast<std::uint16_t>(sample), 2);
    }
    Fnv1a progress;
    for (const std::uint32_t percent : host.percents) {
        progress.Add(percent, 4);
    }
    return {sound.samples.size(), FloatsAfterRoutines(entry, rate, voice), samples.value(),
            progress.value(), host.percents.size()};
}

std::map<std::string, std::string> ReadTable() {
    std::map<std::string, std::string> lines;
    std::ifstream file(kTablePath);
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        // rate length floats samples progress calls name
        std::istringstream fields(line);
        std::string rate, length, floats, samples, progress, calls;
        fields >> rate >> length >> floats >> samples >> progress >> calls;
        std::string name;
        std::getline(fields >> std::ws, name);
        lines[rate + " " + name] = line;
    }
    return lines;
}

void WriteTable(const std::vector<std::string>& lines) {
    const std::string temporary = std::string(kTablePath) + ".new";
    {
        std::ofstream file(temporary, std::ios::trunc);
        file
            << "# Output of every effect through the effect frame on three seconds of an integer\n"
               "# voice at three rates: rate, output length, FNV-1a 64 of the float working\n"
               "# buffer after the routines, of the 16-bit samples and of the progress\n"
               "# percents, number of progress calls, effect.\n"
               "# The effects use the C library's sin, cos, exp (and tan, asin, sqrt): this table\n"
               "# pins their results too, so a different libm may change it.\n"
               "# Regenerate only for a deliberate change of output:\n"
               "#   MARVOLIN_REGENERATE_GOLDEN=1 build/bin/effects_tests "
               "--gtest_filter='GoldenEffects*'\n";
        for (const std::string& line : lines) {
            file << line << '\n';
        }
        ASSERT_TRUE(file.good());
    }
    std::filesystem::rename(temporary, kTablePath);
}

// Every effect at every usual rate gives exactly the samples and progress calls it gave when
// the table was made: any change of arithmetic, order of operations or progress splitting
// shows up here.
TEST(GoldenEffectsTest, EveryEffectAtThreeRatesGivesThePinnedBitsAndProgress) {
    OverrideClockSeed(kSeed);
    std::vector<std::string> lines;
    std::map<std::string, std::string> actual;
    for (const std::uint32_t rate : kRates) {
        const std::vector<std::int16_t> voice = IntegerVoice(rate);
        for (const EffectEntry& entry : EffectMatrix()) {
            const std::string key = Key(entry, rate);
            SCOPED_TRACE(key);
            const std::string line = FormatLine(key, Apply(entry, rate, voice));
            lines.push_back(line);
            actual[key] = line;
        }
    }
    OverrideClockSeed(std::nullopt);

    const char* regenerate = std::getenv("MARVOLIN_REGENERATE_GOLDEN");
    if (regenerate != nullptr && std::strcmp(regenerate, "1") == 0) {
        WriteTable(lines);
        return;
    }
    const std::map<std::string, std::string> expected = ReadTable();
    ASSERT_EQ(expected.size(), std::size(kRates) * kEffectCount) << "table " << kTablePath;
    for (const auto& [key, line] : actual) {
        const auto found = expected.find(key);
        ASSERT_NE(found, expected.end()) << key;
        EXPECT_EQ(line, found->second);
    }
}

// The input is made of integers alone, so it is the same on every machine and build.
TEST(GoldenEffectsTest, TheInputIsFixed) {
    const std::vector<std::int16_t> voice = IntegerVoice(8000);
    ASSERT_EQ(voice.size(), 24000u);
    EXPECT_EQ(voice[1], -6);
    EXPECT_EQ(voice[100], -1428);
    EXPECT_EQ(voice[500], 3398);
    EXPECT_EQ(voice[1234], -3160);
    EXPECT_EQ(voice[1999], 0);  // the pause after the first syllable
    EXPECT_EQ(voice[2100], 352);
    Fnv1a hash;
    for (const std::int16_t sample : voice) {
        hash.Add(static_cast<std::uint16_t>(sample), 2);
    }
    EXPECT_EQ(hash.value(), 0x5fd7513e816c0a62u);
}

}  // namespace
}  // namespace marvolin::effects
