#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "screen/line_walk.h"
#include "screen/screen.h"

namespace marvolin::screen {
namespace {

using Points = std::vector<std::pair<int, int>>;
constexpr Color kTraced = RGB(255, 100, 100);  // over the picture's RGB(0, 0, 200)

class WaveformTest : public ::testing::Test {
  protected:
    WaveformTest() { screen.picture = Surface(kWindowWidth, kWindowHeight, RGB(0, 0, 200)); }

    // Draws the sound and returns the traced pixels, row by row.
    Points Draw(const std::vector<std::int16_t>& samples) {
        formats::SoundBuffer sound;
        sound.Install(samples);
        DrawWaveform(screen, host, sound);
        Points traced;
        for (int y = 0; y < 150; ++y) {
            for (int x = 0; x < kWindowWidth; ++x) {
                if (screen.window.Pixel(x, y) == kTraced) {
                    traced.emplace_back(x, y);
                }
            }
        }
        return traced;
    }

    platform::headless::HeadlessPlatform platform;
    ScreenHost host{platform.messageBoxes, platform.window, platform.textRenderer};
    Screen screen;
};

Points FlatLine(int last = 511) {
    Points line;
    for (int x = 118; x <= last; ++x) {
        line.emplace_back(x, 105);
    }
    return line;
}

int Top(const Points& traced) {
    int top = 150;
    for (const auto& point : traced) {
        top = std::min(top, point.second);
    }
    return top;
}

TEST_F(WaveformTest, NoSoundAndAnEmptySoundDrawTheFlatLine) {
    DrawWaveform(screen, host, formats::SoundBuffer{});
    EXPECT_EQ(Draw({}), FlatLine());  // also proves the first line was restored away
    ASSERT_EQ(platform.window.presented.size(), 2u);
    EXPECT_EQ(platform.window.presented[1].right, 640);
    EXPECT_EQ(platform.window.presented[1].bottom, 150);
}

TEST_F(WaveformTest, FullScaleIsThirtyNineAboveOnlyInTheMiddleAndFlatAtTheEnds) {
    for (const std::size_t count : {std::size_t{394}, std::size_t{10000}}) {
        const Points traced = Draw(std::vector<std::int16_t>(count, 32767));
        EXPECT_EQ(Top(traced), 66) << count;
        for (const auto& [x, y] : traced) {
            EXPECT_TRUE(y != 66 || x == 315) << count;
            EXPECT_TRUE((x != 118 && x != 511) || y >= 101) << count;
            EXPECT_LE(x, count == 394 ? 512 : 510) << count;
        }
        EXPECT_EQ(screen.window.Pixel(118, 105), kTraced) << count;
    }
    EXPECT_EQ(screen.window.Pixel(512, 104), RGB(0, 0, 200));
    Draw(std::vector<std::int16_t>(394, 32767));
    EXPECT_EQ(screen.window.Pixel(512, 104), kTraced);  // 395 points reach x = 512
}

TEST_F(WaveformTest, LongSoundsShowSampleStepTimesColumnPlusOne) {
    // 788 samples, a step of 2: the middle column (i = 197) shows sample 396.
    std::vector<std::int16_t> samples(788, 0);
    samples[395] = 32767;
    EXPECT_EQ(Draw(samples), FlatLine(510));
    samples[396] = 32767;
    EXPECT_EQ(Top(Draw(samples)), 66);
}

TEST_F(WaveformTest, ShortSoundsTaperBySampleIndexNotByColumn) {
    // The middle point lands on column 315 but tapers as position 1 (y = 102, not 66); the
    // end point, position 2, is at y = 100.
    const Points traced = Draw({32767, 32767});
    EXPECT_EQ(Top(traced), 100);
    EXPECT_EQ(screen.window.Pixel(315, 102), kTraced);
}

TEST_F(WaveformTest, RecoloursOnlyPixelsWithBlue) {
    const struct {
        Color picture, traced;
    } cases[] = {{RGB(0, 255, 0), RGB(0, 255, 0)},
                 {RGB(10, 20, 0), RGB(10, 20, 0)},
                 {RGB(30, 40, 7), RGB(255, 3, 3)},
                 {RGB(0, 0, 1), RGB(255, 0, 0)}};
    for (const auto& c : cases) {
        screen.picture->SetPixel(200, 105, c.picture);
        Draw({});
        EXPECT_EQ(screen.window.Pixel(200, 105), c.traced) << std::hex << c.picture;
    }
}

TEST_F(WaveformTest, TheDescribedTraceChainsThroughExactlyThePixelsItRecoloured) {
    // Fine screens redraw the trace from its description: walked as the drawing walks it, the
    // described chain must visit every recoloured pixel and nothing else.
    std::vector<std::int16_t> noisy(5000);
    for (std::size_t i = 0; i < noisy.size(); ++i) {
        noisy[i] = static_cast<std::int16_t>((i * 7919 + i * i * 31) % 65536 - 32768);
    }
    for (const std::vector<std::int16_t>& samples :
         {std::vector<std::int16_t>{}, std::vector<std::int16_t>{32767, -32768, 5000}, noisy}) {
        Draw(samples);
        // Where the trace crosses itself a pixel is recoloured twice: every changed pixel.
        Points traced;
        for (int y = 0; y < 150; ++y) {
            for (int x = 0; x < kWindowWidth; ++x) {
                if (screen.window.Pixel(x, y) != screen.picture->Pixel(x, y)) {
                    traced.emplace_back(x, y);
                }
            }
        }
        const std::vector<platform::Point>& chain = platform.window.trace;
        ASSERT_FALSE(chain.empty());
        EXPECT_EQ(chain.front(), (platform::Point{118, 105}));
        Points walked;
        for (std::size_t i = 1; i < chain.size(); ++i) {
            WalkLine(chain[i - 1].x, chain[i - 1].y, chain[i].x, chain[i].y,
                     [&](int x, int y) { walked.emplace_back(x, y); });
        }
        std::sort(walked.begin(), walked.end(), [](const auto& a, const auto& b) {
            return std::make_pair(a.second, a.first) < std::make_pair(b.second, b.first);
        });
        walked.erase(std::unique(walked.begin(), walked.end()), walked.end());
        EXPECT_EQ(walked, traced) << samples.size() << " samples";
    }
}

}  // namespace
}  // namespace marvolin::screen
