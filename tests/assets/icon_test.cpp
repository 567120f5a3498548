// The window icon: eleven images in one icon file, in a fixed order of sizes
// and depths, each stored as a bitmap with its transparency mask or as a PNG
// file, all showing one motif. The 32-bit images are also the desktop's icons.
#include "file_bytes.h"
#include "icon_reading.h"

#include "assets/picture_files.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>

using namespace assets_test;

namespace {

struct ImageSpec {
    int size, bits;
    bool png;
};
constexpr std::array<ImageSpec, 11> kImages{{
    {48, 4, false},
    {32, 4, false},
    {16, 4, false},
    {48, 8, false},
    {32, 8, false},
    {16, 8, false},
    {256, 32, true},
    {128, 32, false},
    {48, 32, false},
    {32, 32, false},
    {16, 32, false},
}};

constexpr std::array<std::uint32_t, 16> kStandardColours{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

const Bytes &iconBytes()
{
    static const Bytes bytes = readFile(assetDir() / assets::iconFile());
    return bytes;
}

std::uint32_t crc32Of(const std::uint8_t *data, std::size_t n)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t bigEndian32(const Bytes &b, std::size_t at)
{
    return (std::uint32_t{b.at(at)} << 24) | (std::uint32_t{b.at(at + 1)} << 16) | (std::uint32_t{b.at(at + 2)} << 8)
           | b.at(at + 3);
}

TEST(IconFile, DirectoryListsElevenImagesInOrderStoredBackToBack)
{
    const Bytes &f = iconBytes();
    const IconFile icon = readIconFile(f);
    EXPECT_EQ(icon.reserved, 0);
    EXPECT_EQ(icon.type, 1);
    ASSERT_EQ(icon.entries.size(), kImages.size());
    std::uint32_t next = 6 + 16 * 11;
    for (std::size_t i = 0; i < kImages.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i + 1));
        const IconEntry &e = icon.entries[i];
        EXPECT_EQ(e.width, kImages[i].size);
        EXPECT_EQ(e.height, kImages[i].size);
        EXPECT_EQ(e.colourCount, kImages[i].bits == 4 ? 16 : 0);
        EXPECT_EQ(e.reserved, 0);
        EXPECT_EQ(e.planes, 1);
        EXPECT_EQ(e.bitCount, kImages[i].bits);
        EXPECT_EQ(e.isPng(), kImages[i].png);
        EXPECT_EQ(e.offset, next);
        next = e.offset + e.size;
    }
    EXPECT_EQ(next, f.size());
}

TEST(IconFile, BitmapImagesHoldTheirHeaderPaletteColourRowsAndMask)
{
    const IconFile icon = readIconFile(iconBytes());
    ASSERT_EQ(icon.entries.size(), kImages.size());
    for (std::size_t i = 0; i < kImages.size(); ++i) {
        if (kImages[i].png)
            continue;
        SCOPED_TRACE("image " + std::to_string(i + 1));
        const IconEntry &e = icon.entries[i];
        const int s = kImages[i].size, bits = kImages[i].bits;
        EXPECT_EQ(u32At(e.data, 0), 40u);
        EXPECT_EQ(i32At(e.data, 4), s);
        EXPECT_EQ(i32At(e.data, 8), 2 * s); // colour rows, then the mask
        EXPECT_EQ(u16At(e.data, 12), 1);
        EXPECT_EQ(u16At(e.data, 14), bits);
        EXPECT_EQ(u32At(e.data, 16), 0u);
        const IconPixels p = decodeIconBitmap(e);
        EXPECT_EQ(e.data.size(), p.expectedSize);

        if (bits == 4) {
            for (std::size_t c = 0; c < 16; ++c) {
                const std::size_t at = 40 + 4 * c;
                const std::uint32_t rgb =
                    std::uint32_t{e.data[at + 2]} << 16 | std::uint32_t{e.data[at + 1]} << 8 | e.data[at];
                EXPECT_EQ(rgb, kStandardColours[c]) << "palette entry " << c;
                EXPECT_EQ(e.data[at + 3], 0);
            }
        }
        for (std::size_t px = 0; px < p.masked.size(); ++px) {
            if (bits == 32) {
                // The mask leaves out exactly the fully clear pixels.
                EXPECT_EQ(p.masked[px], (p.argb[px] >> 24) == 0) << "pixel " << px;
            } else if (p.masked[px]) {
                // Left-out pixels hold black, so the colour rows add nothing there.
                EXPECT_EQ(p.paletteIndex[px], 0) << "pixel " << px;
            }
        }
    }
}

TEST(IconFile, LargestImageIsAPngOf256PixelsWithAlpha)
{
    const IconFile icon = readIconFile(iconBytes());
    ASSERT_EQ(icon.entries.size(), kImages.size());
    const Bytes &png = icon.entries[6].data;
    ASSERT_TRUE(icon.entries[6].isPng());
    // Chunks: length, type, data, CRC; IHDR first, IEND last, nothing after.
    std::size_t at = 8;
    std::vector<std::string> types;
    while (at < png.size()) {
        const std::uint32_t length = bigEndian32(png, at);
        ASSERT_LE(at + 12 + length, png.size());
        types.push_back(asciiAt(png, at + 4, 4));
        EXPECT_EQ(bigEndian32(png, at + 8 + length), crc32Of(png.data() + at + 4, 4 + length))
            << "CRC of chunk " << types.back();
        if (types.back() == "IHDR") {
            ASSERT_EQ(length, 13u);
            EXPECT_EQ(bigEndian32(png, at + 8), 256u);
            EXPECT_EQ(bigEndian32(png, at + 12), 256u);
            EXPECT_EQ(png[at + 16], 8); // bits a channel
            EXPECT_EQ(png[at + 17], 6); // red, green, blue and alpha
            EXPECT_EQ(png[at + 18], 0);
            EXPECT_EQ(png[at + 19], 0);
            EXPECT_EQ(png[at + 20], 0); // not interlaced
        }
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types.front(), "IHDR");
    EXPECT_EQ(types.back(), "IEND");
    // Nothing that would differ between two drawings of the same picture.
    EXPECT_EQ(std::count(types.begin(), types.end(), "tIME"), 0);
}

// The desktop's icons are the icon's 32-bit images: the 256-pixel PNG byte for
// byte, the smaller ones pixel for pixel, so the desktop and the window show
// the same drawings at every size.
TEST(IconFile, DesktopIconsAreTheIconsOwn32BitImages)
{
    const IconFile icon = readIconFile(iconBytes());
    ASSERT_EQ(icon.entries.size(), kImages.size());
    std::vector<int> sizes;
    for (const assets::DesktopIcon &desktopIcon : assets::desktopIcons()) {
        SCOPED_TRACE(desktopIcon.file);
        sizes.push_back(desktopIcon.size);
        const Bytes file = readFile(assetDir() / desktopIcon.file);
        std::size_t i = 0;
        while (i < kImages.size() && (kImages[i].bits != 32 || kImages[i].size != desktopIcon.size))
            ++i;
        ASSERT_LT(i, kImages.size());
        if (kImages[i].png) {
            EXPECT_TRUE(file == icon.entries[i].data);
            continue;
        }
        const QImage shown =
            QImage::fromData(file.data(), static_cast<int>(file.size()), "PNG").convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(shown.size(), QSize(desktopIcon.size, desktopIcon.size));
        const IconPixels p = decodeIconBitmap(icon.entries[i]);
        ASSERT_EQ(p.width, desktopIcon.size);
        int differing = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                differing += shown.pixel(x, y) != p.argb[static_cast<std::size_t>(y * p.width + x)] ? 1 : 0;
        EXPECT_EQ(differing, 0);
    }
    // The sizes a desktop's hicolor theme looks for first.
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 128, 256}));
}

// Opaque as shown: not left out by the mask and, with an alpha channel, at
// least half opaque.
bool opaque(const IconPixels &p, int x, int y)
{
    const std::size_t at = static_cast<std::size_t>(y * p.width + x);
    return !p.masked[at] && qAlpha(p.argb[at]) >= 128;
}

// Fraction of pixels on which the image's opaque area agrees with the large
// PNG's, the PNG averaged over each pixel's square. Pixels that the large
// image covers only in part may go either way in a reduction and are left out.
double silhouetteAgreement(const IconPixels &p, const QImage &large)
{
    const int big = large.width();
    int agree = 0, counted = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            long alpha = 0, n = 0;
            for (int ly = y * big / p.height; ly < (y + 1) * big / p.height; ++ly)
                for (int lx = x * big / p.width; lx < (x + 1) * big / p.width; ++lx, ++n)
                    alpha += qAlpha(large.pixel(lx, ly));
            const double mean = static_cast<double>(alpha) / static_cast<double>(n);
            if (mean > 16 && mean < 240)
                continue;
            ++counted;
            agree += (mean >= 240) == opaque(p, x, y) ? 1 : 0;
        }
    return counted == 0 ? 0.0 : static_cast<double>(agree) / counted;
}

TEST(IconFile, EveryImageShowsTheOneMotifARedInsectWithItsDarkHeadTowardsTheBottom)
{
    const IconFile icon = readIconFile(iconBytes());
    ASSERT_EQ(icon.entries.size(), kImages.size());
    const Bytes &pngBytes = icon.entries[6].data;
    const QImage large = QImage::fromData(pngBytes.data(), static_cast<int>(pngBytes.size()), "PNG")
                             .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(large.size(), QSize(256, 256));

    for (std::size_t i = 0; i < kImages.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i + 1));
        IconPixels p;
        if (kImages[i].png) {
            p.width = p.height = 256;
            for (int y = 0; y < 256; ++y)
                for (int x = 0; x < 256; ++x) {
                    p.argb.push_back(large.pixel(x, y));
                    p.masked.push_back(qAlpha(large.pixel(x, y)) == 0);
                }
        } else {
            p = decodeIconBitmap(icon.entries[i]);
            EXPECT_GE(silhouetteAgreement(p, large), 0.95);
        }
        const int s = p.width;
        auto opaqueAt = [&](int x, int y) { return opaque(p, x, y); };
        // Transparent background in the corners, the insect in the middle.
        EXPECT_FALSE(opaqueAt(0, 0));
        EXPECT_FALSE(opaqueAt(s - 1, 0));
        EXPECT_FALSE(opaqueAt(0, s - 1));
        EXPECT_FALSE(opaqueAt(s - 1, s - 1));
        EXPECT_TRUE(opaqueAt(s / 2, s / 2));

        int opaque = 0, red = 0, dark = 0;
        double darkY = 0;
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x) {
                if (!opaqueAt(x, y))
                    continue;
                ++opaque;
                const QRgb c = p.argb[static_cast<std::size_t>(y * s + x)];
                if (qRed(c) >= 0x80 && qGreen(c) < 0x60 && qBlue(c) < 0x60)
                    ++red;
                if (std::max({qRed(c), qGreen(c), qBlue(c)}) < 0x40) {
                    ++dark;
                    darkY += y;
                }
            }
        ASSERT_GT(opaque, 0);
        ASSERT_GT(dark, 0);
        EXPECT_GT(red, opaque / 5);
        EXPECT_GT(darkY / dark, s / 2.0);
    }
}

} // namespace
