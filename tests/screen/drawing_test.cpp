#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "platform/headless/headless_platform.h"
#include "screen/resource_bitmaps.h"
#include "screen/screen.h"

namespace marvolin::screen {
namespace {

constexpr Color kPicture = RGB(1, 2, 3);
constexpr Color kBall = RGB(250, 200, 0);

// The bitmaps the drawing code sees instead of the program's resources.
std::map<int, Surface> testBitmaps;

std::optional<Surface> LoadTestBitmap(int id) {
    const auto found = testBitmaps.find(id);
    return found == testBitmaps.end() ? std::nullopt : std::optional<Surface>(found->second);
}

Color LabelColor(int id) {
    return RGB(static_cast<std::uint8_t>(id - 400), 0, 77);
}

auto AsTuple(const platform::Rect& r) {
    return std::make_tuple(r.left, r.top, r.right, r.bottom);
}

class DrawingTest : public ::testing::Test {
  protected:
    DrawingTest() {
        previousLoader = ReplaceResourceBitmapLoader(&LoadTestBitmap);
        testBitmaps.clear();
        for (int id = 500; id < 540; ++id) {
            testBitmaps[id] = Surface(150, 20, LabelColor(id));
        }
        testBitmaps[119] = Surface(32, 32, RGB(255, 0, 255));  // magenta: transparent
        testBitmaps[119].Fill({0, 0, 11, 11}, kBall);
        screen.picture = Surface(kWindowWidth, kWindowHeight, kPicture);
        screen.window = *screen.picture;
    }
    ~DrawingTest() override { ReplaceResourceBitmapLoader(previousLoader); }

    // The one area presented since the last call.
    std::tuple<int, int, int, int> PresentedOnce() {
        auto& presented = platform.window.presented;
        EXPECT_EQ(presented.size(), 1u);
        const auto area = presented.empty() ? std::make_tuple(0, 0, 0, 0) : AsTuple(presented[0]);
        presented.clear();
        return area;
    }

    ResourceBitmapLoader previousLoader = nullptr;
    platform::headless::HeadlessPlatform platform;
    ScreenHost host{platform.messageBoxes, platform.window, platform.textRenderer};
    Screen screen;
};

TEST_F(DrawingTest, ProgressBallFollowsTheEllipseAndErasesItsLastPosition) {
    const struct {
        std::uint32_t percent;
        int x, y;
    } table[] = {{0, 254, 409},  {1, 237, 407},  {10, 211, 395}, {25, 194, 376}, {49, 185, 344},
                 {50, 185, 343}, {75, 194, 310}, {90, 213, 290}, {99, 242, 278}};
    for (const auto& row : table) {
        DrawProgress(screen, host, row.percent);
        EXPECT_EQ(std::make_pair(screen.progressX, screen.progressY), std::make_pair(row.x, row.y));
        EXPECT_EQ(screen.window.Pixel(row.x + 10, row.y + 10), kBall) << row.percent;
        EXPECT_EQ(screen.window.Pixel(row.x + 11, row.y + 31), kPicture) << row.percent;
    }
    // Each ball drawn is described for screens that draw it again finely.
    ASSERT_EQ(platform.window.movingBitmaps.size(), std::size(table));
    EXPECT_EQ(platform.window.movingBitmaps.back(),
              std::make_pair(std::uint16_t{119}, platform::Point{242, 278}));
    // From 10 % at (211, 395) to 25 % at (194, 376): the old square goes, both are shown.
    DrawProgress(screen, host, 10);
    platform.window.presented.clear();
    DrawProgress(screen, host, 25);
    EXPECT_EQ(screen.window.Pixel(211, 395), kPicture);
    EXPECT_EQ(PresentedOnce(), std::make_tuple(194, 376, 226, 410));
}

TEST_F(DrawingTest, ProgressZeroAndOneKeepTheOldBallAndHundredOrMoreOnlyErases) {
    for (const std::uint32_t percent : {0u, 1u, 100u, 101u, 0xFFFFFFFFu}) {
        DrawProgress(screen, host, 50);  // at (185, 343)
        platform.window.presented.clear();
        DrawProgress(screen, host, percent);
        const bool ended = percent >= 100;
        EXPECT_EQ(screen.window.Pixel(185, 343), ended ? kPicture : kBall) << percent;
        if (ended) {
            EXPECT_EQ(std::make_pair(screen.progressX, screen.progressY), std::make_pair(185, 343));
            EXPECT_EQ(PresentedOnce(), std::make_tuple(185, 343, 200, 358));
        }
    }
}

TEST_F(DrawingTest, EffectLabelsOfTheCategoryGoToTheirPlaces) {
    const struct {
        int x, y, width;
    } places[] = {
        {326, 280, 115}, {347, 309, 100}, {355, 341, 130}, {349, 375, 120}, {326, 403, 140}};
    DrawEffectLabels(screen, host, 2);
    for (int effect = 0; effect < 5; ++effect) {
        const auto& p = places[effect];
        EXPECT_EQ(screen.window.Pixel(p.x + p.width - 1, p.y + 15), LabelColor(510 + effect));
        EXPECT_EQ(screen.window.Pixel(p.x + p.width, p.y), kPicture);
        EXPECT_EQ(screen.window.Pixel(p.x, p.y + 16), kPicture);
    }
    EXPECT_EQ(PresentedOnce(), std::make_tuple(326, 280, 485, 419));

    testBitmaps.erase(536);
    testBitmaps.erase(538);
    DrawEffectLabels(screen, host, 7);
    ASSERT_EQ(platform.messageBoxes.shown.size(), 2u);
    EXPECT_EQ(platform.messageBoxes.shown[1].text, "This is not a valid handle !");
    EXPECT_EQ(platform.messageBoxes.shown[1].caption, "Error");
    EXPECT_EQ(screen.window.Pixel(326, 280), LabelColor(535));
    EXPECT_EQ(screen.window.Pixel(347, 309), LabelColor(511));  // left from category 2
    EXPECT_EQ(screen.window.Pixel(326, 403), LabelColor(539));
}

TEST_F(DrawingTest, PaintShowsThePictureTraceAndLabelsWithoutPresenting) {
    screen.picture->Fill({0, 0, 640, 150}, RGB(0, 0, 100));
    screen.window.Fill({0, 0, kWindowWidth, kWindowHeight}, 0xABCDEF);
    PaintWindow(screen, host, formats::SoundBuffer{}, 0);
    EXPECT_EQ(screen.window.Pixel(639, 479), kPicture);
    EXPECT_EQ(screen.window.Pixel(300, 105), RGB(255, 50, 50));
    EXPECT_EQ(screen.window.Pixel(326, 403), LabelColor(504));
    EXPECT_TRUE(platform.window.presented.empty());
    EXPECT_FALSE(screen.painting);

    screen.picture.reset();
    PaintWindow(screen, host, formats::SoundBuffer{}, 0);
    EXPECT_EQ(screen.window.Pixel(639, 479), 0u);
}

TEST_F(DrawingTest, DrawBitmapCopiesItsCornerAndIgnoresUnknownIds) {
    testBitmaps[201] = Surface(40, 30, RGB(9, 9, 9));
    DrawBitmap(screen, host, 201, 630, 10, 20, 5);
    EXPECT_EQ(screen.window.Pixel(639, 14), RGB(9, 9, 9));
    EXPECT_EQ(screen.window.Pixel(630, 15), kPicture);
    EXPECT_EQ(PresentedOnce(), std::make_tuple(630, 10, 640, 15));

    DrawBitmap(screen, host, 202, 0, 0, 10, 10);
    EXPECT_TRUE(platform.window.presented.empty());
    EXPECT_TRUE(platform.messageBoxes.shown.empty());
}

TEST_F(DrawingTest, HelpLineIsWhiteOnBlackAndTheHelpAreaErases) {
    DrawHelpLine(screen, host, std::string(300, 'x'));
    ASSERT_EQ(platform.textRenderer.drawn.size(), 1u);
    const auto& drawn = platform.textRenderer.drawn[0];
    EXPECT_EQ(std::make_tuple(drawn.x, drawn.y, drawn.text.size(), drawn.color, drawn.background,
                              drawn.opaque),
              std::make_tuple(20, 450, std::size_t{250}, 0xFFFFFFu, 0u, true));
    PresentedOnce();

    EraseHelpArea(screen, host);
    EXPECT_EQ(screen.window.Pixel(21, 452), 0u);
    EXPECT_EQ(screen.window.Pixel(299, 469), 0u);
    EXPECT_EQ(screen.window.Pixel(19, 440), kPicture);
    EXPECT_EQ(screen.window.Pixel(300, 440), kPicture);
    EXPECT_EQ(screen.window.Pixel(20, 470), kPicture);
    EXPECT_EQ(PresentedOnce(), std::make_tuple(20, 430, 300, 470));
}

}  // namespace
}  // namespace marvolin::screen
