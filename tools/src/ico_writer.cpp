#include "ico_writer.h"

#include "bmp_writer.h"

#include <stdexcept>

namespace tools {
namespace {

Bytes maskRows(int width, int height, const std::vector<bool> &transparent)
{
    ByteWriter out;
    const std::uint32_t rowBytes = bmpRowBytes(width, 1);
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(rowBytes, 0);
        for (int x = 0; x < width; ++x)
            if (transparent[static_cast<std::size_t>(y * width + x)])
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
        out.append(row);
    }
    return out.take();
}

Bytes packRows(const IndexedImage &pixels, int bitsPerPixel)
{
    if (bitsPerPixel == 4)
        return packFourBitRows(pixels);
    if (bitsPerPixel != 8)
        throw std::invalid_argument("paletted icon images are 4 or 8 bits");
    ByteWriter out;
    for (int y = pixels.height() - 1; y >= 0; --y) {
        for (int x = 0; x < pixels.width(); ++x)
            out.u8(pixels.at(x, y));
        out.padTo(4);
    }
    return out.take();
}

} // namespace

IconImage palettedIconImage(const IndexedImage &pixels, const std::vector<Rgb> &palette, int bitsPerPixel,
                            const std::vector<bool> &transparent)
{
    if (palette.size() != (std::size_t{1} << bitsPerPixel))
        throw std::invalid_argument("palette does not fill the depth");
    const Bytes colour = packRows(pixels, bitsPerPixel);
    const Bytes mask = maskRows(pixels.width(), pixels.height(), transparent);
    ByteWriter out;
    writeInfoHeader(out, pixels.width(), 2 * pixels.height(), bitsPerPixel,
                    static_cast<std::uint32_t>(colour.size() + mask.size()), 0);
    writePalette(out, palette);
    out.append(colour);
    out.append(mask);
    return {pixels.width(), pixels.height(), bitsPerPixel, bitsPerPixel == 4 ? 16 : 0, out.take()};
}

IconImage alphaIconImage(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    std::vector<bool> clear(static_cast<std::size_t>(w * h));
    ByteWriter colour;
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            colour.u8(static_cast<std::uint8_t>(qBlue(p)));
            colour.u8(static_cast<std::uint8_t>(qGreen(p)));
            colour.u8(static_cast<std::uint8_t>(qRed(p)));
            colour.u8(static_cast<std::uint8_t>(qAlpha(p)));
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            clear[static_cast<std::size_t>(y * w + x)] = qAlpha(image.pixel(x, y)) == 0;
    const Bytes mask = maskRows(w, h, clear);
    ByteWriter out;
    writeInfoHeader(out, w, 2 * h, 32, static_cast<std::uint32_t>(colour.size() + mask.size()), 0);
    out.append(colour.bytes());
    out.append(mask);
    return {w, h, 32, 0, out.take()};
}

IconImage pngIconImage(int width, int height, Bytes png) { return {width, height, 32, 0, std::move(png)}; }

Bytes icoFile(const std::vector<IconImage> &images)
{
    ByteWriter out;
    out.u16(0); // reserved
    out.u16(1); // an icon, not a cursor
    out.u16(static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const IconImage &im : images) {
        if (im.width < 1 || im.width > 256 || im.height < 1 || im.height > 256)
            throw std::invalid_argument("icon images are 1 to 256 pixels a side");
        out.u8(static_cast<std::uint8_t>(im.width == 256 ? 0 : im.width));
        out.u8(static_cast<std::uint8_t>(im.height == 256 ? 0 : im.height));
        out.u8(static_cast<std::uint8_t>(im.paletteSize));
        out.u8(0);
        out.u16(1); // planes
        out.u16(static_cast<std::uint16_t>(im.bitsPerPixel));
        out.u32(static_cast<std::uint32_t>(im.data.size()));
        out.u32(offset);
        offset += static_cast<std::uint32_t>(im.data.size());
    }
    for (const IconImage &im : images)
        out.append(im.data);
    return out.take();
}

} // namespace tools
