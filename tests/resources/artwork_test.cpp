// The generated artwork: every bitmap resource has its size, the background picture shows
// the buttons' normal bitmaps where the program draws them.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "app/tables.h"
#include "resources/bitmap_resources.h"
#include "support/test_files.h"

namespace marvolin::resources {
namespace {

// A 24-bit bottom-up BMP with a 40-byte header, decoded to rows top to bottom.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

std::uint32_t Le(std::span<const std::uint8_t> b, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | b[at + static_cast<std::size_t>(i)];
    }
    return value;
}

// Checks the headers (failures are reported) and decodes the pixels.
Bitmap Decode(std::span<const std::uint8_t> b) {
    Bitmap bitmap;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        ADD_FAILURE() << "not a BMP file (" << b.size() << " bytes)";
        return bitmap;
    }
    EXPECT_EQ(Le(b, 2, 4), b.size());
    EXPECT_EQ(Le(b, 14, 4), 40u);  // BITMAPINFOHEADER
    const auto height = static_cast<std::int32_t>(Le(b, 22, 4));
    EXPECT_GT(height, 0);          // bottom-up
    EXPECT_EQ(Le(b, 28, 2), 24u);  // 24 bits per pixel
    EXPECT_EQ(Le(b, 30, 4), 0u);   // uncompressed
    bitmap.width = static_cast<int>(Le(b, 18, 4));
    bitmap.height = height;
    const std::size_t stride = (static_cast<std::size_t>(bitmap.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t offset = Le(b, 10, 4);
    if (bitmap.width <= 0 || height <= 0 || offset + stride * height > b.size()) {
        ADD_FAILURE() << "bad size " << bitmap.width << " x " << height;
        return Bitmap{};
    }
    bitmap.pixels.resize(static_cast<std::size_t>(bitmap.width) * height);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < bitmap.width; ++x) {
            const std::size_t p = row + 3 * static_cast<std::size_t>(x);
            bitmap.pixels[static_cast<std::size_t>(y) * bitmap.width + x] =
                (std::uint32_t{b[p + 2]} << 16) | (std::uint32_t{b[p + 1]} << 8) | b[p];
        }
    }
    return bitmap;
}

Bitmap Resource(int id) {
    return Decode(BitmapResource(id));
}

const Bitmap& Picture() {
    static const std::vector<std::uint8_t> bytes =
        testing::ReadBytes(std::string(MARVOLIN_BUILD_BIN_DIR) + "/marvolin.bmp");
    static const Bitmap picture = Decode(bytes);
    return picture;
}

// How many pixels of `bitmap` differ from the picture at (x, y).
int Mismatches(const Bitmap& bitmap, int x, int y) {
    int count = 0;
    for (int j = 0; j < bitmap.height; ++j) {
        for (int i = 0; i < bitmap.width; ++i) {
            count += bitmap.At(i, j) != Picture().At(x + i, y + j);
        }
    }
    return count;
}

TEST(ArtworkTest, EveryBitmapHasItsSize) {
    struct Expected {
        int id, width, height;
    };
    std::vector<Expected> expected = {
        {170, 120, 40}, {171, 120, 40}, {173, 120, 40}, {119, 32, 32}, {123, 150, 31}};
    const app::HotspotTable hotspots = app::MakeHotspotTable();
    for (int i = 0; i < app::kHotspotCount; ++i) {
        const app::Hotspot& h = hotspots[i];
        // The effect hotspots cover lamp and label; their bitmaps are the lamps.
        const bool lamp = i >= app::kFirstEffectHotspot && i <= app::kLastEffectHotspot;
        if (h.normalBitmap != 0) {
            for (int id : {h.normalBitmap, h.pressedBitmap}) {
                expected.push_back({id, lamp ? 17 : h.width, lamp ? 17 : h.height});
            }
        }
    }
    for (const app::CategoryLabel& l : app::MakeCategoryLabelTable()) {
        expected.push_back({l.brightBitmap, l.labelWidth, 15});
        expected.push_back({l.dimBitmap, l.labelWidth, 15});
    }
    for (int id = 500; id < 540; ++id) {
        expected.push_back({id, resources::kEffectLabelPlaces[(id - 500) % 5].width,
                            resources::kEffectLabelHeight});
    }
    ASSERT_EQ(expected.size(), 2u * 13 + 5 + 16 + 40);
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        const Bitmap bitmap = Resource(e.id);
        EXPECT_EQ(bitmap.width, e.width);
        EXPECT_EQ(bitmap.height, e.height);
    }
    for (int id : {-1, 0, 100, 104, 120, 499, 540, 999}) {
        EXPECT_TRUE(BitmapResource(id).empty()) << id;
    }
}

TEST(ArtworkTest, PressedButtonsAreDimmer) {
    auto brightness = [](const Bitmap& b) {
        long sum = 0;
        for (std::uint32_t p : b.pixels) {
            sum += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        }
        return sum;
    };
    for (const app::Hotspot& h : app::MakeHotspotTable()) {
        if (h.normalBitmap != 0 && h.width == Resource(h.normalBitmap).width) {  // not a lamp
            EXPECT_LT(brightness(Resource(h.pressedBitmap)) * 10,
                      brightness(Resource(h.normalBitmap)) * 8)
                << h.normalBitmap;
        }
    }
    EXPECT_LT(brightness(Resource(170)) * 10, brightness(Resource(171)) * 8);
}

TEST(ArtworkTest, ProgressBallIsAnElevenPixelBallOnMagenta) {
    const Bitmap icon = Resource(kProgressBallIcon);
    ASSERT_EQ(icon.width, 32);
    int ball = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool magenta = icon.At(x, y) == 0xFF00FF;
            if (x >= 11 || y >= 11) {
                EXPECT_TRUE(magenta) << x << "," << y;
            }
            ball += !magenta;
        }
    }
    EXPECT_GT(ball, 80);  // a round ball fills most of its 11 x 11 square
    EXPECT_NE(icon.At(5, 5), 0xFF00FFu);
}

TEST(ArtworkTest, PictureShowsTheNormalBitmapsWhereTheProgramDrawsThem) {
    const Bitmap& picture = Picture();
    ASSERT_EQ(picture.width, 640);
    ASSERT_EQ(picture.height, 480);
    for (int y = 65; y <= 145; ++y) {
        for (int x = 118; x <= 512; ++x) {
            ASSERT_NE(picture.At(x, y) & 0xFF, 0u) << "no blue at " << x << "," << y;
        }
    }
    for (int y = 430; y < 470; ++y) {
        for (int x = 20; x < 300; ++x) {
            ASSERT_EQ(picture.At(x, y), 0u) << "help area not black at " << x << "," << y;
        }
    }
    for (const app::Hotspot& h : app::MakeHotspotTable()) {
        if (h.normalBitmap != 0) {
            // The category button's label is drawn over its middle; compare around it.
            const Bitmap bitmap = Resource(h.normalBitmap);
            int allowed = 0;
            if (h.normalBitmap == 152) {
                allowed = app::MakeCategoryLabelTable()[app::kRobots].labelWidth * 15;
            }
            EXPECT_LE(Mismatches(bitmap, h.left, h.top), allowed) << h.normalBitmap;
        }
    }
    const app::CategoryLabel robots = app::MakeCategoryLabelTable()[app::kRobots];
    EXPECT_EQ(Mismatches(Resource(robots.brightBitmap), robots.labelX, robots.labelY), 0);
    for (int e = 0; e < 5; ++e) {
        const resources::EffectLabelPlace& place = resources::kEffectLabelPlaces[e];
        EXPECT_EQ(
            Mismatches(Resource(resources::EffectLabelBitmap(app::kRobots, e)), place.x, place.y),
            0)
            << e;
    }
    EXPECT_EQ(Mismatches(Resource(123), 482, 441), 0);
}

}  // namespace
}  // namespace marvolin::resources
