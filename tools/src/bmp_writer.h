// Windows bitmap files: 4-bit paletted for the tiles, 24-bit for the
// decoration. Written by hand because the layout of every header field is
// fixed and no library writer promises it.
#pragma once

#include "byte_writer.h"
#include "indexed_image.h"
#include "palette.h"

#include <QImage>

#include <span>

namespace tools {

// 96 dots per inch, the resolution the pictures are meant for.
inline constexpr std::int32_t kPixelsPerMetre = 3780;

// Bytes of one stored row: pixels packed, then filled to a multiple of 4.
std::uint32_t bmpRowBytes(int width, int bitsPerPixel);

// The 40-byte information header. `storedHeight` is the height written in the
// header, which icon images double to cover their transparency mask.
void writeInfoHeader(ByteWriter &out, int width, int storedHeight, int bitsPerPixel, std::uint32_t imageBytes,
                     std::int32_t pixelsPerMetre);

// The colour table that follows the information header: blue, green, red and
// a zero byte for every entry.
void writePalette(ByteWriter &out, std::span<const Rgb> entries);

// Pixel rows bottom row first, two pixels a byte with the left one high.
Bytes packFourBitRows(const IndexedImage &image);

Bytes fourBitBmpFile(const IndexedImage &image);
// Opaque pixels of `image` as blue, green, red.
Bytes twentyFourBitBmpFile(const QImage &image);

} // namespace tools
