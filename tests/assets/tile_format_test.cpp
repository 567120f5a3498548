// The 36 tile pictures as files: every header field, the palette, the row
// layout and the palette indices the pixels use.
#include "file_bytes.h"
#include "tile_design.h"
#include "tile_reading.h"

#include "assets/picture_files.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

using namespace assets_test;

namespace {

// The standard 16 colours in their usual order, as red, green, blue.
constexpr std::array<std::array<std::uint8_t, 3>, 16> kStandardColours{{
    {0x00, 0x00, 0x00},
    {0x80, 0x00, 0x00},
    {0x00, 0x80, 0x00},
    {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80},
    {0x80, 0x00, 0x80},
    {0x00, 0x80, 0x80},
    {0x80, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0},
    {0xFF, 0x00, 0x00},
    {0x00, 0xFF, 0x00},
    {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF},
    {0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF},
}};

TEST(TilePictureFile, HeadersPaletteAndRowsFollowTheFourBitBitmapLayout)
{
    for (int t = 0; t < kTiles; ++t)
        for (int k = 1; k <= kLayers; ++k) {
            SCOPED_TRACE(assets::tileFile(t, k));
            const Bytes f = readFile(assetDir() / assets::tileFile(t, k));
            const PictureSize size = tilePictureSize(t, k);
            const std::size_t rowBytes = bmpRowBytes(size.width, 4);
            const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(size.height);
            ASSERT_EQ(f.size(), 118 + pixelBytes);

            // File header.
            EXPECT_EQ(asciiAt(f, 0, 2), "BM");
            EXPECT_EQ(u32At(f, 2), f.size());
            EXPECT_EQ(u16At(f, 6), 0);
            EXPECT_EQ(u16At(f, 8), 0);
            EXPECT_EQ(u32At(f, 10), 118u);

            // Information header. The height is positive: rows are stored bottom
            // row first, which the edge table, read from the decoded pixels, confirms.
            EXPECT_EQ(u32At(f, 14), 40u);
            EXPECT_EQ(i32At(f, 18), size.width);
            EXPECT_EQ(i32At(f, 22), size.height);
            EXPECT_EQ(u16At(f, 26), 1);
            EXPECT_EQ(u16At(f, 28), 4);
            EXPECT_EQ(u32At(f, 30), 0u);
            const std::uint32_t imageSize = u32At(f, 34);
            EXPECT_TRUE(imageSize == 0 || imageSize == pixelBytes) << imageSize;
            EXPECT_EQ(u32At(f, 46), 0u);
            EXPECT_EQ(u32At(f, 50), 0u);

            for (std::size_t i = 0; i < 16; ++i) {
                SCOPED_TRACE("palette entry " + std::to_string(i));
                const std::size_t at = 54 + 4 * i;
                EXPECT_EQ(f[at], kStandardColours[i][2]);
                EXPECT_EQ(f[at + 1], kStandardColours[i][1]);
                EXPECT_EQ(f[at + 2], kStandardColours[i][0]);
                EXPECT_EQ(f[at + 3], 0);
            }

            // What fills a row beyond its pixels is zero: the spare low half
            // of the last byte of an odd width, and the bytes up to a multiple of 4.
            const std::size_t used = static_cast<std::size_t>((size.width + 1) / 2);
            for (int row = 0; row < size.height; ++row) {
                const std::size_t start = 118 + rowBytes * static_cast<std::size_t>(row);
                if (size.width % 2 != 0) {
                    EXPECT_EQ(f[start + used - 1] & 0x0F, 0) << "row " << row;
                }
                for (std::size_t i = used; i < rowBytes; ++i)
                    EXPECT_EQ(f[start + i], 0) << "row " << row;
            }

            const std::set<std::uint8_t> allowed{ink::black, ink::teal,   ink::grey, ink::red,
                                                 ink::green, ink::yellow, ink::white};
            for (std::uint8_t index : committedTile(t, k).indicesUsed)
                EXPECT_TRUE(allowed.count(index)) << "palette index " << int(index);
        }
}

} // namespace
