// Icon files: a directory of images, each stored either as a bitmap (colour
// rows plus a one-bit transparency mask) or as a whole PNG file.
#pragma once

#include "byte_writer.h"
#include "indexed_image.h"
#include "palette.h"

#include <QImage>
#include <vector>

namespace tools {

struct IconImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int paletteSize = 0; // 16 for 4-bit images; 0 where the directory leaves it out
    Bytes data;          // the image exactly as stored in the file
};

// A paletted image; `transparent` marks the pixels the mask leaves out,
// whose colour rows hold index 0.
IconImage palettedIconImage(const IndexedImage &pixels, const std::vector<Rgb> &palette, int bitsPerPixel,
                            const std::vector<bool> &transparent);
// Blue, green, red, alpha rows; the mask leaves out the fully clear pixels.
IconImage alphaIconImage(const QImage &image);
IconImage pngIconImage(int width, int height, Bytes png);

Bytes icoFile(const std::vector<IconImage> &images);

} // namespace tools
