// The decorative picture beside the board: a 24-bit bitmap file of 125 x 93
// pixels showing a red spotted insect on a pale grey field.
#include "file_bytes.h"

#include "assets/picture_files.h"

#include <gtest/gtest.h>

#include <array>

using namespace assets_test;

namespace {

constexpr int kWidth = 125, kHeight = 93;
constexpr std::size_t kRowBytes = 376;                               // 125 x 3 bytes, filled to a multiple of 4
constexpr std::array<std::uint8_t, 3> kBackground{0xEB, 0xE9, 0xED}; // red, green, blue
// The drawing lies within these columns and rows, counted from the top-left.
constexpr int kDrawingLeft = 11, kDrawingRight = 115, kDrawingTop = 4, kDrawingBottom = 88;

struct Rgb {
    int r, g, b;
    bool isBackground() const { return r == kBackground[0] && g == kBackground[1] && b == kBackground[2]; }
};

Bytes decorationFile() { return readFile(assetDir() / assets::decorationFile()); }

// Pixel (x, y) counted from the top-left, read from the bottom-up rows.
Rgb pixel(const Bytes &f, int x, int y)
{
    const std::size_t at = 54 + kRowBytes * static_cast<std::size_t>(kHeight - 1 - y) + 3 * static_cast<std::size_t>(x);
    return {f.at(at + 2), f.at(at + 1), f.at(at)};
}

TEST(DecorationFile, HeadersAndRowsFollowTheTwentyFourBitBitmapLayout)
{
    const Bytes f = decorationFile();
    ASSERT_EQ(f.size(), 54 + kRowBytes * kHeight);
    EXPECT_EQ(asciiAt(f, 0, 2), "BM");
    EXPECT_EQ(u32At(f, 2), f.size());
    EXPECT_EQ(u16At(f, 6), 0);
    EXPECT_EQ(u16At(f, 8), 0);
    EXPECT_EQ(u32At(f, 10), 54u); // no palette
    EXPECT_EQ(u32At(f, 14), 40u);
    EXPECT_EQ(i32At(f, 18), kWidth);
    EXPECT_EQ(i32At(f, 22), kHeight); // positive: bottom row first
    EXPECT_EQ(u16At(f, 26), 1);
    EXPECT_EQ(u16At(f, 28), 24);
    EXPECT_EQ(u32At(f, 30), 0u);
    const std::uint32_t imageSize = u32At(f, 34);
    EXPECT_TRUE(imageSize == 0 || imageSize == kRowBytes * kHeight) << imageSize;
    EXPECT_EQ(u32At(f, 46), 0u);
    EXPECT_EQ(u32At(f, 50), 0u);
    for (int row = 0; row < kHeight; ++row)
        EXPECT_EQ(f[54 + kRowBytes * static_cast<std::size_t>(row) + kRowBytes - 1], 0) << "fill of row " << row;
}

TEST(DecorationFile, DrawingStaysInsideItsRectangleOnThePaleGreyField)
{
    const Bytes f = decorationFile();
    int left = kWidth, right = -1, top = kHeight, bottom = -1;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            if (pixel(f, x, y).isBackground())
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    EXPECT_GE(left, kDrawingLeft);
    EXPECT_LE(right, kDrawingRight);
    EXPECT_GE(top, kDrawingTop);
    EXPECT_LE(bottom, kDrawingBottom);
    // The box beside the board shows the top-left 121 x 89 pixels: all of the drawing.
    EXPECT_LT(right, 121);
    EXPECT_LT(bottom, 89);
    // And the drawing fills most of its rectangle.
    EXPECT_GT(right - left, 80);
    EXPECT_GT(bottom - top, 65);
}

TEST(DecorationFile, ShowsARedShellWithABlackHeadAndWhiteEyesAtTheLowerLeft)
{
    const Bytes f = decorationFile();
    int drawn = 0, red = 0, dark = 0, white = 0;
    double drawnX = 0, drawnY = 0, whiteX = 0, whiteY = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const Rgb p = pixel(f, x, y);
            if (p.isBackground())
                continue;
            ++drawn;
            drawnX += x;
            drawnY += y;
            if (p.r >= 0xA0 && p.g < 0x60 && p.b < 0x60)
                ++red;
            if (std::max({p.r, p.g, p.b}) < 0x30)
                ++dark;
            if (std::min({p.r, p.g, p.b}) >= 0xF0) {
                ++white;
                whiteX += x;
                whiteY += y;
            }
        }
    ASSERT_GT(drawn, 0);
    ASSERT_GT(white, 0);
    EXPECT_GT(red, drawn / 5);
    EXPECT_GT(dark, drawn / 10);
    // The eyes, the whitest pixels, sit left of and below the middle of the drawing.
    EXPECT_LT(whiteX / white, drawnX / drawn);
    EXPECT_GT(whiteY / white, drawnY / drawn);
}

} // namespace
