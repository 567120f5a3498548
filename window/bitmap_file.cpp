#include "bitmap_file.h"

#include "little_endian.h"

#include <QImageReader>
#include <QResource>
#include <QRgb>

#include <array>
#include <cstdlib>

namespace window {

namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr qsizetype kInfoHeaderSize = 40;
constexpr qint32 kLargestSide = 1 << 14;

// One row of palette indices, Depth bits each and packed high bits first;
// false where an index lies beyond the palette. Every colour taken from the
// palette is opaque and every entry beyond it is not, so one AND over the row
// tells whether any index went beyond.
template <int Depth>
bool paletteRow(const uchar *in, QRgb *out, int width, const std::array<QRgb, 256> &palette)
{
    constexpr int perByte = 8 / Depth;
    constexpr unsigned mask = (1u << Depth) - 1;
    QRgb all = ~QRgb(0);
    int x = 0;
    for (; x + perByte <= width; x += perByte, ++in) {
        const unsigned byte = *in;
        for (int k = 1; k <= perByte; ++k) {
            const QRgb colour = palette[(byte >> (8 - Depth * k)) & mask];
            all &= colour;
            *out++ = colour;
        }
    }
    for (int k = 1; x < width; ++x, ++k) {
        const QRgb colour = palette[(*in >> (8 - Depth * k)) & mask];
        all &= colour;
        *out++ = colour;
    }
    return qAlpha(all) == 255;
}

} // namespace

QImage decodeBitmap(QByteArrayView file)
{
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M')
        return {};
    const quint32 pixelsAt = littleEndian(file, 10, 4);
    const quint32 infoSize = littleEndian(file, 14, 4);
    const auto width = qint32(littleEndian(file, 18, 4));
    const auto height = qint32(littleEndian(file, 22, 4)); // below zero: stored top row first
    const int planes = int(littleEndian(file, 26, 2));
    const int depth = int(littleEndian(file, 28, 2));
    const quint32 compression = littleEndian(file, 30, 4);
    if (infoSize < kInfoHeaderSize || infoSize > quint32(file.size() - kFileHeaderSize) || planes != 1
        || compression != 0 || width <= 0 || width > kLargestSide || height == 0 || height > kLargestSide
        || height < -kLargestSide)
        return {};
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24)
        return {};

    std::array<QRgb, 256> palette{}; // beyond the file's colours: 0, not opaque
    quint32 colours = 0;
    if (depth <= 8) {
        colours = littleEndian(file, 46, 4);
        if (colours == 0)
            colours = 1u << depth;
        const qsizetype at = kFileHeaderSize + qsizetype(infoSize);
        if (colours > (1u << depth) || at + 4 * qsizetype(colours) > file.size())
            return {};
        for (quint32 i = 0; i < colours; ++i) {
            const qsizetype entry = at + 4 * qsizetype(i); // blue, green, red, unused
            palette[i] = qRgb(quint8(file[entry + 2]), quint8(file[entry + 1]), quint8(file[entry]));
        }
    }

    // Each row is padded to a whole number of 32-bit words.
    const qsizetype stride = (qsizetype(width) * depth + 31) / 32 * 4;
    const int rows = std::abs(height);
    if (pixelsAt > quint32(file.size()) || stride * rows > file.size() - qsizetype(pixelsAt))
        return {};
    QImage image(width, rows, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const auto *pixels = reinterpret_cast<const uchar *>(file.data()) + pixelsAt;
    for (int y = 0; y < rows; ++y) {
        const uchar *in = pixels + stride * (height > 0 ? rows - 1 - y : y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        if (depth == 24) {
            for (int x = 0; x < width; ++x, in += 3)
                out[x] = qRgb(in[2], in[1], in[0]);
            continue;
        }
        const bool inPalette = depth == 8   ? paletteRow<8>(in, out, width, palette)
                               : depth == 4 ? paletteRow<4>(in, out, width, palette)
                                            : paletteRow<1>(in, out, width, palette);
        if (!inPalette)
            return {};
    }
    return image;
}

QImage readBitmap(const QString &path)
{
    const QResource resource(path);
    if (resource.isValid()) {
        const QImage image = decodeBitmap(resource.uncompressedData());
        if (!image.isNull())
            return image;
    }
    // Named, and with no guessing, so that no image plugin is loaded to ask
    // it: Qt reads bitmaps itself.
    QImageReader reader(path, "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace window
