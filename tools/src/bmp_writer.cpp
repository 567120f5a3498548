#include "bmp_writer.h"

#include "palette.h"

#include <stdexcept>

namespace tools {

std::uint32_t bmpRowBytes(int width, int bitsPerPixel)
{
    const std::uint32_t bits = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel);
    return ((bits + 31) / 32) * 4;
}

void writeInfoHeader(ByteWriter &out, int width, int storedHeight, int bitsPerPixel, std::uint32_t imageBytes,
                     std::int32_t pixelsPerMetre)
{
    out.u32(40);
    out.i32(width);
    out.i32(storedHeight);
    out.u16(1); // planes
    out.u16(static_cast<std::uint16_t>(bitsPerPixel));
    out.u32(0); // no compression
    out.u32(imageBytes);
    out.i32(pixelsPerMetre);
    out.i32(pixelsPerMetre);
    out.u32(0); // colours used: all the depth allows
    out.u32(0); // colours important: all
}

void writePalette(ByteWriter &out, std::span<const Rgb> entries)
{
    for (const Rgb &c : entries) {
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(0);
    }
}

Bytes packFourBitRows(const IndexedImage &image)
{
    ByteWriter out;
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width(); x += 2) {
            const std::uint8_t hi = image.at(x, y);
            const std::uint8_t lo = x + 1 < image.width() ? image.at(x + 1, y) : 0;
            if (hi > 15 || lo > 15)
                throw std::logic_error("index beyond a 16-colour palette");
            out.u8(static_cast<std::uint8_t>((hi << 4) | lo));
        }
        while (out.size() - rowStart < bmpRowBytes(image.width(), 4))
            out.u8(0);
    }
    return out.take();
}

Bytes fourBitBmpFile(const IndexedImage &image)
{
    const Bytes rows = packFourBitRows(image);
    constexpr std::uint32_t pixelOffset = 14 + 40 + 16 * 4;
    ByteWriter out;
    out.ascii("BM");
    out.u32(pixelOffset + static_cast<std::uint32_t>(rows.size()));
    out.u16(0);
    out.u16(0);
    out.u32(pixelOffset);
    writeInfoHeader(out, image.width(), image.height(), 4, static_cast<std::uint32_t>(rows.size()), kPixelsPerMetre);
    writePalette(out, kStandardPalette);
    out.append(rows);
    return out.take();
}

Bytes twentyFourBitBmpFile(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const std::uint32_t rowBytes = bmpRowBytes(image.width(), 24);
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(image.height());
    constexpr std::uint32_t pixelOffset = 14 + 40;
    ByteWriter out;
    out.ascii("BM");
    out.u32(pixelOffset + imageBytes);
    out.u16(0);
    out.u16(0);
    out.u32(pixelOffset);
    writeInfoHeader(out, image.width(), image.height(), 24, imageBytes, kPixelsPerMetre);
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            out.u8(static_cast<std::uint8_t>(qBlue(p)));
            out.u8(static_cast<std::uint8_t>(qGreen(p)));
            out.u8(static_cast<std::uint8_t>(qRed(p)));
        }
        while (out.size() - rowStart < rowBytes)
            out.u8(0);
    }
    return out.take();
}

} // namespace tools
