#include "screen/bitmap_decoder.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/allocation.h"
#include "platform/headless/headless_platform.h"
#include "screen/screen.h"
#include "support/test_files.h"

namespace marvolin::screen {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct TestPicture {
    int width;
    int height;  // negative: top row stored first
    int bitCount;
    std::vector<Color> palette = {};
    // The colour, or with a palette the index, of the pixel at (x, y); y = 0 is the top row.
    std::function<std::uint32_t(int, int)> pixel = [](int x, int y) { return RGB(x, y, 9); };
};

Bytes MakeBmp(const TestPicture& picture) {
    const int rows = std::abs(picture.height);
    const int stride = (picture.bitCount * picture.width + 31) / 32 * 4;
    const auto offset = static_cast<std::uint32_t>(54 + 4 * picture.palette.size());
    testing::Bytes b;
    b.Tag("BM").U32LE(offset + stride * rows).U32LE(0).U32LE(offset).U32LE(40);
    b.U32LE(picture.width).U32LE(static_cast<std::uint32_t>(picture.height)).U16LE(1);
    b.U16LE(picture.bitCount).U32LE(0).U32LE(0).Zeros(8).U32LE(picture.palette.size()).U32LE(0);
    for (const Color c : picture.palette) {
        b.U8(Blue(c)).U8(Green(c)).U8(Red(c)).U8(0);
    }
    for (int r = 0; r < rows; ++r) {
        Bytes row(stride, 0);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t v = picture.pixel(x, picture.height < 0 ? r : rows - 1 - r);
            const int bit = x * picture.bitCount;
            if (picture.bitCount <= 8) {
                row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - picture.bitCount - bit % 8));
            } else {
                row[bit / 8] = Blue(v), row[bit / 8 + 1] = Green(v), row[bit / 8 + 2] = Red(v);
            }
        }
        b.Append(row);
    }
    return b.data;
}

TEST(BitmapDecoderTest, DecodesEveryDepthAndBothRowOrders) {
    std::vector<Color> palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back(RGB(i, 255 - i, i / 2));
    }
    const auto index = [](int x, int y) -> std::uint32_t { return (x * 5 + y) % 2; };
    const TestPicture cases[] = {
        {5, 3, 24},
        {5, -3, 24},
        {3, 2, 32},
        {7, 4, 8, palette, index},
        {9, 2, 4, palette, index},
        {11, -3, 1, {palette[0], palette[1]}, index},
    };
    for (const TestPicture& picture : cases) {
        const DecodedBitmap decoded = DecodeBitmap(MakeBmp(picture));
        ASSERT_TRUE(decoded.ok()) << picture.bitCount;
        ASSERT_EQ(decoded.surface.height(), std::abs(picture.height));
        for (int y = 0; y < std::abs(picture.height); ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const Color expected =
                    picture.palette.empty() ? picture.pixel(x, y) : palette[index(x, y)];
                EXPECT_EQ(decoded.surface.Pixel(x, y), expected)
                    << picture.bitCount << " " << x << "," << y << " " << picture.height;
            }
        }
    }
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

TEST(BitmapDecoderTest, RefusesBadAndHostileFilesBeforeAllocating) {
    const struct {
        const char* name;
        std::function<void(Bytes&)> spoil;
        BitmapError expected;
    } cases[] = {
        {"not BM", [](Bytes& b) { b[1] = 'A'; }, BitmapError::NotBitmap},
        {"short info header", [](Bytes& b) { b.resize(40); }, BitmapError::Truncated},
        {"core header", [](Bytes& b) { PutU32(b, 14, 12); }, BitmapError::CoreHeader},
        {"header size 20", [](Bytes& b) { PutU32(b, 14, 20); }, BitmapError::BadHeader},
        {"run-length", [](Bytes& b) { PutU32(b, 30, 1); }, BitmapError::Unsupported},
        {"height 0", [](Bytes& b) { PutU32(b, 22, 0); }, BitmapError::BadHeader},
        {"last byte missing", [](Bytes& b) { b.pop_back(); }, BitmapError::Truncated},
        {"pixels past the end", [](Bytes& b) { PutU32(b, 10, 99999); }, BitmapError::Truncated},
        {"image size too big", [](Bytes& b) { PutU32(b, 34, 1u << 31); }, BitmapError::Truncated},
        {"huge header size", [](Bytes& b) { PutU32(b, 14, ~0u); }, BitmapError::Truncated},
        {"colours past the end", [](Bytes& b) { PutU32(b, 46, 9999); }, BitmapError::Truncated},
        {"4000 x 4000", [](Bytes& b) { PutU32(b, 18, 4000), PutU32(b, 22, 4000); },
         BitmapError::Truncated},
        {"99999 x 99999", [](Bytes& b) { PutU32(b, 18, 99999), PutU32(b, 22, 99999); },
         BitmapError::TooLarge},
        {"height -2^31", [](Bytes& b) { PutU32(b, 22, 1u << 31); }, BitmapError::TooLarge},
    };
    platform::AllocationFailures::FailLargerThan(4096);  // an attempt would give NoMemory
    for (const auto& c : cases) {
        Bytes bytes = MakeBmp({4, 4, 24});
        c.spoil(bytes);
        EXPECT_EQ(DecodeBitmap(bytes).error, c.expected) << c.name;
    }
    platform::AllocationFailures::Reset();
}

class BackgroundPictureTest : public ::testing::Test {
  protected:
    bool Read(const Bytes& bytes) {
        testing::WriteBytes(folder.File("marvolin.bmp"), bytes);
        return ReadBackgroundPicture(screen, messageBoxes, folder.File("marvolin.bmp"));
    }

    testing::TemporaryFolder folder;
    platform::headless::ScriptedMessageBoxes messageBoxes;
    Screen screen;
};

TEST_F(BackgroundPictureTest, ReadsGoodPicturesAndRefusesOthersQuietlyKeepingTheOldOne) {
    const auto bottomRed = [](int, int y) -> std::uint32_t { return y == 479 ? 1 : 0; };
    ASSERT_TRUE(Read(MakeBmp({640, 480, 8, {RGB(0, 0, 255), RGB(255, 0, 0)}, bottomRed})));
    EXPECT_EQ(screen.picture->Pixel(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(screen.picture->Pixel(639, 479), RGB(255, 0, 0));
    ASSERT_TRUE(Read(MakeBmp({700, 500, 24})));
    EXPECT_EQ(screen.picture->width(), 700);

    Bytes cut = MakeBmp({640, 480, 24});
    cut.resize(cut.size() - 100);
    for (const Bytes& bad : {MakeBmp({639, 480, 24}), MakeBmp({640, 479, 24}), cut, Bytes{}}) {
        EXPECT_FALSE(Read(bad));
    }
    EXPECT_EQ(screen.picture->Pixel(7, 8), RGB(7, 8, 9));
    EXPECT_TRUE(messageBoxes.shown.empty());
}

TEST_F(BackgroundPictureTest, AFileThatCannotBeOpenedIsReported) {
    EXPECT_FALSE(ReadBackgroundPicture(screen, messageBoxes, folder.File("missing.bmp")));
    EXPECT_FALSE(ReadBackgroundPicture(screen, messageBoxes, folder.path()));  // a folder
    ASSERT_EQ(messageBoxes.shown.size(), 2u);
    EXPECT_EQ(messageBoxes.shown[0].text, "Unable to read a picture !");
    EXPECT_EQ(messageBoxes.shown[0].caption, "Error");
    EXPECT_EQ(messageBoxes.shown[0].icon, platform::MessageIcon::Error);
    EXPECT_FALSE(screen.picture);
}

}  // namespace
}  // namespace marvolin::screen
